// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// One entry of the module catalogue: which kind of module a menu item or a
// board-file record stands for.
#pragma once

#include <cstdint>

inline constexpr int MAX_PATH = 260;

// Kind numbers are part of every wire and of the board-file format; they are
// never renumbered. 17, 18 and 19 are unused; every plug-in kind is 20.
namespace soorten {
inline constexpr int drukSchakelaar = 0;
inline constexpr int led = 1;
inline constexpr int pulsGenerator = 2;
inline constexpr int variabeleSpanning = 3;
inline constexpr int adOmzetter = 4;
inline constexpr int comparator = 5;
inline constexpr int pulsenTeller = 6;
inline constexpr int ofPoort = 7;
inline constexpr int enPoort = 8;
inline constexpr int split = 9;
inline constexpr int geheugenCel = 10;
inline constexpr int invertor = 11;
inline constexpr int transistor = 12;
inline constexpr int relais = 13;
inline constexpr int zoemer = 14;
inline constexpr int geluidSensor = 15;
inline constexpr int sensor = 16;
inline constexpr int zwenkel = 20;
} // namespace soorten

struct TModuleSoort {
    // Empty for built-in kinds; for a plug-in kind the file name of its library.
    char naam[MAX_PATH + 1] = {};
    std::int32_t soort = 0;
    // The small variant of a kind (small split, small inverter).
    bool variant = false;
    // The loaded plug-in library and its "finish" export; empty for built-in kinds.
    void* bibliotheek = nullptr;
    void* finishProc = nullptr;
};
using PModuleSoort = TModuleSoort*;
