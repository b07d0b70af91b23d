// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The command line: which of the program's ways of running was asked for,
// with its options. Read before the application object exists, because the
// way of running decides the display platform and the scale.
#pragma once

#include <QString>
#include <QStringList>

namespace opdrachtregel {

enum class Modus {
    Venster,    // the interactive window (a lone board name opens that board)
    Toets,      // check boards against a check file, without a window
    Afbeelding, // render a board as a picture, without a window
    Klaar,      // nothing to run: print uitvoer and leave with status
};

struct Opdracht {
    Modus modus = Modus::Venster;
    // The board named for the window, the boards to check, or the one board
    // to render.
    QStringList borden;
    QString toetsBestand;
    bool json = false;
    QString csv;     // --toets: the grade sheet to write
    QString verslag; // --toets: the folder of the class report
    QString afbeelding;
    int tikken = 0;
    int schaal = 1;
    bool bijsnijden = false;
    bool nummers = false; // --afbeelding: each module's kind and number on it
    int tijdslimiet = 0;  // --toets: simulated seconds per board; 0: the checker's own
    // Modus::Klaar: what to print, on which stream, and the exit status.
    QString uitvoer;
    bool naarFoutUitvoer = false;
    int status = 0;
};

// Reads the program's arguments (the program's name first). Qt's own
// options (-platform, -style, ...) are accepted and left to Qt.
Opdracht lees(const QStringList& argumenten);

// The text of --help.
QString hulpTekst();

// Scales the program accepts for --schaal.
inline constexpr int kMaxSchaal = 4;
// The most clock ticks one --tikken or one check step may ask for: ten
// minutes of simulated time.
inline constexpr int kMaxTikken = 60000;
// --tijdslimiet: at most a day of simulated time per board.
inline constexpr int kMaxTijdslimiet = 86400;

} // namespace opdrachtregel

namespace opdrachtregel {
// Prepares the process for the way of running, before the application
// object is made: the checks and pictures need no display server and no
// sound device (the offscreen platform, unless one is named), and a scale
// above 1 enlarges everything alike, artwork pixel for pixel.
void bereidOmgevingVoor(const Opdracht& opdracht);
} // namespace opdrachtregel
