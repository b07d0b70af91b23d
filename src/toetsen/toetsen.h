// Checking boards against a check file without a window: each board is
// opened in turn, the steps run on a stepped clock, and every expectation
// gives exactly one result. A board passes when some numbering of its
// modules within each kind meets the expectations, so the order in which a
// pupil placed the modules does not count. Results are written in the Test
// Anything Protocol or as one JSON document, and optionally as a grade sheet
// and a class report.
#pragma once

#include "toetsen/toetsbestand.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

class QTextStream;
class TfKwintelvlak;
class ZonderGebruiker;

namespace opdrachtregel {
struct Opdracht;
}

namespace toetsen {

// The most numberings tried on one board; beyond that only the board's own.
inline constexpr int kMaxToewijzingen = 5040;

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
    QString tekst() const; // the result line's description
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
    int geprobeerd = 0;    // numberings tried
    bool begrensd = false; // too many to try: the board's own numbering only
    std::vector<Resultaat> resultaten;
    QImage afbeelding; // the board at the end of its check, when asked for
    int behaald() const;
    int totaal() const { return int(resultaten.size()); }
    bool geslaagd() const;
    // "geslaagd", "gezakt" or "onleesbaar".
    QString uitslag() const;
};

// The captions of the kinds the window's menus offer (plug-in kinds
// included), for naming modules in a check file.
std::vector<toetsbestand::Soortnaam> soortNamen(const TfKwintelvlak& form);

struct Keuzes {
    bool afbeelding = false; // keep a picture of the board at the end
    bool bijsnijden = false;
    int maxToewijzingen = kMaxToewijzingen;
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

QString alsTap(const std::vector<BordUitslag>& uitslagen);
QByteArray alsJson(const std::vector<BordUitslag>& uitslagen);
// The grade sheet: one row per board, one column per expectation.
QByteArray alsCsv(const toetsbestand::Toets& toets, const std::vector<BordUitslag>& uitslagen);

// A name as a TAP description may hold it: on one line, "#" and "\"
// escaped.
QString tapTekst(const QString& tekst);

// The whole --toets run: returns the exit status (0 all passed, 1 a board
// failed or could not be read, or a sheet or report could not be written,
// 2 the check file is wrong).
int voerUit(const opdrachtregel::Opdracht& opdracht, QTextStream& uit, QTextStream& fout);

} // namespace toetsen
