// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "app/afbeelding.h"
#include "app/kwintelvlak.h"
#include "app/opdrachtregel.h"
#include "boardfile/bordpaden.h"
#include "boardfile/herstel.h"
#include "editing/geschiedenis.h"
#include "platform/platform.h"
#include "platform/venstersysteem.h"
#include "toetsen/toetsen.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <cstdio>

int main(int argc, char* argv[]) {
    // The command line is read before the application object exists: the
    // way of running decides the display platform and the scale.
    const opdrachtregel::Opdracht opdracht =
        opdrachtregel::lees(platform::opdrachtregelArgumenten(argc, argv));
    // Everything but the window writes to the console it was started from.
    if (opdracht.modus != opdrachtregel::Modus::Venster)
        platform::gebruikConsole();
    if (opdracht.modus == opdrachtregel::Modus::Klaar) {
        QTextStream(opdracht.naarFoutUitvoer ? stderr : stdout) << opdracht.uitvoer;
        return opdracht.status;
    }
    opdrachtregel::bereidOmgevingVoor(opdracht);
    platform::kiesVensterSysteem();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));
    QTextStream uit(stdout);
    QTextStream fout(stderr);
    if (opdracht.modus == opdrachtregel::Modus::Toets)
        return toetsen::voerUit(opdracht, uit, fout);
    if (opdracht.modus == opdrachtregel::Modus::Afbeelding)
        return afbeelding::voerUit(opdracht, fout);

    // Qt's own texts (file dialogs, standard buttons) in Dutch, when Qt's
    // translations are installed.
    QTranslator qtTeksten;
    if (qtTeksten.load(QLocale(QLocale::Dutch), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTeksten);

    QIcon pictogram;
    pictogram.addFile(QStringLiteral(":/pictogram/kwintelvlak-48.png"));
    pictogram.addFile(QStringLiteral(":/pictogram/kwintelvlak-128.png"));
    QApplication::setWindowIcon(pictogram);

    TfKwintelvlak fKwintelvlak;
    // A board named on the command line replaces the standard board.
    const QString bord =
        bordpaden::opdrachtregelBord(opdracht.borden.value(0), TfKwintelvlak::programmaMap());
    if (!bord.isEmpty()) {
        if (fKwintelvlak.openen(bord))
            fKwintelvlak.geschiedenis().geopend(QFileInfo(bord).absoluteFilePath());
        fKwintelvlak.miVernieuwenClick();
    }
    fKwintelvlak.show();
    // Only the window a user works in keeps a recovery file, and offers the
    // one an earlier run left.
    THerstelBestand herstel(fKwintelvlak);
    herstel.biedAan();
    return QApplication::exec();
}
