// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Reading the command line: which way of running it asks for. What the
// program then does with it is tested on the real program (tst_programma).
#include "app/opdrachtregel.h"

#include <QTest>

using opdrachtregel::Modus;

class TestOpdrachtregel : public QObject {
    Q_OBJECT
private slots:
    void lezen_data() {
        QTest::addColumn<QStringList>("argumenten");
        QTest::addColumn<int>("modus");
        QTest::addColumn<QStringList>("borden");
        QTest::addColumn<int>("schaal");
        const int venster = int(Modus::Venster), klaar = int(Modus::Klaar);
        QTest::newRow("niets") << QStringList{} << venster << QStringList{} << 1;
        // A lone board name still opens that board in the window.
        QTest::newRow("een bord") << QStringList{"les.brd"} << venster << QStringList{"les.brd"}
                                  << 1;
        QTest::newRow("beamer") << QStringList{"--schaal", "2", "les.brd"} << venster
                                << QStringList{"les.brd"} << 2;
        QTest::newRow("schaal vast") << QStringList{"--schaal=3"} << venster << QStringList{} << 3;
        // Qt's own options are Qt's, not unknown ones.
        QTest::newRow("opties van Qt")
            << QStringList{"-platform", "xcb", "-style", "fusion", "les.brd"} << venster
            << QStringList{"les.brd"} << 1;
        QTest::newRow("bord dat met een streep begint")
            << QStringList{"--", "-les.brd"} << venster << QStringList{"-les.brd"} << 1;
        QTest::newRow("toets") << QStringList{"--toets", "t.txt", "a.brd", "b.brd"}
                               << int(Modus::Toets) << QStringList{"a.brd", "b.brd"} << 1;
        QTest::newRow("afbeelding")
            << QStringList{"--afbeelding", "b.png", "--schaal", "2", "a.brd"}
            << int(Modus::Afbeelding) << QStringList{"a.brd"} << 2;
        QTest::newRow("schaal 5") << QStringList{"--schaal", "5"} << klaar << QStringList{} << 1;
        QTest::newRow("tikken negatief")
            << QStringList{"--afbeelding", "b.png", "--tikken", "-1", "a.brd"} << klaar
            << QStringList{} << 1;
        QTest::newRow("twee borden voor een afbeelding")
            << QStringList{"--afbeelding", "b.png", "a.brd", "b.brd"} << klaar << QStringList{}
            << 1;
        QTest::newRow("toets en afbeelding samen")
            << QStringList{"--toets", "t.txt", "--afbeelding", "b.png", "a.brd"} << klaar
            << QStringList{} << 1;
        QTest::newRow("json bij het venster")
            << QStringList{"--json", "a.brd"} << klaar << QStringList{} << 1;
        QTest::newRow("tikken bij de toets")
            << QStringList{"--toets", "t.txt", "--tikken", "3", "a.brd"} << klaar << QStringList{}
            << 1;
        QTest::newRow("tijdslimiet")
            << QStringList{"--toets", "t.txt", "--tijdslimiet", "60", "a.brd"} << int(Modus::Toets)
            << QStringList{"a.brd"} << 1;
        QTest::newRow("tijdslimiet 0")
            << QStringList{"--toets", "t.txt", "--tijdslimiet", "0", "a.brd"} << klaar
            << QStringList{} << 1;
        QTest::newRow("tijdslimiet bij een afbeelding")
            << QStringList{"--afbeelding", "b.png", "--tijdslimiet", "60", "a.brd"} << klaar
            << QStringList{} << 1;
        QTest::newRow("nummers") << QStringList{"--afbeelding", "b.png", "--nummers", "a.brd"}
                                 << int(Modus::Afbeelding) << QStringList{"a.brd"} << 1;
        QTest::newRow("nummers bij de toets")
            << QStringList{"--toets", "t.txt", "--nummers", "a.brd"} << klaar << QStringList{} << 1;
    }

    void lezen() {
        QFETCH(QStringList, argumenten);
        QFETCH(int, modus);
        QFETCH(QStringList, borden);
        QFETCH(int, schaal);
        const opdrachtregel::Opdracht o =
            opdrachtregel::lees(QStringList{QStringLiteral("kwintelvlak")} + argumenten);
        QCOMPARE(int(o.modus), modus);
        if (o.modus == Modus::Klaar) {
            // A mistake: a Dutch message on standard error and status 2.
            QCOMPARE(o.status, 2);
            QVERIFY(o.naarFoutUitvoer);
            QVERIFY(o.uitvoer.startsWith(QStringLiteral("kwintelvlak: ")));
            return;
        }
        QCOMPARE(o.borden, borden);
        QCOMPARE(o.schaal, schaal);
    }
};

QTEST_GUILESS_MAIN(TestOpdrachtregel)
#include "tst_opdrachtregel.moc"
