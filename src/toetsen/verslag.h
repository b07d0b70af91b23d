// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The class report: one static HTML page with a picture of every board,
// readable offline, straight from the disk, on a projector.
#pragma once

#include "toetsen/toetsen.h"

#include <QString>
#include <vector>

namespace verslag {

// The page's text; each board's picture is its afbeeldingNaam (empty: none).
QString pagina(const QString& toetsNaam, const toetsbestand::Toets& toets,
               const std::vector<toetsen::BordUitslag>& uitslagen);

// Whether a report may go to map, said before any board is checked: the
// report replaces the folder whole, so it must be new, empty, or hold an
// earlier report and nothing else. False with the reason in Dutch.
bool magSchrijven(const QString& map, QString& reden);

// Writes a report into a fresh folder beside map, each picture as soon as
// its board is checked, and at the end puts that folder in the place of map:
// an interrupted run leaves the old report as it was, and a finished one
// leaves only its own files.
class Schrijver {
public:
    explicit Schrijver(const QString& map);
    ~Schrijver();
    Schrijver(const Schrijver&) = delete;
    Schrijver& operator=(const Schrijver&) = delete;

    // Makes the fresh folder. False with the reason.
    bool begin(QString& reden);
    // Writes the board's picture (its nummer from 1 in the class) and names
    // it in u. False with the reason.
    bool afbeelding(int nummer, toetsen::BordUitslag& u, QString& reden);
    // Writes the page and puts the folder in place.
    bool sluit(const QString& toetsNaam, const toetsbestand::Toets& toets,
               const std::vector<toetsen::BordUitslag>& uitslagen, QString& reden);

private:
    QString m_map;  // absolute, clean
    QString m_werk; // the fresh folder until it is in place
};

} // namespace verslag
