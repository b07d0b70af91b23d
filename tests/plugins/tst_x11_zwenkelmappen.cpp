// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Where plug-ins are found: the program's folder, the administrator's and
// the user's own, one library per file name, and a line saying why for
// every library that is not loaded, also from the real program's check run.
// Under an X server, so that the check run, which draws nowhere, has one to
// reach: an example plug-in that drew into its window there would end the
// process on the X error.
#include "support/kwinteltest.h"
#include "zwenkeltest.h"

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace kwinteltest;

namespace {

// A test library (name without suffix) copied into a folder as naam.
bool kopieer(const QString& bibliotheek, const QString& map, const QString& naam) {
    return QDir().mkpath(map) &&
           QFile::copy(QStringLiteral(KWINTEL_TEST_ZWENKEL_MAP "/") + bibliotheek + ".so",
                       QDir(map).filePath(naam));
}

QStringList opschriften(const TfKwintelvlak& form) {
    QStringList lijst;
    for (const QAction* a : form.miZwenkel->actions())
        lijst << a->text();
    return lijst;
}

} // namespace

class TestX11ZwenkelMappen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        initProces();
        QVERIFY(!qEnvironmentVariableIsEmpty("DISPLAY"));
    }

    void drieMappenEenNaamEenBibliotheek() {
        QTemporaryDir programma, beheer;
        platform::ZwenkelMapVoorTest seam(programma.path(), beheer.path());
        const QString eigen = platform::gebruikersZwenkelMap();
        QVERIFY(eigen.startsWith(
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));
        QDir(eigen).removeRecursively();
        // The program's folder: zelfde.so, and a tweede.so that is refused.
        QVERIFY(kopieer("tz_i", programma.path(), "zelfde.so"));
        QVERIFY(kopieer("tz_nul", programma.path(), "tweede.so"));
        // The administrator's: a library of its own, and a tweede.so that
        // takes the place of the refused one.
        QVERIFY(kopieer("tz_o", beheer.path(), "beheer.so"));
        QVERIFY(kopieer("tz_o", beheer.path(), "tweede.so"));
        // The user's: a library of its own, and a zelfde.so that must not
        // replace the program's.
        QVERIFY(kopieer("tz_i", eigen, "eigen.so"));
        QVERIFY(kopieer("tz_o", eigen, "zelfde.so"));
        {
            TfKwintelvlak form;
            QCOMPARE(opschriften(form), (QStringList{"ITestzwenkel", "OTweede testzwenkel",
                                                     "OTweede testzwenkel", "ITestzwenkel"}));
            QCOMPARE(form.menuItemVoor(zwenkeltest::soortVan(form, "zelfde"))->text(),
                     QStringLiteral("ITestzwenkel"));
            QCOMPARE(
                form.zwenkelWeigeringen,
                (QStringList{QStringLiteral("zwenkel \"%1/tweede.so\" niet geladen: init gaf 0")
                                 .arg(programma.path()),
                             QStringLiteral("zwenkel \"%1zelfde.so\" niet geladen: dezelfde "
                                            "bestandsnaam als \"%2/zelfde.so\", dat al geladen is")
                                 .arg(eigen, programma.path())}));
            // A board with the user's and the administrator's plug-ins.
            form.openenUitTekst("EKWINTELVLAK V1.5|1\r\n0|0|eigen.so|1|1|-1|1|1||\r\n"
                                "0|100|beheer.so|1|1|-1|1|1||\r\n",
                                QStringLiteral("bord.brd"));
            QCOMPARE(form.modules.size(), size_t(2));
        }
        QDir(eigen).removeRecursively();
    }

    void programmaZegtWaaromNiet() {
        // The real program, checking a board: the user's folder (through
        // XDG_DATA_HOME) holds the board's plug-in (the pass-through example,
        // which draws with Xlib when it gets a window), a library whose
        // "init" refuses, one whose name a board cannot hold, and one named
        // like an example beside the program.
        QTemporaryDir thuis, werk;
        const QString eigen = thuis.filePath("Kwintelvlak/zwenkels");
        QVERIFY(QDir().mkpath(eigen));
        QVERIFY(QFile::copy(QStringLiteral(KWINTEL_PROGRAMMA_MAP "/doorgeven.so"),
                            eigen + "/eigen.so"));
        QVERIFY(kopieer("tz_nul", eigen, "nul.so"));
        QVERIFY(kopieer("tz_i", eigen, "terug\rloop.so"));
        QVERIFY(kopieer("tz_i", eigen, "xof.so"));
        QFile bord(werk.filePath("bord.brd")), toets(werk.filePath("toets.txt"));
        QVERIFY(bord.open(QIODevice::WriteOnly) && toets.open(QIODevice::WriteOnly));
        bord.write(
            "EKWINTELVLAK V1.5|1\r\n0|0|3|1|1|20|1|1|25|\r\n0|250|eigen.so|1|1|-1|1|1||\r\n");
        toets.write("tik 3\nverwacht eigen 1 uitgang 1 24\n");
        bord.close();
        toets.close();

        QProcess p;
        QProcessEnvironment omgeving = QProcessEnvironment::systemEnvironment();
        omgeving.insert(QStringLiteral("XDG_DATA_HOME"), thuis.path());
        omgeving.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(omgeving);
        p.setWorkingDirectory(werk.path());
        p.start(QStringLiteral(KWINTEL_PROGRAMMA), {"--toets", "toets.txt", "bord.brd"});
        QVERIFY(p.waitForFinished(60000));
        const QString uit = QString::fromUtf8(p.readAllStandardOutput());
        const QString fout = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(p.exitCode() == 0, qPrintable(uit + fout));
        QVERIFY2(uit.contains("    ok 1 - Ingang naar uitgang (doorgeven) 1 uitgang 1 24"),
                 qPrintable(uit));

        const QStringList redenen{
            QStringLiteral("zwenkel \"%1/nul.so\" niet geladen: init gaf 0").arg(eigen),
            QStringLiteral("zwenkel \"%1/terug\\rloop.so\" niet geladen: naam past niet in een "
                           "bordbestand")
                .arg(eigen),
            QStringLiteral("zwenkel \"%1/xof.so\" niet geladen: dezelfde bestandsnaam als "
                           "\"%2/xof.so\", dat al geladen is")
                .arg(eigen, QDir::cleanPath(KWINTEL_PROGRAMMA_MAP))};
        // One line each on standard error, and as diagnostics right under
        // the TAP version line.
        const QStringList foutRegels = fout.split('\n');
        const QStringList uitRegels = uit.split('\n');
        QCOMPARE(uitRegels.value(0), QStringLiteral("TAP version 13"));
        for (qsizetype i = 0; i < redenen.size(); ++i) {
            QVERIFY2(foutRegels.contains("Kwintelvlak: " + redenen[i]), qPrintable(fout));
            QCOMPARE(uitRegels.value(i + 1), "# " + redenen[i]);
        }
    }
};

QTEST_MAIN(TestX11ZwenkelMappen)
#include "tst_x11_zwenkelmappen.moc"
