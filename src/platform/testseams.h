// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Test seams of the platform layer: each installs itself for the lifetime of
// the object and restores the real behaviour when destroyed. They live in the
// program's library so that tests and benchmarks share one implementation.
#pragma once

#include "platform/platform.h"

#include <QPoint>
#include <cstdint>
#include <vector>

namespace platform {

// A settable clock. While it exists, tickCount() reads its time and every
// platform::Timer runs on it instead of on the event loop.
class FakeClock {
public:
    explicit FakeClock(std::uint32_t start = 1000);
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    std::uint32_t now() const { return m_now; }
    // Moves time forward by ms, firing every timer that falls due on the way,
    // in time order, with now() set to each timer's due time as it fires.
    void advance(int ms);

    static FakeClock* current();

private:
    friend class Timer;
    void add(Timer* t);
    void remove(Timer* t);

    std::uint32_t m_now;
    std::uint64_t m_nextSequence = 0;
    std::vector<Timer*> m_timers;
};

// A settable cursor position.
class FakeCursor {
public:
    explicit FakeCursor(QPoint pos = {});
    ~FakeCursor();
    FakeCursor(const FakeCursor&) = delete;
    FakeCursor& operator=(const FakeCursor&) = delete;
    void setPos(QPoint pos) { m_pos = pos; }
    QPoint pos() const { return m_pos; }
    static FakeCursor* current();

private:
    QPoint m_pos;
};

// Counts system beeps instead of sounding them.
class BeepRecorder {
public:
    BeepRecorder();
    ~BeepRecorder();
    BeepRecorder(const BeepRecorder&) = delete;
    BeepRecorder& operator=(const BeepRecorder&) = delete;
    int count() const { return m_count; }
    void reset() { m_count = 0; }
    static BeepRecorder* current();

private:
    friend void platform::systemBeep();
    int m_count = 0;
};

} // namespace platform
