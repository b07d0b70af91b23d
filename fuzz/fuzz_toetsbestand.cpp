// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Fuzzes the check-file reader: any bytes must be refused as no text, or
// read into steps or into mistakes with their line numbers, without a crash,
// a hang or a leak; whatever it reads must stay within what a check may ask
// of the checker, and no mistake may echo a control character.
#include "app/kwintelvlak.h"
#include "toetsen/toetsbestand.h"
#include "toetsen/toetsen.h"

#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

std::vector<toetsbestand::Soortnaam>* namen = nullptr;

void eis(bool voorwaarde) {
    if (!voorwaarde)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char naam[] = "fuzz_toetsbestand";
    static char* argv[] = {naam, nullptr};
    new QApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));
    // The names come from the window's menus, plug-in kinds included.
    auto* form = new TfKwintelvlak;
    namen = new std::vector<toetsbestand::Soortnaam>(toetsen::soortNamen(*form));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<QString> gelezen = toetsbestand::alsTekst(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!gelezen)
        return 0;
    const QString& tekst = *gelezen;
    const toetsbestand::Toets toets = toetsbestand::lees(tekst, *namen);
    const int regels = int(tekst.count(QLatin1Char('\n'))) + 1;

    int vorige = 0;
    for (const toetsbestand::Fout& f : toets.fouten) {
        eis(!f.tekst.isEmpty());
        for (const QChar c : f.tekst)
            eis(c.unicode() >= 0x20 && (c.unicode() < 0x7F || c.unicode() > 0x9F));
        eis(f.regelNummer >= 0 && f.regelNummer <= regels);
        eis(f.regelNummer >= vorige); // in the order of the file
        vorige = f.regelNummer;
    }
    if (!toets.fouten.empty())
        return 0;

    // A check that is accepted can be run: something to expect, every step
    // on a line of the file, every module named by a kind on offer, and no
    // more steps or simulated time than the reader promises.
    eis(toets.verwachtingen() > 0);
    eis(toets.regels.size() <= std::size_t(toetsbestand::kMaxStappen));
    qint64 tikken = 0;
    for (const toetsbestand::Regel& r : toets.regels) {
        eis(r.regelNummer >= 1 && r.regelNummer <= regels);
        if (r.stap == toetsbestand::Stap::Tik) {
            eis(r.getal >= 0 && r.getal <= toetsbestand::kMaxTikken);
            tikken += r.getal;
        }
        const bool metModule = r.stap != toetsbestand::Stap::Tik &&
                               r.stap != toetsbestand::Stap::Geluid &&
                               !(r.stap == toetsbestand::Stap::Muis && !r.relatief);
        if (metModule) {
            eis(r.module.entry != nullptr);
            eis(r.module.nummer >= 1 && r.module.nummer <= toetsbestand::kMaxNummer);
        }
        if (r.isVerwachting())
            eis(!toetsen::verwachtingWat(r).isEmpty());
    }
    eis(tikken <= toetsbestand::kMaxTotaalTikken);
    // Sections: every expectation in one, together weighing something.
    if (!toets.onderdelen.empty()) {
        int gewicht = 0;
        for (const toetsbestand::Onderdeel& o : toets.onderdelen)
            gewicht += o.gewicht;
        eis(gewicht > 0);
        for (const toetsbestand::Regel& r : toets.regels)
            eis(r.onderdeel >= 0 && r.onderdeel < int(toets.onderdelen.size()));
    }
    if (toets.cijfer)
        eis(toets.cijfer->laag < toets.cijfer->hoog);
    return 0;
}
