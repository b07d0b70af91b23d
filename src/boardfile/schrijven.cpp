// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Writing a board file: one header line and one line per module, in the
// order of the module list, each line ended by CR LF.
#include "app/kwintelvlak.h"

#include "app/berichten.h"
#include "boardfile/bordbestand.h"
#include "boardfile/cp1252.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "modules/regelaars.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/variabelespanning.h"
#include "plugins/zwenkel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSaveFile>

namespace {

void veld(QByteArray& regel, int getal) {
    regel += QByteArray::number(getal);
    regel += '|';
}

// The setting field of the kinds that have one.
void instelling(QByteArray& regel, const TModule* module) {
    const int soort = module->moduleSoort->soort;
    if (soort == soorten::pulsGenerator || soort == soorten::variabeleSpanning ||
        soort == soorten::comparator) {
        if (auto* p = qobject_cast<const TPulsGeneratorMod*>(module))
            regel += QByteArray::number(p->regelaar->value());
        else if (auto* v = qobject_cast<const TVariabeleSpanningMod*>(module))
            regel += QByteArray::number(v->regelaar->value());
        else if (auto* c = qobject_cast<const TComparatorMod*>(module))
            regel += QByteArray::number(c->regelaar->value());
        regel += '|';
    } else if (soort == soorten::split || soort == soorten::invertor) {
        if (module->moduleSoort->variant)
            regel += "S|";
    } else if (soort == soorten::zwenkel) {
        // What the library's "save" export wrote, kept to one field.
        if (auto* z = qobject_cast<const TZwenkelMod*>(module))
            regel += z->bewaar();
        regel += '|';
    }
}

QString waaromNietGeschreven(const QSaveFile& bestand) {
    switch (bestand.error()) {
    case QFileDevice::OpenError:
        return QStringLiteral("Er kon in die map geen bestand worden aangemaakt.");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("Het schrijven is mislukt (is de schijf vol?).");
    case QFileDevice::RenameError:
        return QStringLiteral("Het bestaande bestand kon niet worden vervangen.");
    default:
        return QStringLiteral("Het schrijven is mislukt.");
    }
}

} // namespace

QByteArray TfKwintelvlak::bordTekst() const {
    QByteArray tekst;
    tekst += miLogoWeergeven->isChecked() ? 'S' : 'E';
    tekst += bordbestand::kKopTekst;
    if (miTellerLatenDoorlopen->isChecked())
        tekst += '1';
    tekst += "\r\n";

    for (const TModule* m : modules) {
        QByteArray regel;
        // Positions are measured from the board's unscrolled origin.
        veld(regel, m->y());
        veld(regel, m->x());
        const int soort = m->moduleSoort->soort;
        if (soort == soorten::zwenkel) {
            // The catalogue holds library names as UTF-8; the file as Windows-1252.
            regel += cp1252::vanTekst(QString::fromUtf8(m->moduleSoort->naam));
            regel += '|';
        } else {
            veld(regel, soort);
        }
        veld(regel, m->nummer);

        TUitgang* uitgangen[10];
        int n = zoekModuleUitgangen(m, uitgangen);
        // A relay with neither output wired lists no outputs at all.
        if (soort == soorten::relais && n >= 2 && uitgangen[0]->doelSoort == -1 &&
            uitgangen[1]->doelSoort == -1)
            n = 0;
        veld(regel, n);
        for (int i = 0; i < n; ++i) {
            veld(regel, uitgangen[i]->doelSoort);
            veld(regel, uitgangen[i]->doelNummer);
            veld(regel, uitgangen[i]->doelIngang);
        }
        instelling(regel, m);
        tekst += regel;
        tekst += "\r\n";
    }
    return tekst;
}

bool TfKwintelvlak::opslaan(const QString& bestandsNaam) {
    const QByteArray tekst = bordTekst();
    // The new board goes to a temporary file beside the old one, which is
    // replaced only when everything is written: a failure half-way leaves
    // the old file as it was.
    QSaveFile bestand(bestandsNaam);
    bool gelukt = bestand.open(QIODevice::WriteOnly);
    if (gelukt)
        gelukt = bestand.write(tekst) == tekst.size() && bestand.commit();
    if (gelukt)
        return true;
    const QString reden = waaromNietGeschreven(bestand);
    const QString systeem = bestand.errorString();
    bestand.cancelWriting();
    toonBericht(this, QMessageBox::Critical, QApplication::applicationName(),
                QStringLiteral("Het bord kon niet worden opgeslagen als \"%1\".\n%2\n"
                               "Melding van het systeem: %3\n"
                               "Een bestaand bestand met die naam is niet veranderd.")
                    .arg(QDir::toNativeSeparators(bestandsNaam), reden, systeem));
    return false;
}
