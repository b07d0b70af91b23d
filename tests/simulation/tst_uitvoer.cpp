// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Behaviour of the counter and the output kinds, the speaker on both paths,
// and a running board whose levels are steady repainting nothing.
#include "modules/onderdelen.h"
#include "modules/regelaars.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/led.h"
#include "modules/soorten/pulsenteller.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/split.h"
#include "modules/soorten/transistor.h"
#include "modules/soorten/variabelespanning.h"
#include "modules/soorten/zoemer.h"
#include "platform/poorten.h"
#include "platform/testseams.h"
#include "platform/toon.h"
#include "simtest.h"

#include <QAction>
#include <QLabel>
#include <QTest>

using namespace kwinteltest;
using namespace simtest;
using platform::PoortToegang;
using platform::ToonRecorder;

namespace {

PoortToegang schrijf(int poort, int waarde) {
    return {true, std::uint16_t(poort), std::uint8_t(waarde)};
}
PoortToegang lees(int poort, int waarde) {
    return {false, std::uint16_t(poort), std::uint8_t(waarde)};
}

// Counts paint events of every widget of a window.
class VerfTeller : public QObject {
public:
    explicit VerfTeller(QWidget* venster) {
        venster->installEventFilter(this);
        for (QWidget* w : venster->findChildren<QWidget*>())
            w->installEventFilter(this);
    }
    int aantal = 0;
    QStringList wie;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            ++aantal;
            wie << QString::fromLatin1(o->metaObject()->className());
        }
        return QObject::eventFilter(o, e);
    }
};

} // namespace
Q_DECLARE_METATYPE(std::vector<PoortToegang>)

