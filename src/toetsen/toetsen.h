// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Checking boards against a check file without a window: each board is
// opened in turn, the steps run on a stepped clock, and every expectation
// gives exactly one result. A board passes when some numbering of its
// modules within each kind meets the expectations, so the order in which a
// pupil placed the modules does not count. A step that cannot run on a board
// (a module it lacks) is skipped; only the expectations that depend on it
// fail, so a board gets credit for what it does. Results are written in the
// Test Anything Protocol or as one JSON document, and optionally as a grade
// sheet and a class report.
#pragma once

#include "toetsen/toetsbestand.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QTextStream;
class TfKwintelvlak;
class TModule;
class ZonderGebruiker;

namespace opdrachtregel {
struct Opdracht;
}

namespace toetsen {

// The most numberings of the modules that steps act on tried on one board;
// beyond that only the board's own. (The modules that are only looked at
// are matched to the check's names without trying numberings one by one.)
inline constexpr int kMaxToewijzingen = 5040;
// Simulated time per board, over all numberings tried, unless
// --tijdslimiet says otherwise: as long as the longest check, so that the
// board's own numbering always runs to the end.
inline constexpr int kStandaardTijdslimiet = 3600;

struct Resultaat {
    bool ok = false;
    int regelNummer = 0;
    QString wat; // "LED 1 aan", "Pulsenteller 1 3"
    QString verwacht;
    QString gezien; // what the board showed, or why nothing could be seen
    // False when there was nothing to look at: the module is missing, or a
    // step before it could not run; gezien says why.
    bool beoordeeld = true;
    QString commentaar;    // the teacher's comment on the line
    QString ronde;         // the round inside repeats, "2" or "2.3"
    int onderdeel = 0;     // its section in the check
    QString tekst() const; // the result line's description
};

// What a board scored in one section of the check.
struct OnderdeelScore {
    QString naam;
    int gewicht = 1;
    int behaald = 0;
    int totaal = 0;
};

// One of the check's names given to another module than its own number.
struct Toewijzing {
    QString toets; // "LED 1", as the check names it
    QString bord;  // "LED 2", as the board numbers it, or empty: none left
};

struct BordUitslag {
    QString bestand;
    bool leesbaar = true;
    QString melding;         // why the board could not be read
    QStringList opmerkingen; // the board's own messages while it was read
    QStringList stappen;     // steps that could not run, one line each
    // The numbering used where it is not the board's own.
    std::vector<Toewijzing> toewijzing;
    int geprobeerd = 0;    // numberings of the modules steps act on, run
    int mogelijk = 1;      // ... and how many there are (beyond the bound: more)
    bool begrensd = false; // too many to try: the board's own numbering only
    bool tijdOp = false;   // the time limit stopped the search
    std::vector<Resultaat> resultaten;
    // The board at the end of its check, when asked for, each module named
    // as the check names it; taken by the report as soon as it is made.
    QImage afbeelding;
    QString afbeeldingNaam; // the report's file of that picture
    QSize afbeeldingMaat;   // its size in pixels
    int behaald() const;
    int totaal() const { return int(resultaten.size()); }
    bool geslaagd() const;
    // "geslaagd", "gezakt" or "onleesbaar".
    QString uitslag() const;
    // Only the board's own numbering was tried, although there were more:
    // too many to try, or no time left for them.
    bool alleenEigenNummering() const {
        return leesbaar && (begrensd || (tijdOp && geprobeerd <= 1 && mogelijk > 1));
    }
};

// The scores per section (one, the whole check, when the check has none).
std::vector<OnderdeelScore> onderdeelScores(const toetsbestand::Toets& toets, const BordUitslag& u);
// The score from 0 to 1: each section's share met, weighted.
double gewogenScore(const toetsbestand::Toets& toets, const BordUitslag& u);
// The grade of a "cijfer" line, rounded to one decimal.
double cijfer(const toetsbestand::Cijfer& c, double score);
// "7,3".
QString cijferTekst(double cijfer);

// The captions of the kinds the window's menus offer (plug-in kinds
// included), for naming modules in a check file.
std::vector<toetsbestand::Soortnaam> soortNamen(const TfKwintelvlak& form);
// A kind's caption as its menu shows it, without "&" (the small split, which
// no menu offers, by the split's).
QString soortNaam(const TfKwintelvlak& form, const TModuleSoort* entry);

struct Keuzes {
    bool afbeelding = false; // keep a picture of the board at the end
    bool bijsnijden = false;
    int maxToewijzingen = kMaxToewijzingen;
    int tijdslimiet = kStandaardTijdslimiet; // simulated seconds per board
};

// Opens one board and runs the check on it, in every numbering of its
// modules within the search's bound; keeps the one meeting the most
// expectations, the board's own on a tie.
BordUitslag toetsBord(TfKwintelvlak& form, ZonderGebruiker& omgeving,
                      const toetsbestand::Toets& toets, const QString& bestand,
                      const Keuzes& keuzes = {});

// An expectation as results name it: "LED 1 aan", "Invertor 1 uitgang 1 50".
QString verwachtingWat(const toetsbestand::Regel& r);
// Its column in the grade sheet: "r7 LED 1 aan", the round, the comment.
QString kolomNaam(const toetsbestand::Regel& r);
// The board as output names it.
QString bordNaam(const BordUitslag& u);
// "3 van 4 borden geslaagd, 1 gezakt, 0 onleesbaar".
QString samenvatting(const std::vector<BordUitslag>& uitslagen);

// TAP in three parts, so that each board's block can be printed as soon as
// it is known: the version line, a board's block (its number from 1), and
// the plan with the summary.
QString tapKop();
QString tapBlok(const toetsbestand::Toets& toets, const BordUitslag& u, int nummer);
QString tapSlot(const std::vector<BordUitslag>& uitslagen);
QString alsTap(const toetsbestand::Toets& toets, const std::vector<BordUitslag>& uitslagen);
QByteArray alsJson(const toetsbestand::Toets& toets, const std::vector<BordUitslag>& uitslagen);
// The grade sheet: one row per board, one column per expectation.
QByteArray alsCsv(const toetsbestand::Toets& toets, const std::vector<BordUitslag>& uitslagen);

// A name as a TAP description may hold it: on one line, "#" and "\"
// escaped, no control characters.
QString tapTekst(const QString& tekst);
// The diagnostic lines of a board's messages and of how it was numbered.
QStringList meldingenVan(const BordUitslag& u, int maxToewijzingen = kMaxToewijzingen);

// The whole --toets run: returns the exit status (0 all passed, 1 a board
// failed or could not be read, or a sheet or report could not be written,
// 2 the check file is wrong).
int voerUit(const opdrachtregel::Opdracht& opdracht, QTextStream& uit, QTextStream& fout);

} // namespace toetsen
