// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The board's version: a counter that moves on every change of what the
// look-ups read — a wire field of an output, a module's number, the order or
// content of the module list. Indexes built from the board remember the
// version they were built at and rebuild when it has moved, so they can never
// answer from a stale picture of the board.
#pragma once

#include <cstdint>

namespace bordversie {

// Process-wide: a change on any board makes every index rebuild, which is
// always safe and costs nothing while nothing changes.
inline std::uint64_t teller = 1;

inline std::uint64_t huidig() {
    return teller;
}
inline void verhoog() {
    ++teller;
}

} // namespace bordversie

// An int that moves the board's version whenever its value really changes.
// It reads and compares like a plain int, so wire fields and module numbers
// keep their simple syntax (u->doelNummer = 3; m->nummer == n).
class BewaakteInt {
public:
    constexpr BewaakteInt(int waarde = 0) : m_waarde(waarde) {} // NOLINT: implicit on purpose
    BewaakteInt(const BewaakteInt&) = delete;
    BewaakteInt& operator=(const BewaakteInt& ander) { return *this = ander.m_waarde; }
    BewaakteInt& operator=(int waarde) {
        if (waarde != m_waarde) {
            m_waarde = waarde;
            bordversie::verhoog();
        }
        return *this;
    }
    operator int() const { return m_waarde; } // NOLINT: implicit on purpose

private:
    int m_waarde;
};
