// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Where board files named without a folder are found: the standard boards and
// a board given on the command line.
#pragma once

#include <QString>

namespace bordpaden {

inline constexpr char kStandaardBord1[] = "standaard.brd";
inline constexpr char kStandaardBord2[] = "standaard2.brd";

// A standard board by its bare name: the current folder's copy when there is
// one, else the copy beside the program (programmaMap ends in a separator),
// else an empty text.
QString zoekStandaardBord(const QString& naam, const QString& programmaMap);

// The board file that a command-line argument names, or an empty text when
// there is none: an argument with a folder part is taken as it stands (a
// relative one from the current folder), a bare name is looked for beside
// the program. A path where no file is gives an empty text too.
QString opdrachtregelBord(const QString& argument, const QString& programmaMap);

} // namespace bordpaden
