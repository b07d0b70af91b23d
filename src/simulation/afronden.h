// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Rounding as the simulation needs it: to the nearest integer, an exact half
// to the even neighbour.
#pragma once

#include <algorithm>
#include <cmath>

namespace simulatie {

// teller / noemer for teller >= 0 and noemer > 0, exactly.
constexpr int deelAfgerond(int teller, int noemer) {
    const int q = teller / noemer;
    const int r = teller % noemer;
    if (2 * r > noemer || (2 * r == noemer && q % 2 != 0))
        return q + 1;
    return q;
}

// A level from a real value: rounded half to even (the default rounding
// mode), kept within a byte.
inline int niveauVan(long double waarde) {
    const long double afgerond = std::nearbyint(waarde);
    return static_cast<int>(std::clamp(afgerond, 0.0L, 255.0L));
}

} // namespace simulatie
