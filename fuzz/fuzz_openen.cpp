// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Fuzzes opening a board on a real (offscreen) window: any text must build a
// board without a crash, a hang or a leak, release the clock, and give a
// board that the program writes and reads back unchanged.
#include "app/kwintelvlak.h"
#include "boardfile/bordbestand.h"
#include "modules/module.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdint>
#include <cstdlib>
#include <map>

namespace {

TfKwintelvlak* form = nullptr;
int berichten = 0;

void eis(bool voorwaarde) {
    if (!voorwaarde)
        std::abort();
}

// Closes every message box as soon as it shows. The timer fires only inside
// the message box's own event loop, as nothing else runs one here.
void beantwoordBerichten() {
    auto* timer = new QTimer(qApp);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++berichten;
            box->done(0);
        }
    });
    timer->start();
}

// Numbers within each kind are 1..n along the list.
void controleerNummers() {
    std::map<int, int> laatste;
    for (const TModule* m : form->modules)
        eis(m->nummer == ++laatste[m->moduleSoort->soort]);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the offscreen platform would drown the fuzzer's report.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char naam[] = "fuzz_openen";
    static char* argv[] = {naam, nullptr};
    new QApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));
    form = new TfKwintelvlak;
    beantwoordBerichten();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView tekst(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    form->openenUitTekst(tekst, QStringLiteral("fuzz.brd"));
    eis(form->klokStopTeller() == 0 && !klokGestopt);
    controleerNummers();

    // What the program writes it reads back without a word, as the same board.
    const QByteArray geschreven = form->bordTekst();
    const int voor = berichten;
    form->openenUitTekst(geschreven, QStringLiteral("fuzz.brd"));
    eis(berichten == voor);
    eis(form->bordTekst() == geschreven);
    eis(form->klokStopTeller() == 0);
    return 0;
}
