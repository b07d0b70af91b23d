// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Reading a board file: clearing the board and building what the file's
// records describe, leniently.
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
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace {

// No board comes near this size (a full board is a few kilobytes). A larger
// file is refused rather than read into memory and turned into so many
// modules that the program would seem to hang.
constexpr qint64 kMaxBestandsGrootte = 1024 * 1024;

// A board is meant for a window of 720 x 576; even a board scrolled far
// holds a few hundred modules at most. Reading stops at this many, so a
// hand-made file cannot keep the program busy for minutes.
constexpr size_t kMaxModules = 1000;

// Positions are kept within reach of the geometry arithmetic of the board,
// so a hand-edited huge number cannot overflow it.
constexpr int kMaxPositie = 100000;

void meldFout(TfKwintelvlak* form, const QString& tekst) {
    toonBericht(form, QMessageBox::Critical, QApplication::applicationName(), tekst);
}

// The whole file, or an empty optional after reporting why it cannot be read.
std::optional<QByteArray> leesBestand(TfKwintelvlak* form, const QString& bestandsNaam) {
    const QString kop = QStringLiteral("Het bestand \"%1\" kan niet worden gelezen.\n")
                            .arg(QDir::toNativeSeparators(bestandsNaam));
    const QFileInfo info(bestandsNaam);
    if (!info.exists()) {
        meldFout(form, kop + QStringLiteral("Het bestand bestaat niet."));
        return std::nullopt;
    }
    if (info.isDir()) {
        meldFout(form, kop + QStringLiteral("Dit is een map, geen bestand."));
        return std::nullopt;
    }
    QFile bestand(bestandsNaam);
    if (!bestand.open(QIODevice::ReadOnly)) {
        meldFout(form,
                 kop + QStringLiteral("Melding van het systeem: %1").arg(bestand.errorString()));
        return std::nullopt;
    }
    // The size is checked on what is read, not on what the file says, so a
    // file that grows meanwhile (or a device) cannot slip through.
    QByteArray tekst = bestand.read(kMaxBestandsGrootte + 1);
    if (bestand.error() != QFileDevice::NoError) {
        meldFout(form,
                 kop + QStringLiteral("Melding van het systeem: %1").arg(bestand.errorString()));
        return std::nullopt;
    }
    if (tekst.size() > kMaxBestandsGrootte) {
        meldFout(form, kop + QStringLiteral("Het is groter dan 1 MB; zo groot is geen bord."));
        return std::nullopt;
    }
    return tekst;
}

// Sets the wires of a module from its record: whole triples only, so a
// triple with a field that is not a number leaves its output as it was.
// False after reporting such a field.
bool zetDraden(TfKwintelvlak* form, const bordbestand::ModuleRegel& r, TUitgang* const* uitgangen,
               const QString& bord) {
    for (int i = 0; i < r.n; ++i) {
        int waarden[3];
        for (int k = 0; k < 3; ++k) {
            const QByteArray& veld = r.draadVelden[static_cast<size_t>(3 * i + k)];
            const std::optional<int> w = bordbestand::alsGeheel(veld);
            if (!w) {
                meldFout(form, QStringLiteral("Fout in regel %1 van %2: \"%3\" is geen geheel "
                                              "getal.\nHet lezen is hier gestopt; wat tot dan toe "
                                              "gelezen was, blijft op het bord.")
                                   .arg(r.regelNummer)
                                   .arg(bord, cp1252::naarTekst(veld)));
                return false;
            }
            waarden[k] = *w;
        }
        uitgangen[i]->doelSoort = waarden[0];
        uitgangen[i]->doelNummer = waarden[1];
        uitgangen[i]->doelIngang = waarden[2];
    }
    return true;
}

void zetInstelling(TModule* module, const bordbestand::ModuleRegel& r) {
    const auto waarde = [&r](int standaard) {
        return bordbestand::alsGeheel(r.instelling).value_or(standaard);
    };
    // The controls clamp the value to their range.
    if (auto* v = qobject_cast<TVariabeleSpanningMod*>(module))
        v->regelaar->setValue(waarde(0));
    else if (auto* p = qobject_cast<TPulsGeneratorMod*>(module))
        p->regelaar->setValue(waarde(1));
    else if (auto* c = qobject_cast<TComparatorMod*>(module))
        c->regelaar->setValue(waarde(0));
    // A plug-in module hands its stored text, zero-terminated, to its
    // library's "open" export together with what "create" returned.
    else if (auto* z = qobject_cast<TZwenkelMod*>(module))
        z->herstel(r.instelling);
    // The split's and inverter's "S" chose the variant already; the sound
    // sensor's and buzzer's menu items were disabled when they were made.
}

} // namespace

bool TfKwintelvlak::openen(const QString& bestandsNaam) {
    KlokHouder houder(this);
    nieuw();
    const std::optional<QByteArray> tekst = leesBestand(this, bestandsNaam);
    if (tekst)
        openenUitTekst(*tekst, bestandsNaam);
    return tekst.has_value();
}

void TfKwintelvlak::openenUitTekst(QByteArrayView tekst, const QString& naam,
                                   const QString& omschrijving) {
    // How the messages name the board: its file, or what the caller says.
    const QString welkBord = omschrijving.isEmpty()
                                 ? QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(naam))
                                 : omschrijving;
    KlokHouder houder(this);
    nieuw();
    // Lines are taken apart one at a time, so a file of many lines needs no
    // more memory than its text and the list of where its lines are.
    const std::vector<QByteArrayView> regels = bordbestand::regels(tekst);
    if (regels.empty())
        return;
    const bordbestand::Kop kop = bordbestand::leesKop(regels.front());
    miLogoWeergeven->setChecked(kop.logo);
    pKwintelvlak->setVisible(kop.logo);
    miTellerLatenDoorlopen->setChecked(kop.tellerDoorlopen);
    for (size_t i = 1; i < regels.size(); ++i) {
        const bordbestand::ModuleRegel r =
            bordbestand::leesModuleRegel(regels[i], static_cast<int>(i + 1));
        // The catalogue holds library names as UTF-8; the file as Windows-1252.
        // No file name holds a zero byte, so such a name matches nothing.
        if (r.naam.contains('\0'))
            continue;
        const QByteArray naamUtf8 = cp1252::naarTekst(r.naam).toUtf8();
        const PModuleSoort entry = zoekLoadedModule(r.soort, naamUtf8.constData(), r.variant);
        if (!entry)
            continue;
        if (modules.size() >= kMaxModules) {
            const QString wie = omschrijving.isEmpty()
                                    ? QStringLiteral("Het bord in %1").arg(welkBord)
                                    : welkBord.left(1).toUpper() + welkBord.mid(1);
            meldFout(this, QStringLiteral("%1 heeft meer dan %2 modules; alleen de eerste %2 zijn "
                                          "gelezen.")
                               .arg(wie)
                               .arg(kMaxModules));
            return;
        }
        TModule* module = maakModule(entry, std::clamp(r.top, -kMaxPositie, kMaxPositie),
                                     std::clamp(r.left, -kMaxPositie, kMaxPositie));
        if (!module)
            continue;
        TUitgang* uitgangen[10];
        const int aantal = zoekModuleUitgangen(module, uitgangen);
        if (aantal < r.n) {
            toonBericht(this, QMessageBox::NoIcon, QApplication::applicationName(),
                        QStringLiteral(
                            "Gegeven aantal uitgangen is groter dan verwachte aantal uitgangen!"));
        } else if (!zetDraden(this, r, uitgangen, welkBord)) {
            return;
        }
        zetInstelling(module, r);
    }
}
