// Checking boards against a check file without a window: each board is
// opened in turn, the steps run on a stepped clock, and every expectation
// gives a result. Results are written in the Test Anything Protocol or as
// one JSON document.
#pragma once

#include "toetsen/toetsbestand.h"

#include <QByteArray>
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

struct Resultaat {
    bool ok = false;
    int regelNummer = 0;
    QString wat; // "LED 1 aan", "druk Drukschakelaar 1"
    QString verwacht;
    QString gezien;        // what the board showed, or why the step could not run
    QString tekst() const; // the result line's description
};

struct BordUitslag {
    QString bestand;
    bool leesbaar = true;
    QString melding;         // why the board could not be read
    QStringList opmerkingen; // messages the board gave while it was read
    std::vector<Resultaat> resultaten;
    bool geslaagd() const;
};

// The captions of the kinds the window's menus offer (plug-in kinds
// included), for naming modules in a check file.
std::vector<toetsbestand::Soortnaam> soortNamen(const TfKwintelvlak& form);

// Opens one board and runs the check on it.
BordUitslag toetsBord(TfKwintelvlak& form, ZonderGebruiker& omgeving,
                      const toetsbestand::Toets& toets, const QString& bestand);

QString alsTap(const std::vector<BordUitslag>& uitslagen);
QByteArray alsJson(const std::vector<BordUitslag>& uitslagen);

// The whole --toets run: returns the exit status (0 all passed, 1 a board
// failed or could not be read, 2 the check file is wrong).
int voerUit(const opdrachtregel::Opdracht& opdracht, QTextStream& uit, QTextStream& fout);

} // namespace toetsen
