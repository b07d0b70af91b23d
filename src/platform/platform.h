// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The platform layer: the few things this program needs from the operating
// system, each behind a seam that tests can drive. Logic never asks the system
// for time, the cursor or a beep directly; it asks here.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <cstdint>

class QTimer;

namespace platform {

// ---- Time -----------------------------------------------------------------

// The system's uptime in milliseconds on its monotonic clock, wrapping at
// 2^32 like a 32-bit tick count. Under a FakeClock it is the fake's time.
std::uint32_t tickCount();

// A repeating timer that runs on the platform clock. Outside tests it is a
// QTimer; while a FakeClock is installed it fires only from FakeClock::advance,
// so tests step through time without waiting and without flakiness.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);
    ~Timer() override;

    // Changing the interval of a running timer restarts it from now.
    void setInterval(int ms);
    int interval() const { return m_interval; }
    // A precise timer keeps its period to the millisecond (the 10 ms clock).
    void setPrecise(bool precise);
    bool isPrecise() const { return m_precise; }
    void start();
    void stop();
    bool isActive() const { return m_active; }

signals:
    void timeout();

private:
    friend class FakeClock;
    void fire();

    int m_interval = 0;
    bool m_active = false;
    bool m_precise = false;
    QTimer* m_qtimer = nullptr;   // real clock
    std::uint32_t m_deadline = 0; // fake clock
    std::uint64_t m_sequence = 0; // fake clock: start order breaks ties
};

// ---- Cursor ---------------------------------------------------------------

// The mouse pointer's position in screen coordinates.
QPoint cursorPos();
// Moves the mouse pointer (under a FakeCursor: the fake's position).
void setCursorPos(QPoint pos);

// Confines the pointer to a screen rectangle until freeCursor(). While it is
// confined, every pointer position the program sees during a drag is clamped
// into the rectangle and the real pointer is moved back into it.
void confineCursor(const QRect& rect);
void freeCursor();
// The rectangle the pointer is confined to; empty when it is free.
QRect cursorConfinement();
// pos clamped into the confinement (pos itself when the pointer is free).
QPoint clampToConfinement(QPoint pos);

// ---- Operating system -----------------------------------------------------

// Whether the platform belongs to the NT family, as the operating system
// reports it. Every platform this program is built for keeps the PC's I/O
// ports from programs, which is what the NT family stands for in the rest of
// the program.
bool isNTFamily();

// The command line's arguments, the program's name first, as the user typed
// them (main's argc and argv are what some systems hand over in a narrower
// code page).
QStringList opdrachtregelArgumenten(int argc, char* argv[]);

// For the ways of running without a window: standard output and error reach
// the console or file the program was started from, with Dutch text shown as
// written and lines ending as on every other system.
void gebruikConsole();

// The family names of the system's plain sans-serif font, in order of
// preference: the one the board's controls are drawn in.
QStringList schreefloosLettertype();

// ---- Sound ----------------------------------------------------------------

// The system's default beep (a refused key, a read-only step).
void systemBeep();

// Quiet mode, for runs without a user (the teachers' command-line checks and
// pictures): no sound device is opened at all, neither the speaker's tone nor
// the microphone. Set it before the main window is made.
void zetGeluidUit(bool uit);
bool geluidUit();

} // namespace platform
