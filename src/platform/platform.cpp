// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "platform/platform.h"
#include "platform/systeem.h"
#include "platform/testseams.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

namespace platform {

namespace {
FakeClock* g_clock = nullptr;
FakeCursor* g_cursor = nullptr;
BeepRecorder* g_beeps = nullptr;
} // namespace

std::uint32_t tickCount() {
    if (g_clock)
        return g_clock->now();
    // The system's uptime on its monotonic clock, not the time since this
    // program started: a pulse generator made in the first second after
    // start-up then pulses on its first tick, as it does later on.
    // Truncation to 32 bits is the wrap-around of a tick count.
    QElapsedTimer nu;
    nu.start();
    return static_cast<std::uint32_t>(nu.msecsSinceReference());
}

// ---- Timer ----------------------------------------------------------------

Timer::Timer(QObject* parent) : QObject(parent) {}

Timer::~Timer() {
    if (g_clock)
        g_clock->remove(this);
}

void Timer::setInterval(int ms) {
    m_interval = std::max(0, ms);
    if (m_active)
        start();
}

void Timer::setPrecise(bool precise) {
    m_precise = precise;
    if (m_qtimer)
        m_qtimer->setTimerType(precise ? Qt::PreciseTimer : Qt::CoarseTimer);
}

void Timer::start() {
    m_active = true;
    if (g_clock) {
        if (m_qtimer)
            m_qtimer->stop();
        m_deadline = g_clock->now() + static_cast<std::uint32_t>(m_interval);
        g_clock->add(this);
        return;
    }
    if (!m_qtimer) {
        m_qtimer = new QTimer(this);
        m_qtimer->setTimerType(m_precise ? Qt::PreciseTimer : Qt::CoarseTimer);
        connect(m_qtimer, &QTimer::timeout, this, &Timer::fire);
    }
    m_qtimer->start(m_interval);
}

void Timer::stop() {
    m_active = false;
    if (m_qtimer)
        m_qtimer->stop();
    if (g_clock)
        g_clock->remove(this);
}

void Timer::fire() {
    if (!m_active)
        return;
    emit timeout();
}

// ---- FakeClock ------------------------------------------------------------

FakeClock::FakeClock(std::uint32_t start) : m_now(start) {
    g_clock = this;
}

FakeClock::~FakeClock() {
    for (Timer* t : m_timers)
        t->m_active = false;
    if (g_clock == this)
        g_clock = nullptr;
}

FakeClock* FakeClock::current() {
    return g_clock;
}

void FakeClock::add(Timer* t) {
    t->m_sequence = m_nextSequence++;
    if (std::find(m_timers.begin(), m_timers.end(), t) == m_timers.end())
        m_timers.push_back(t);
}

void FakeClock::remove(Timer* t) {
    m_timers.erase(std::remove(m_timers.begin(), m_timers.end(), t), m_timers.end());
}

void FakeClock::advance(int ms) {
    const std::uint32_t target = m_now + static_cast<std::uint32_t>(std::max(0, ms));
    for (;;) {
        // The earliest due timer; equal deadlines fire in the order they were started.
        Timer* next = nullptr;
        for (Timer* t : m_timers) {
            const auto due = t->m_deadline - m_now; // unsigned distance copes with wrap
            if (due > target - m_now)
                continue;
            if (!next || due < next->m_deadline - m_now ||
                (due == next->m_deadline - m_now && t->m_sequence < next->m_sequence))
                next = t;
        }
        if (!next)
            break;
        m_now = next->m_deadline;
        // Re-arm before firing so that the handler may stop or re-time it.
        next->m_deadline = m_now + static_cast<std::uint32_t>(std::max(1, next->m_interval));
        next->m_sequence = m_nextSequence++;
        next->fire();
    }
    m_now = target;
}

// ---- Cursor -----------------------------------------------------------------

FakeCursor::FakeCursor(QPoint pos) : m_pos(pos) {
    g_cursor = this;
}
FakeCursor::~FakeCursor() {
    if (g_cursor == this)
        g_cursor = nullptr;
}
FakeCursor* FakeCursor::current() {
    return g_cursor;
}

QPoint cursorPos() {
    return g_cursor ? g_cursor->pos() : QCursor::pos();
}

void setCursorPos(QPoint pos) {
    if (g_cursor) {
        g_cursor->setPos(pos);
        return;
    }
    QCursor::setPos(pos);
}

namespace {
QRect g_confinement;
} // namespace

void confineCursor(const QRect& rect) {
    g_confinement = rect;
    if (!g_cursor)
        systeem::beperkCursor(rect);
    const QPoint nu = cursorPos();
    const QPoint binnen = clampToConfinement(nu);
    if (binnen != nu)
        setCursorPos(binnen);
}

void freeCursor() {
    const bool wasBeperkt = g_confinement.isValid();
    g_confinement = QRect();
    if (wasBeperkt && !g_cursor)
        systeem::beperkCursor(QRect());
}

QRect cursorConfinement() {
    return g_confinement;
}

QPoint clampToConfinement(QPoint pos) {
    if (!g_confinement.isValid())
        return pos;
    return {std::clamp(pos.x(), g_confinement.left(), g_confinement.right()),
            std::clamp(pos.y(), g_confinement.top(), g_confinement.bottom())};
}

// ---- Operating system -------------------------------------------------------

bool isNTFamily() {
    static const bool nt = systeem::isNT();
    return nt;
}

QStringList opdrachtregelArgumenten(int argc, char* argv[]) {
    return systeem::argumenten(argc, argv);
}

void gebruikConsole() {
    systeem::gebruikConsole();
}

QStringList schreefloosLettertype() {
    return systeem::schreefloosLettertype();
}

// ---- Sound ------------------------------------------------------------------

BeepRecorder::BeepRecorder() {
    g_beeps = this;
}
BeepRecorder::~BeepRecorder() {
    if (g_beeps == this)
        g_beeps = nullptr;
}
BeepRecorder* BeepRecorder::current() {
    return g_beeps;
}

namespace {
bool g_geluidUit = false;
}

void zetGeluidUit(bool uit) {
    g_geluidUit = uit;
}

bool geluidUit() {
    return g_geluidUit;
}

void systemBeep() {
    if (g_beeps) {
        ++g_beeps->m_count;
        return;
    }
    QApplication::beep();
}

} // namespace platform