class TestUitvoer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void tellerZonderDraden() {
        Bord b;
        auto* t = maak<TPulsenTellerMod>(b.form, PULSENTELLER);
        TSplitMod* sonde[5] = {};
        for (int i = 1; i <= 4; ++i)
            sonde[i] = b.sonde(t, i);
        for (int i = 1; i <= 4; ++i)
            sonde[i]->ingangsNiveau = 99;
        tik(b.form, 3);
        QCOMPARE(t->stTelstand->text(), QStringLiteral("0"));
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(int(sonde[i]->ingangsNiveau), 0);
        QVERIFY(aan(t->ingangen[1]));
        QVERIFY(aan(t->ingangen[2]));
        QVERIFY(!aan(t->ingangen[3]));
        QVERIFY(t->telIngangHoog && t->tellenAan && !t->resetHoog);
    }

    void tellerReeksen_data() {
        QTest::addColumn<bool>("totF");
        QTest::addColumn<int>("flanken");
        QTest::addColumn<QString>("getoond");
        QTest::addColumn<QList<int>>("bits"); // outputs 1..4 (weights 8, 4, 2, 1)
        QTest::newRow("t/m F: 1") << true << 1 << "1" << QList<int>{0, 0, 0, 50};
        QTest::newRow("t/m F: 10 geeft A") << true << 10 << "A" << QList<int>{50, 0, 50, 0};
        QTest::newRow("t/m F: 15 geeft F") << true << 15 << "F" << QList<int>{50, 50, 50, 50};
        QTest::newRow("t/m F: na F komt 0") << true << 16 << "0" << QList<int>{0, 0, 0, 0};
        QTest::newRow("t/m F: 21") << true << 21 << "5" << QList<int>{0, 50, 0, 50};
        QTest::newRow("t/m 9: 9") << false << 9 << "9" << QList<int>{50, 0, 0, 50};
        QTest::newRow("t/m 9: 10 geeft 0") << false << 10 << "0" << QList<int>{0, 0, 0, 0};
        QTest::newRow("t/m 9: 13") << false << 13 << "3" << QList<int>{0, 0, 50, 50};
    }

    void tellerReeksen() {
        // Rising edges from a push button; the counter counts in the tick
        // that brings the edge and shows it in the same tick.
        QFETCH(bool, totF);
        QFETCH(int, flanken);
        QFETCH(QString, getoond);
        QFETCH(QList<int>, bits);
        Bord b;
        b.form.miTellerLatenDoorlopen->setChecked(totF);
        auto* t = maak<TPulsenTellerMod>(b.form, PULSENTELLER);
        auto* knop = b.knop(t, 1);
        TSplitMod* sonde[5] = {};
        for (int i = 1; i <= 4; ++i)
            sonde[i] = b.sonde(t, i);
        tik(b.form);
        for (int i = 0; i < flanken; ++i) {
            knop->sSchakelaar->stand = 1;
            tik(b.form, 2); // held over two ticks: still one edge
            knop->sSchakelaar->stand = 0;
            tik(b.form);
        }
        QCOMPARE(t->telstand, getoond.toInt(nullptr, 16));
        QCOMPARE(t->stTelstand->text(), getoond);
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(int(sonde[i]->ingangsNiveau), bits[i - 1]);
            QCOMPARE(aan(t->uitgangen[i]), bits[i - 1] == 50);
        }
    }

    void tellerOptieUitBijC() {
        Bord b;
        auto* t = maak<TPulsenTellerMod>(b.form, PULSENTELLER);
        auto* knop = b.knop(t, 1);
        tik(b.form);
        for (int i = 0; i < 12; ++i) {
            knop->sSchakelaar->stand = 1;
            tik(b.form);
            knop->sSchakelaar->stand = 0;
            tik(b.form);
        }
        QCOMPARE(t->stTelstand->text(), QStringLiteral("C"));
        b.form.miTellerLatenDoorlopen->trigger(); // unchecks
        QVERIFY(!b.form.miTellerLatenDoorlopen->isChecked());
        tik(b.form, 3);
        QCOMPARE(t->stTelstand->text(), QStringLiteral("C"));
        knop->sSchakelaar->stand = 1;
        tik(b.form);
        QCOMPARE(t->stTelstand->text(), QStringLiteral("0"));
    }

    void tellenUitEnAan() {
        // Edges while counting is off are not counted, and the count input's
        // last level is not updated meanwhile.
        Bord b;
        auto* t = maak<TPulsenTellerMod>(b.form, PULSENTELLER);
        auto* puls = b.knop(t, 1);
        auto* tellen = b.knop(t, 2);
        tik(b.form);
        QVERIFY(!aan(t->ingangen[2]));
        QVERIFY(!t->tellenAan);
        puls->sSchakelaar->stand = 1;
        tik(b.form);
        puls->sSchakelaar->stand = 0;
        tik(b.form);
        QCOMPARE(t->telstand, 0);
        puls->sSchakelaar->stand = 1;
        tik(b.form);
        QVERIFY(!t->telIngangHoog); // still the level from before counting went off
        QVERIFY(!aan(t->ingangen[1]));
        tellen->sSchakelaar->stand = 1;
        tik(b.form);
        // The pulse's button is visited before the count-on button.
        QCOMPARE(t->telstand, 0);
        QVERIFY(aan(t->ingangen[2]));
        // Counting switched on while the pulse input is high: the next level
        // at the pulse input counts once.
        tik(b.form);
        QCOMPARE(t->telstand, 1);
        tik(b.form, 3);
        QCOMPARE(t->telstand, 1);
    }

    void resettoets() {
        Bord b;
        auto* t = maak<TPulsenTellerMod>(b.form, PULSENTELLER);
        auto* knop = b.knop(t, 1);
        auto flank = [&] {
            knop->sSchakelaar->stand = 1;
            tik(b.form);
            knop->sSchakelaar->stand = 0;
            tik(b.form);
        };
        tik(b.form);
        flank();
        flank();
        QCOMPARE(t->stTelstand->text(), QStringLiteral("2"));
        // Held: 0 at the next tick, and no counting while it is down.
        b.form.sSchakelaarMouseDown(t->sSchakelaar, Qt::LeftButton);
        QCOMPARE(t->telstand, 0);
        QVERIFY(aan(t->ingangen[3]));
        tik(b.form);
        QCOMPARE(t->stTelstand->text(), QStringLiteral("0"));
        flank();
        QCOMPARE(t->telstand, 0);
        b.form.sSchakelaarMouseUp(t->sSchakelaar, Qt::LeftButton);
        tik(b.form);
        QVERIFY(!t->resetHoog);
        QVERIFY(!aan(t->ingangen[3]));
        flank();
        QCOMPARE(t->telstand, 1);
        // Latched with the right button: held at 0 until a left click.
        b.form.sSchakelaarMouseDown(t->sSchakelaar, Qt::RightButton);
        b.form.sSchakelaarMouseUp(t->sSchakelaar, Qt::RightButton);
        QCOMPARE(t->sSchakelaar->stand, quint8(2));
        flank();
        flank();
        QCOMPARE(t->telstand, 0);
        QVERIFY(t->resetHoog);
        b.form.sSchakelaarMouseDown(t->sSchakelaar, Qt::LeftButton);
        b.form.sSchakelaarMouseUp(t->sSchakelaar, Qt::LeftButton);
        tik(b.form);
        flank();
        QCOMPARE(t->telstand, 1);
    }

    void transistor_data() {
        QTest::addColumn<int>("ingang"); // -1 unfed
        QTest::addColumn<int>("uit");
        QTest::addColumn<bool>("ingangAan");
        QTest::newRow("ongevoed") << -1 << 50 << false;
        QTest::newRow("0") << 0 << 50 << false;
        QTest::newRow("6") << 6 << 50 << false;
        QTest::newRow("7 geleidt") << 7 << 0 << false;
        QTest::newRow("13 geleidt, ingang laag getoond") << 13 << 0 << false;
        QTest::newRow("14") << 14 << 0 << true;
        QTest::newRow("50") << 50 << 0 << true;
    }

    void transistor() {
        QFETCH(int, ingang);
        QFETCH(int, uit);
        QFETCH(bool, ingangAan);
        Bord b;
        auto* tr = maak<TTransistorMod>(b.form, TRANSISTOR);
        auto* s = b.sonde(tr);
        if (ingang >= 0)
            b.spanning(tr, 1, ingang);
        s->ingangsNiveau = 99;
        tik(b.form, 2);
        QCOMPARE(int(s->ingangsNiveau), uit);
        QCOMPARE(int(tr->ingangsNiveau), std::max(ingang, 0));
        QCOMPARE(aan(tr->ingang), ingangAan);
    }

    void relais_data() {
        QTest::addColumn<int>("spoel"); // -1 unfed
        QTest::addColumn<int>("in2");
        QTest::addColumn<int>("in3");
        QTest::addColumn<bool>("bekrachtigd");
        QTest::addColumn<int>("uit1");
        QTest::addColumn<int>("uit2");
        QTest::newRow("spoel 1 bekrachtigt") << 1 << 50 << 20 << true << 50 << 20;
        QTest::newRow("spoel 50, graded") << 50 << 33 << 0 << true << 33 << 0;
        QTest::newRow("spoel 0") << 0 << 50 << 20 << false << 0 << 20;
        QTest::newRow("spoel ongevoed") << -1 << 50 << 50 << false << 0 << 50;
        QTest::newRow("contacten ongevoed") << 50 << -1 << -1 << true << 0 << 0;
    }

    void relais() {
        QFETCH(int, spoel);
        QFETCH(int, in2);
        QFETCH(int, in3);
        QFETCH(bool, bekrachtigd);
        QFETCH(int, uit1);
        QFETCH(int, uit2);
        Bord b;
        auto* r = maak<TRelaisMod>(b.form, RELAIS);
        auto* s1 = b.sonde(r, 1);
        auto* s2 = b.sonde(r, 2);
        if (spoel >= 0)
            b.spanning(r, 1, spoel);
        if (in2 >= 0)
            b.spanning(r, 2, in2);
        if (in3 >= 0)
            b.spanning(r, 3, in3);
        tik(b.form, 2);
        QCOMPARE(r->bekrachtigd, bekrachtigd);
        QCOMPARE(r->iSymbool->picture(), bekrachtigd ? b.form.iRelais2 : b.form.iRelais);
        QCOMPARE(aan(r->ingangenLijst()[0]), spoel > 0); // any level above 0
        QCOMPARE(int(s1->ingangsNiveau), uit1);
        QCOMPARE(int(s2->ingangsNiveau), uit2);
    }

    void relaisValtAfZonderDraadEnTekentAlleenBijWissel() {
        Bord b;
        b.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.form));
        auto* r = maak<TRelaisMod>(b.form, RELAIS);
        auto* spoel = b.spanning(r, 1, 50);
        b.spanning(r, 2, 50);
        auto* s1 = b.sonde(r, 1);
        tik(b.form);
        QVERIFY(r->bekrachtigd);
        QCoreApplication::processEvents();
        VerfTeller verf(r->iSymbool);
        tik(b.form, 5);
        QCoreApplication::processEvents();
        QCOMPARE(verf.aantal, 0);
        spoel->uitgang->verbreek();
        tik(b.form);
        QVERIFY(!r->bekrachtigd);
        QCOMPARE(r->iSymbool->picture(), b.form.iRelais);
        QCOMPARE(int(r->niveauIngang2), 0); // dropping out clears the contact's level
        QCOMPARE(int(s1->ingangsNiveau), 0);
        QVERIFY(verf.aantal >= 1); // repainted at once, within the tick
        tik(b.form);
        QCOMPARE(int(r->niveauIngang2), 50); // input 2 is still fed
        QCOMPARE(int(s1->ingangsNiveau), 0);
    }

    void led_data() {
        QTest::addColumn<int>("niveau");
        QTest::addColumn<bool>("brandt");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("13") << 13 << false;
        QTest::newRow("14") << 14 << true;
        QTest::newRow("50") << 50 << true;
    }

    void led() {
        QFETCH(int, niveau);
        QFETCH(bool, brandt);
        Bord b;
        auto* led = maak<TLEDMod>(b.form, LED);
        auto* v = b.spanning(led, 1, niveau);
        tik(b.form);
        QCOMPARE(led->led->brushKleur(), brandt ? TLED::aan : TLED::uit);
        QCOMPARE(aan(led->ingang), brandt);
        // A wire removed darkens it at the next tick.
        v->uitgang->verbreek();
        led->led->setBrushKleur(TLED::aan);
        tik(b.form);
        QCOMPARE(led->led->brushKleur(), TLED::uit);
        QVERIFY(!aan(led->ingang));
    }

    void zoemerNT() {
        // The NT family: every high level lengthens the tone by 10 ms; no port
        // is touched.
        ToonRecorder toon;
        platform::PoortRecorder poorten;
        Bord b;
        isNT = true;
        auto* z = maak<TZoemerMod>(b.form, ZOEMER);
        auto* knop = b.knop(z, 1);
        tik(b.form, 2);
        QVERIFY(toon.opdrachten().empty());
        knop->sSchakelaar->stand = 1;
        tik(b.form, 3);
        QCOMPARE(toon.opdrachten().size(), size_t(3));
        for (const auto& o : toon.opdrachten()) {
            QVERIFY(o.soort == ToonRecorder::Soort::Beep);
            QCOMPARE(o.frequentie, 500.0);
            QCOMPARE(o.duur, 10u);
        }
        QVERIFY(z->zoemt);
        QVERIFY(aan(z->ingang));
        knop->sSchakelaar->stand = 0;
        tik(b.form, 2);
        knop->uitgang->verbreek();
        tik(b.form);
        QCOMPARE(toon.opdrachten().size(), size_t(3));
        QVERIFY(!z->zoemt);
        QVERIFY(!piepActief);
        QVERIFY(poorten.toegangen().empty());
    }

    void zoemerPoorten() {
        // Outside the NT family: the port is switched at each edge only.
        ToonRecorder toon;
        platform::PoortRecorder poorten;
        Bord b;
        isNT = false;
        auto* z = maak<TZoemerMod>(b.form, ZOEMER);
        auto* knop = b.knop(z, 1);
        tik(b.form);
        QVERIFY(poorten.toegangen().empty());
        knop->sSchakelaar->stand = 1;
        tik(b.form, 4);
        QVERIFY(piepActief);
        using V = std::vector<PoortToegang>;
        QCOMPARE(poorten.toegangen(), (V{lees(0x61, 0x00), schrijf(0x61, 0x03), schrijf(0x43, 0xB6),
                                         schrijf(0x42, 0x52), schrijf(0x42, 0x09)}));
        QCOMPARE(toon.opdrachten().size(), size_t(1));
        QVERIFY(toon.opdrachten()[0].soort == ToonRecorder::Soort::Aan);
        QCOMPARE(toon.opdrachten()[0].frequentie, 1193181.0 / 2386);
        poorten.wis();
        knop->sSchakelaar->stand = 0;
        tik(b.form, 3);
        QVERIFY(!piepActief);
        QCOMPARE(poorten.toegangen(), (V{lees(0x61, 0x03), schrijf(0x61, 0x00)}));
        QVERIFY(toon.opdrachten().back().soort == ToonRecorder::Soort::Uit);
        // A new rising edge, then the wire goes: the tone stops at the next tick.
        knop->sSchakelaar->stand = 1;
        tik(b.form);
        poorten.wis();
        knop->uitgang->verbreek();
        tik(b.form, 2);
        QCOMPARE(poorten.toegangen(), (V{lees(0x61, 0x03), schrijf(0x61, 0x00)}));
        QVERIFY(!z->zoemt);
        isNT = true;
        piepActief = false;
    }

    void tweeZoemersEenLuidspreker() {
        ToonRecorder toon;
        platform::PoortRecorder poorten;
        Bord b;
        isNT = false;
        auto* z1 = maak<TZoemerMod>(b.form, ZOEMER);
        auto* z2 = maak<TZoemerMod>(b.form, ZOEMER);
        auto* k1 = b.knop(z1, 1);
        auto* k2 = b.knop(z2, 1);
        k1->sSchakelaar->stand = 1;
        k2->sSchakelaar->stand = 1;
        tik(b.form);
        k1->sSchakelaar->stand = 0;
        tik(b.form, 3);
        // The first stop silences the speaker for both.
        QVERIFY(toon.opdrachten().back().soort == ToonRecorder::Soort::Uit);
        QVERIFY(z2->zoemt);
        QCOMPARE(platform::leesPoort(0x61) & 3, 0);
        isNT = true;
        piepActief = false;
    }

    void startBeep_data() {
        QTest::addColumn<int>("poort61");
        QTest::addColumn<std::vector<PoortToegang>>("toegangen");
        QTest::newRow("vanaf $00")
            << 0x00
            << std::vector<PoortToegang>{lees(0x61, 0x00), schrijf(0x61, 0x03), schrijf(0x43, 0xB6),
                                         schrijf(0x42, 0x52), schrijf(0x42, 0x09)};
        QTest::newRow("vanaf $4C, andere bits blijven")
            << 0x4C
            << std::vector<PoortToegang>{lees(0x61, 0x4C), schrijf(0x61, 0x4F), schrijf(0x43, 0xB6),
                                         schrijf(0x42, 0x52), schrijf(0x42, 0x09)};
        QTest::newRow("bit 0 al gezet")
            << 0x01
            << std::vector<PoortToegang>{lees(0x61, 0x01), schrijf(0x42, 0x52),
                                         schrijf(0x42, 0x09)};
        QTest::newRow("bit 1 al gezet")
            << 0x02
            << std::vector<PoortToegang>{lees(0x61, 0x02), schrijf(0x42, 0x52),
                                         schrijf(0x42, 0x09)};
    }

    void startBeep() {
        QFETCH(int, poort61);
        QFETCH(std::vector<PoortToegang>, toegangen);
        ToonRecorder toon;
        platform::PoortRecorder poorten{std::uint8_t(poort61)};
        TfKwintelvlak form;
        form.startBeep(500);
        QCOMPARE(poorten.toegangen(), toegangen);
    }

    void stopBeep() {
        ToonRecorder toon;
        platform::PoortRecorder poorten(0x4F);
        TfKwintelvlak form;
        form.stopBeep();
        QCOMPARE(poorten.schrijfacties(), (std::vector<PoortToegang>{schrijf(0x61, 0x4C)}));
        QCOMPARE(platform::leesPoort(0x61), std::uint8_t(0x4C));
    }

    void startBeepOnderDe19HzRaaktGeenPoort() {
        ToonRecorder toon;
        platform::PoortRecorder poorten;
        TfKwintelvlak form;
        form.startBeep(0);
        form.startBeep(18);
        QVERIFY(poorten.toegangen().empty());
        form.startBeep(19); // 1193181 / 19 = 62799 still fits
        QCOMPARE(poorten.schrijfacties().back(), schrijf(0x42, 62799 >> 8));
    }

    void afsluitenStoptDeToon() {
        ToonRecorder toon;
        platform::PoortRecorder poorten;
        {
            TfKwintelvlak form;
            stopKlok(form);
            isNT = false;
            auto* z = maak<TZoemerMod>(form, ZOEMER);
            auto* v = maak<TVariabeleSpanningMod>(form, VARIABELESPANNING);
            v->regelaar->setValue(50);
            verbind(v, 1, z, 1);
            tik(form);
            QVERIFY(piepActief);
            poorten.wis();
        }
        // Closing the window stopped the tone.
        QCOMPARE(poorten.schrijfacties(), (std::vector<PoortToegang>{schrijf(0x61, 0x00)}));
        isNT = true;
        piepActief = false;
    }

    void stilstaandBordTekentNiets() {
        // A running board whose levels do not change repaints nothing.
        Bord b;
        b.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.form));
        auto* knop = maak<TDrukSchakelaarMod>(b.form, DRUKSCHAKELAAR, 10, 10);
        auto* teller = maak<TPulsenTellerMod>(b.form, PULSENTELLER, 80, 10);
        auto* led = maak<TLEDMod>(b.form, LED, 220, 10);
        auto* relais = maak<TRelaisMod>(b.form, RELAIS, 290, 10);
        auto* tr = maak<TTransistorMod>(b.form, TRANSISTOR, 10, 360);
        verbind(knop, 1, teller, 1);
        verbind(teller, 4, relais, 1);
        auto* v = b.spanning(tr, 1, 30);
        v->move(200, 360);
        verbind(tr, 1, led, 1);
        knop->sSchakelaar->stand = 1;
        tik(b.form, 3);
        QCOMPARE(teller->stTelstand->text(), QStringLiteral("1"));
        QVERIFY(relais->bekrachtigd);
        QCoreApplication::processEvents();
        VerfTeller verf(&b.form);
        tik(b.form, 20);
        QCoreApplication::processEvents();
        QCOMPARE(verf.aantal, 0);
        QVERIFY2(verf.wie.isEmpty(), qPrintable(verf.wie.join(u',')));
        // A change repaints again.
        knop->sSchakelaar->stand = 0;
        tik(b.form);
        QCoreApplication::processEvents();
        QVERIFY(verf.aantal > 0);
    }
};

QTEST_MAIN(TestUitvoer)
#include "tst_uitvoer.moc"
