// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Behaviour of the sources and the processing kinds, one table per routine.
// A split serves as a probe: it records the raw level that reaches it.
#include "modules/regelaars.h"
#include "modules/soorten/adomzetter.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/geheugencel.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/invertor.h"
#include "modules/soorten/poorten.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/sensor.h"
#include "modules/soorten/split.h"
#include "modules/soorten/variabelespanning.h"
#include "platform/testseams.h"
#include "simtest.h"

#include <QTest>

using namespace kwinteltest;
using namespace simtest;

class TestInvoer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void drukschakelaar_data() {
        QTest::addColumn<int>("stand");
        QTest::addColumn<int>("niveau");
        QTest::newRow("op") << 0 << 0;
        QTest::newRow("ingedrukt") << 1 << 50;
        QTest::newRow("vastgezet") << 2 << 50;
    }

    void drukschakelaar() {
        QFETCH(int, stand);
        QFETCH(int, niveau);
        Bord b;
        auto* knop = maak<TDrukSchakelaarMod>(b.form, DRUKSCHAKELAAR);
        auto* s = b.sonde(knop);
        knop->sSchakelaar->stand = quint8(stand);
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), niveau);
        QCOMPARE(aan(knop->uitgang), niveau > 13);
    }

    void vastgezetteKnopZendtElkeTik() {
        // Latched with the right button, the key sends 50 until it is released.
        Bord b;
        auto* knop = maak<TDrukSchakelaarMod>(b.form, DRUKSCHAKELAAR);
        auto* s = b.sonde(knop);
        b.form.sSchakelaarMouseDown(knop->sSchakelaar, Qt::RightButton);
        b.form.sSchakelaarMouseUp(knop->sSchakelaar, Qt::RightButton);
        for (int i = 0; i < 3; ++i) {
            s->ingangsNiveau = 0;
            tik(b.form);
            QCOMPARE(int(s->ingangsNiveau), 50);
        }
        b.form.sSchakelaarMouseDown(knop->sSchakelaar, Qt::LeftButton);
        b.form.sSchakelaarMouseUp(knop->sSchakelaar, Qt::LeftButton);
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), 0);
    }

    void pulsgenerator_data() {
        // The setting, then per step: ms to move the clock before the tick,
        // and the level that tick sends.
        QTest::addColumn<QString>("instelling");
        QTest::addColumn<QList<int>>("stappen");
        QTest::addColumn<QList<int>>("niveaus");
        QTest::addColumn<QString>("getoond");
        QTest::newRow("10 Hz: meer dan 100 ms") << "10" << QList<int>{0, 10, 90, 1, 10, 90, 1}
                                                << QList<int>{50, 0, 0, 50, 0, 0, 50} << "10";
        QTest::newRow("1 Hz") << "1" << QList<int>{0, 500, 500, 1, 999, 1, 1}
                              << QList<int>{50, 0, 0, 50, 0, 0, 50} << "1";
        QTest::newRow("0 Hz: nooit")
            << "0" << QList<int>{0, 1000, 5000, 70000} << QList<int>{0, 0, 0, 0} << "0";
        QTest::newRow("12 wordt 10")
            << "12" << QList<int>{0, 100, 1} << QList<int>{50, 0, 50} << "10";
        QTest::newRow("-3 wordt 0") << "-3" << QList<int>{0, 2000} << QList<int>{0, 0} << "0";
        QTest::newRow("geen getal leest 0")
            << "x" << QList<int>{0, 2000} << QList<int>{0, 0} << "x";
    }

    void pulsgenerator() {
        QFETCH(QString, instelling);
        QFETCH(QList<int>, stappen);
        QFETCH(QList<int>, niveaus);
        QFETCH(QString, getoond);
        platform::FakeClock klok(5000);
        Bord b;
        auto* gen = maak<TPulsGeneratorMod>(b.form, PULSGENERATOR);
        auto* s = b.sonde(gen);
        gen->regelaar->setText(instelling);
        for (int i = 0; i < stappen.size(); ++i) {
            klok.advance(stappen[i]);
            tik(b.form);
            QCOMPARE(int(s->ingangsNiveau), niveaus[i]);
        }
        QCOMPARE(gen->regelaar->text(), getoond);
    }

    void eerstePulsMetDeEchteKlok() {
        // The real count is the system's uptime, not the time since start-up:
        // a generator made just after start-up pulses on its first tick.
        Bord b;
        auto* gen = maak<TPulsGeneratorMod>(b.form, PULSGENERATOR);
        auto* s = b.sonde(gen);
        QCOMPARE(gen->regelaar->value(), 1);
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), 50);
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), 0);
    }

    void pulsgeneratorOverDeOmslagVanDeTeller() {
        // The tick count wraps at 2^32; the distance is still measured right.
        platform::FakeClock klok(0xFFFFFFF0u);
        Bord b;
        auto* gen = maak<TPulsGeneratorMod>(b.form, PULSGENERATOR);
        auto* s = b.sonde(gen);
        gen->regelaar->setValue(10);
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), 50);
        QCOMPARE(gen->laatstePuls, 0xFFFFFFF0u);
        klok.advance(100); // now 0x54 after the wrap: exactly 100 ms
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), 0);
        klok.advance(1);
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), 50);
        QCOMPARE(gen->laatstePuls, 0x55u);
    }

    void variabeleSpanning_data() {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<int>("niveau");
        QTest::addColumn<QString>("getoond");
        QTest::newRow("0,0") << "0,0" << 0 << "0,0";
        QTest::newRow("1,3 laag") << "1,3" << 13 << "1,3";
        QTest::newRow("1,4 hoog") << "1,4" << 14 << "1,4";
        QTest::newRow("5,0") << "5,0" << 50 << "5,0";
        QTest::newRow("7,5 wordt 5,0") << "7,5" << 50 << "5,0";
        QTest::newRow("-1 wordt 0,0") << "-1" << 0 << "0,0";
    }

    void variabeleSpanning() {
        QFETCH(QString, tekst);
        QFETCH(int, niveau);
        QFETCH(QString, getoond);
        Bord b;
        auto* v = maak<TVariabeleSpanningMod>(b.form, VARIABELESPANNING);
        auto* s = b.sonde(v);
        v->regelaar->setText(tekst);
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), niveau);
        QCOMPARE(v->regelaar->text(), getoond);
        QCOMPARE(aan(v->uitgang), niveau > 13);
    }

    void sensor_data() {
        // The pointer's distance from the module's top-left corner, in parts
        // of the window's outer width and height.
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<int>("niveau");
        QTest::newRow("op de hoek") << 0.0 << 0.0 << 50;
        QTest::newRow("een venster verder") << 1.0 << 1.0 << 0;
        QTest::newRow("een venster links erboven") << -1.0 << -1.0 << 0;
        QTest::newRow("ver weg") << 3.0 << -2.0 << 0;
        QTest::newRow("half breed: 37,5 naar 38") << 0.5 << 0.0 << 38;
        QTest::newRow("half breed, vol hoog: 12,5 naar 12") << 0.5 << 1.0 << 12;
        QTest::newRow("kwart, kwart: 37,5 naar 38") << -0.25 << 0.25 << 38;
        QTest::newRow("alleen hoogte") << 2.0 << 0.0 << 25;
    }

    void sensor() {
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(int, niveau);
        platform::FakeCursor wijzer;
        Bord b;
        b.form.resize(800, 600);
        auto* sensor = maak<TSensorMod>(b.form, SENSOR, 40, 60);
        auto* s = b.sonde(sensor);
        const QSize buiten = b.form.frameGeometry().size();
        QVERIFY(buiten.width() % 4 == 0 && buiten.height() % 4 == 0);
        const QPoint hoek = sensor->mapToGlobal(QPoint(0, 0));
        wijzer.setPos(hoek + QPoint(int(dx * buiten.width()), int(dy * buiten.height())));
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), niveau);
    }

    void geluidSensor_data() {
        QTest::addColumn<bool>("beschikbaar");
        QTest::addColumn<int>("piek");
        QTest::addColumn<int>("niveau");
        QTest::newRow("stilte") << true << 0 << 0;
        QTest::newRow("32767 geeft 45") << true << 32767 << 45;
        QTest::newRow("32768 geeft 45") << true << 32768 << 45;
        QTest::newRow("9192: 12,5 naar 12") << true << 9192 << 12;
        QTest::newRow("27576: 37,5 naar 38") << true << 27576 << 38;
        QTest::newRow("zonder geluidsinvoer") << false << 32767 << 0;
    }

    void geluidSensor() {
        QFETCH(bool, beschikbaar);
        QFETCH(int, piek);
        QFETCH(int, niveau);
        Bord b;
        auto* g = maak<TGeluidSensorMod>(b.form, GELUIDSENSOR);
        auto* s = b.sonde(g);
        audioBeschikbaar = beschikbaar;
        geluidNiveau = piek;
        s->ingangsNiveau = 99;
        tik(b.form);
        audioBeschikbaar = false;
        geluidNiveau = 0;
        QCOMPARE(int(s->ingangsNiveau), niveau);
    }

    void adOmzetterCodetabel_data() {
        QTest::addColumn<int>("niveau");
        QTest::addColumn<int>("code");
        // Levels 5, 15, 25, 35 and 45 are exact halves and go to the even code.
        const struct {
            int van, tot, code;
        } tabel[] = {{0, 1, 0},    {2, 4, 1},    {5, 8, 2},    {9, 11, 3},   {12, 15, 4},
                     {16, 18, 5},  {19, 21, 6},  {22, 24, 7},  {25, 28, 8},  {29, 31, 9},
                     {32, 35, 10}, {36, 38, 11}, {39, 41, 12}, {42, 44, 13}, {45, 48, 14},
                     {49, 50, 15}, {51, 255, 15}};
        for (const auto& r : tabel)
            for (int n = r.van; n <= r.tot; ++n)
                QTest::addRow("%d", n) << n << r.code;
    }

    void adOmzetterCodetabel() {
        QFETCH(int, niveau);
        QFETCH(int, code);
        Bord b;
        auto* ad = maak<TADOmzetterMod>(b.form, ADOMZETTER);
        auto* knop = maak<TDrukSchakelaarMod>(b.form, DRUKSCHAKELAAR);
        verbind(knop, 1, ad, 1); // fed, so the level stays
        TSplitMod* sonde[5] = {};
        for (int i = 1; i <= 4; ++i)
            sonde[i] = b.sonde(ad, i);
        b.form.moduleActie(ad, 1, quint8(niveau));
        QCOMPARE(int(ad->ingangsNiveau), niveau);
        QCOMPARE(aan(ad->ingang), niveau > 13);
        b.form.moduleActie(ad, 0, 0);
        int gelezen = 0;
        for (int i = 1; i <= 4; ++i) {
            const int bit = sonde[i]->ingangsNiveau;
            QVERIFY(bit == 0 || bit == 50);
            QCOMPARE(aan(ad->uitgangen[i]), bit == 50);
            gelezen = gelezen * 2 + (bit == 50);
        }
        QCOMPARE(gelezen, code);
    }

    void adOmzetterOngevoedLeestNul() {
        Bord b;
        auto* ad = maak<TADOmzetterMod>(b.form, ADOMZETTER);
        auto* s = b.sonde(ad, 1);
        ad->ingangsNiveau = 50;
        ad->ingang->toonNiveau(50);
        tik(b.form);
        QCOMPARE(int(ad->ingangsNiveau), 0);
        QVERIFY(!aan(ad->ingang));
        QCOMPARE(int(s->ingangsNiveau), 0);
    }

    void comparator_data() {
        QTest::addColumn<QString>("referentie");
        QTest::addColumn<int>("ingang"); // -1: unfed
        QTest::addColumn<int>("uit");
        QTest::addColumn<QString>("getoond");
        QTest::newRow("referentie 0, ongevoed") << "0,0" << -1 << 50 << "0,0";
        QTest::newRow("2,5 tegen 25: gelijk is hoog") << "2,5" << 25 << 50 << "2,5";
        QTest::newRow("2,5 tegen 24") << "2,5" << 24 << 0 << "2,5";
        QTest::newRow("2,5 ongevoed") << "2,5" << -1 << 0 << "2,5";
        QTest::newRow("5,0 tegen 50") << "5,0" << 50 << 50 << "5,0";
        QTest::newRow("6,0 wordt 5,0") << "6,0" << 49 << 0 << "5,0";
        QTest::newRow("-0,5 wordt 0,0") << "-0,5" << 0 << 50 << "0,0";
    }

    void comparator() {
        QFETCH(QString, referentie);
        QFETCH(int, ingang);
        QFETCH(int, uit);
        QFETCH(QString, getoond);
        Bord b;
        auto* c = maak<TComparatorMod>(b.form, COMPARATOR);
        auto* s = b.sonde(c);
        c->regelaar->setText(referentie);
        if (ingang >= 0)
            b.spanning(c, 1, ingang);
        tik(b.form, 2);
        QCOMPARE(int(s->ingangsNiveau), uit);
        QCOMPARE(aan(c->uitgang), uit == 50);
        QCOMPARE(c->regelaar->text(), getoond);
    }

    void poorten_data() {
        QTest::addColumn<bool>("en");
        QTest::addColumn<int>("a"); // level at input 1, -1 unfed
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("uit");
        for (bool en : {true, false}) {
            const char* n = en ? "EN" : "OF";
            QTest::addRow("%s hoog hoog", n) << en << 50 << 50 << 50;
            QTest::addRow("%s hoog laag", n) << en << 50 << 0 << (en ? 0 : 50);
            QTest::addRow("%s laag laag", n) << en << 0 << 0 << 0;
            QTest::addRow("%s 14 en 14", n) << en << 14 << 14 << 50;
            QTest::addRow("%s 13 en 50", n) << en << 13 << 50 << (en ? 0 : 50);
            QTest::addRow("%s een draad hoog", n) << en << 50 << -1 << (en ? 0 : 50);
            QTest::addRow("%s andere draad hoog", n) << en << -1 << 50 << (en ? 0 : 50);
            QTest::addRow("%s zonder draden", n) << en << -1 << -1 << 0;
        }
    }

    void poorten() {
        QFETCH(bool, en);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, uit);
        Bord bord;
        TModule* poort = en ? static_cast<TModule*>(maak<TENPoortMod>(bord.form, ENPOORT))
                            : maak<TOFPoortMod>(bord.form, OFPOORT);
        auto* s = bord.sonde(poort);
        if (a >= 0)
            bord.spanning(poort, 1, a);
        if (b >= 0)
            bord.spanning(poort, 2, b);
        tik(bord.form, 2);
        QCOMPARE(int(s->ingangsNiveau), uit);
        QCOMPARE(aan(poort->ingangenLijst()[0]), a > 13);
        QCOMPARE(aan(poort->ingangenLijst()[1]), b > 13);
    }

    void ongevoedePoortIngangLeestLaag() {
        // Cutting the wire clears what the input last received.
        Bord b;
        auto* of = maak<TOFPoortMod>(b.form, OFPOORT);
        auto* s = b.sonde(of);
        auto* v = b.spanning(of, 1, 50);
        tik(b.form, 2);
        QCOMPARE(int(s->ingangsNiveau), 50);
        v->uitgang->verbreek();
        tik(b.form);
        QVERIFY(!of->ingangHoog[1]);
        QVERIFY(!aan(of->ingangen[1]));
        QCOMPARE(int(s->ingangsNiveau), 0);
    }

    void invertor_data() {
        QTest::addColumn<int>("positie");
        QTest::addColumn<int>("ingang"); // -1 unfed
        QTest::addColumn<int>("uit");
        for (int positie : {INVERTOR, INVERTORKLEIN}) {
            const char* n = positie == INVERTOR ? "normaal" : "klein";
            QTest::addRow("%s ongevoed", n) << positie << -1 << 50;
            QTest::addRow("%s 0", n) << positie << 0 << 50;
            QTest::addRow("%s 13", n) << positie << 13 << 50;
            QTest::addRow("%s 14", n) << positie << 14 << 0;
            QTest::addRow("%s 50", n) << positie << 50 << 0;
        }
    }

    void invertor() {
        QFETCH(int, positie);
        QFETCH(int, ingang);
        QFETCH(int, uit);
        Bord b;
        auto* inv = maak<TInvertorMod>(b.form, positie);
        auto* s = b.sonde(inv);
        if (ingang >= 0)
            b.spanning(inv, 1, ingang);
        s->ingangsNiveau = 99;
        tik(b.form, 2);
        QCOMPARE(int(s->ingangsNiveau), uit);
        QCOMPARE(inv->ingangHoog, ingang > 13);
        QCOMPARE(aan(inv->ingang), ingang > 13);
    }

    void geheugencel_data() {
        // Per step: the levels at set and reset (-1: unfed), then the output.
        QTest::addColumn<QList<int>>("zet");
        QTest::addColumn<QList<int>>("wis");
        QTest::addColumn<QList<int>>("uit");
        QTest::newRow("zetten blijft")
            << QList<int>{0, 50, 0, 0} << QList<int>{0, 0, 0, 0} << QList<int>{0, 50, 50, 50};
        QTest::newRow("wissen") << QList<int>{50, 0, 0} << QList<int>{0, 0, 50}
                                << QList<int>{50, 50, 0};
        QTest::newRow("zetten wint")
            << QList<int>{50, 50, 0} << QList<int>{0, 50, 0} << QList<int>{50, 50, 50};
        QTest::newRow("wissen na zetten los")
            << QList<int>{50, 50, 0, 0} << QList<int>{0, 50, 50, 0} << QList<int>{50, 50, 0, 0};
        QTest::newRow("draad eraf houdt het bit")
            << QList<int>{50, -1, -1} << QList<int>{0, -1, 50} << QList<int>{50, 50, 50};
        QTest::newRow("13 zet niet") << QList<int>{13, 14} << QList<int>{0, 0} << QList<int>{0, 50};
    }

    void geheugencel() {
        // Levels go straight to the cell's inputs, as a sender's would.
        QFETCH(QList<int>, zet);
        QFETCH(QList<int>, wis);
        QFETCH(QList<int>, uit);
        Bord b;
        auto* cel = maak<TGeheugenCelMod>(b.form, GEHEUGENCEL);
        auto* s = b.sonde(cel);
        auto* bron1 = b.spanning(cel, 1, 0);
        auto* bron2 = b.spanning(cel, 2, 0);
        for (int i = 0; i < zet.size(); ++i) {
            for (auto [bron, niveau, ingang] :
                 {std::tuple{bron1, zet[i], 1}, std::tuple{bron2, wis[i], 2}}) {
                if (niveau < 0) {
                    bron->uitgang->verbreek();
                } else {
                    verbind(bron, 1, cel, ingang);
                    b.form.moduleActie(cel, ingang, quint8(niveau));
                }
            }
            b.form.moduleActie(cel, 0, 0);
            QCOMPARE(int(s->ingangsNiveau), uit[i]);
            QCOMPARE(aan(cel->ingangen[1]), zet[i] > 13);
            QCOMPARE(aan(cel->ingangen[2]), wis[i] > 13);
        }
    }

    void split_data() {
        QTest::addColumn<int>("positie");
        QTest::newRow("normaal") << int(SPLIT);
        QTest::newRow("klein, ook de verborgen uitgang") << int(SPLITKLEIN);
    }

    void split() {
        QFETCH(int, positie);
        Bord b;
        auto* split = maak<TSplitMod>(b.form, positie);
        auto* v = b.spanning(split, 1, 23);
        TSplitMod* sonde[4] = {};
        for (int i = 1; i <= 3; ++i)
            sonde[i] = b.sonde(split, i);
        tik(b.form, 2);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(int(sonde[i]->ingangsNiveau), 23); // graded, unchanged
            QVERIFY(aan(split->uitgangen[i]));
        }
        QVERIFY(aan(split->ingang));
        // Without its wire the split shows its input low and keeps sending.
        v->uitgang->verbreek();
        tik(b.form);
        QVERIFY(!aan(split->ingang));
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(int(sonde[i]->ingangsNiveau), 23);
    }
};

QTEST_MAIN(TestInvoer)
#include "tst_invoer.moc"
