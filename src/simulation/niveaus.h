// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The two levels that logic outputs send: 5,0 V for high, 0 V for low.
#pragma once

#include <QtGlobal>

inline constexpr quint8 kHoog = 50;
inline constexpr quint8 kLaag = 0;
