// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Levels and the sample buffers plug-in libraries work on: a level goes to a
// library as 1024 equal samples on the scale 0..5119 (0 V .. 5.0 V) and comes
// back as the mean of the samples the library left.
#pragma once

#include "plugins/kwintel_plugin.h"
#include "simulation/afronden.h"

#include <QtGlobal>
#include <cstdint>

namespace zwenkel {

// The sample value that stands for a level: level / 50 * 5119, truncated
// towards zero (50 gives 5119, 14 gives 1433), kept to its low 16 bits. The
// exact quotient never lies closer than 1/50 to a whole number unless it is
// one, so integer division gives the same result as the real arithmetic.
constexpr std::uint16_t monsterVanNiveau(int niveau) {
    return static_cast<std::uint16_t>(niveau * KWINTEL_MONSTER_MAX / 50);
}

// Sets all samples to one value.
inline void vulSignaal(TSignaalBuffer& buffer, std::uint16_t waarde) {
    for (std::uint16_t& m : buffer.monsters)
        m = waarde;
}

// The mean of the samples at positions a..b (from 1, both included), read
// unsigned, summed in 32 bits and rounded to the nearest whole number, an
// exact half to the even neighbour. 0 for positions outside 1..1024 or b < a.
inline std::int32_t signaalGemiddelde(const TSignaalBuffer& buffer, int a, int b) {
    if (a < 1 || b > KWINTEL_MONSTERS || b < a)
        return 0;
    std::int32_t som = 0;
    for (int i = a; i <= b; ++i)
        som += buffer.monsters[i - 1];
    return simulatie::deelAfgerond(som, b - a + 1);
}

// The level the samples stand for: the mean read as a signed 16-bit number,
// times 50 / 5119, truncated towards zero; its low 8 bits are sent. Nothing
// is clamped: a mean above 5119 gives a level above 50.
inline quint8 niveauVanSignaal(const TSignaalBuffer& buffer) {
    const auto m = static_cast<std::int16_t>(
        static_cast<std::uint16_t>(signaalGemiddelde(buffer, 1, KWINTEL_MONSTERS)));
    return static_cast<quint8>(static_cast<std::uint32_t>(m * 50 / KWINTEL_MONSTER_MAX));
}

} // namespace zwenkel
