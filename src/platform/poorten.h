// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The PC's speaker ports, emulated: channel 2 of the interval timer (mode
// register $43, data $42) and the system control port $61. While bits 0 (the
// timer's gate) and 1 (the speaker's data) of $61 are both set and channel 2
// holds a count in square-wave mode, the speaker sounds at 1193181 / count Hz
// through the tone generator. Every read and write can be recorded.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// One byte in from, and out to, an I/O port.
std::uint8_t leesPoort(std::uint16_t poort);
void schrijfPoort(std::uint16_t poort, std::uint8_t waarde);

// The timer's input clock in Hz.
inline constexpr double kTimerKlok = 1193181.0;

struct PoortToegang {
    bool schrijven;
    std::uint16_t poort;
    std::uint8_t waarde; // the byte read or written
    bool operator==(const PoortToegang&) const = default;
};

// Test seam: sets the ports to their state at power-on, with port $61 reading
// the given value, and records every access until it is destroyed; then the
// ports return to power-on with the speaker off.
class PoortRecorder {
public:
    explicit PoortRecorder(std::uint8_t poort61 = 0);
    ~PoortRecorder();
    PoortRecorder(const PoortRecorder&) = delete;
    PoortRecorder& operator=(const PoortRecorder&) = delete;

    const std::vector<PoortToegang>& toegangen() const { return m_toegangen; }
    // Only the writes, in order.
    std::vector<PoortToegang> schrijfacties() const;
    void wis() { m_toegangen.clear(); }
    static PoortRecorder* current();

private:
    friend std::uint8_t leesPoort(std::uint16_t);
    friend void schrijfPoort(std::uint16_t, std::uint8_t);
    std::vector<PoortToegang> m_toegangen;
};

} // namespace platform
