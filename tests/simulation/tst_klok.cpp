// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The clock: the order of its passes and what that order means for a chain,
// the hold on the clock, dispatch, and boards whose wires would make sends
// recurse.
#include "modules/bordversie.h"
#include "modules/onderdelen.h"
#include "modules/regelaars.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/invertor.h"
#include "modules/soorten/led.h"
#include "modules/soorten/poorten.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/sensor.h"
#include "modules/soorten/split.h"
#include "modules/soorten/variabelespanning.h"
#include "platform/testseams.h"
#include "simtest.h"
#include "simulation/simulatie.h"

#include <QTest>

using namespace kwinteltest;
using namespace simtest;

namespace {
bool brandt(const TLEDMod* led) {
    return led->led->brushKleur() == TLED::aan;
}

// Counts the paint events of a widget while it exists.
class VerfTeller : public QObject {
public:
    explicit VerfTeller(QWidget* w) { w->installEventFilter(this); }
    int aantal = 0;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++aantal;
        return QObject::eventFilter(o, e);
    }
};

// Moves the board version while the window paints, as a module that changed
// the board in the middle of a tick would.
class VersieVerschuiver : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            bordversie::verhoog();
        return QObject::eventFilter(o, e);
    }
};
} // namespace

class TestKlok : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void klokLooptNaOpstartenOm10ms() {
        TfKwintelvlak form;
        QVERIFY(form.tActie);
        QVERIFY(form.tActie->isActive());
        QCOMPARE(form.tActie->interval(), 10);
        QVERIFY(form.tActie->isPrecise());
        QCOMPARE(form.klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }

    void klokTiktVanzelfOpDeKlokVanHetPlatform() {
        // The window's timer runs on the platform clock: advancing a settable
        // clock by 30 ms ticks three times, with no waiting.
        platform::FakeClock klok;
        TfKwintelvlak form;
        auto* knop = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
        auto* led = maak<TLEDMod>(form, LED);
        verbind(knop, 1, led, 1);
        knop->sSchakelaar->stand = 1;
        QVERIFY(!brandt(led));
        klok.advance(9);
        QVERIFY(!brandt(led));
        klok.advance(1);
        QVERIFY(brandt(led));
    }

    void ketenVolgtDeVolgordeBinnenEenTik() {
        // Push button -> inverter -> LED: each kind's pass comes after its
        // sender's, so one tick carries a change to the end.
        TfKwintelvlak form;
        stopKlok(form);
        // Listed against the pass order on purpose: the list order does not matter.
        auto* led = maak<TLEDMod>(form, LED);
        auto* inv = maak<TInvertorMod>(form, INVERTOR);
        auto* knop = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
        verbind(knop, 1, inv, 1);
        verbind(inv, 1, led, 1);
        tik(form);
        QVERIFY(brandt(led));
        knop->sSchakelaar->stand = 1;
        tik(form);
        QVERIFY(!brandt(led));
        QVERIFY(aan(inv->ingang));
        QVERIFY(!aan(inv->uitgang));
        knop->sSchakelaar->stand = 0;
        tik(form);
        QVERIFY(brandt(led));
    }

    void stapTegenDeVolgordeKostEenTik_data() {
        QTest::addColumn<bool>("viaSensor");
        QTest::newRow("sensor naar EN-poort") << true;
        QTest::newRow("split naar invertor") << false;
    }

    void stapTegenDeVolgordeKostEenTik() {
        // A sensor feeding an AND gate (and a split feeding an inverter) is
        // visited after the gate: the gate follows one tick later.
        QFETCH(bool, viaSensor);
        platform::FakeCursor wijzer;
        TfKwintelvlak form;
        stopKlok(form);
        form.show();
        auto* led = maak<TLEDMod>(form, LED, 300, 10);
        if (viaSensor) {
            auto* sensor = maak<TSensorMod>(form, SENSOR, 10, 10);
            auto* knop = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR, 150, 10);
            auto* en = maak<TENPoortMod>(form, ENPOORT, 10, 300);
            verbind(sensor, 1, en, 1);
            verbind(knop, 1, en, 2);
            verbind(en, 1, led, 1);
            knop->sSchakelaar->stand = 1;
            wijzer.setPos(sensor->mapToGlobal(QPoint(0, 0))); // 5,0 V
        } else {
            auto* spanning = maak<TVariabeleSpanningMod>(form, VARIABELESPANNING, 10, 10);
            auto* split = maak<TSplitMod>(form, SPLIT, 100, 10);
            auto* inv = maak<TInvertorMod>(form, INVERTOR, 10, 300);
            verbind(spanning, 1, split, 1);
            verbind(split, 1, inv, 1);
            verbind(inv, 1, led, 1);
            spanning->regelaar->setValue(0);
            tik(form, 3);
            QVERIFY(brandt(led));
            spanning->regelaar->setValue(50);
        }
        const bool verwachtNaTweeTikken = viaSensor; // AND: lit; inverter: dark
        tik(form);
        QCOMPARE(brandt(led), !verwachtNaTweeTikken);
        tik(form);
        QCOMPARE(brandt(led), verwachtNaTweeTikken);
    }

    void vastgehoudenKlokLaatNietsGebeuren() {
        // Nested holds: nothing acts until the last one is released, and the
        // next tick then brings everything up to date.
        TfKwintelvlak form;
        stopKlok(form);
        auto* knop = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
        auto* inv = maak<TInvertorMod>(form, INVERTOR);
        auto* led = maak<TLEDMod>(form, LED);
        verbind(knop, 1, inv, 1);
        verbind(inv, 1, led, 1);
        tik(form);
        QVERIFY(brandt(led));
        {
            KlokHouder buiten(&form);
            KlokHouder binnen(&form);
            knop->sSchakelaar->stand = 1;
            tik(form, 3);
            QVERIFY(brandt(led));
            // A level sent by hand is ignored as well.
            form.moduleActie(led, 1, 0);
            QVERIFY(brandt(led));
        }
        tik(form);
        QVERIFY(!brandt(led));
    }

    void moduleActieZonderModuleOfMetOnbekendeKlasse() {
        TfKwintelvlak form;
        stopKlok(form);
        form.moduleActie(nullptr, 0, 0);
        form.moduleActie(nullptr, 1, 50);
        // A stand-in that borrows the LED's kind number is no LED.
        auto* test = plaatsTestModule(form, entry(form, LED), 1, 1);
        auto* led = maak<TLEDMod>(form, LED);
        verbind(test, 1, led, 1);
        form.moduleActie(test, 1, 50);
        tik(form);
        QCOMPARE(test->ingangenLijst()[0]->brushKleur(), test->ingangenLijst()[0]->kleurUit);
        QVERIFY(!brandt(led));
    }

    void draadNaarNiemandOfBuitenDeIngangen_data() {
        QTest::addColumn<int>("soort");
        QTest::addColumn<int>("nummer");
        QTest::addColumn<int>("ingang");
        QTest::addColumn<bool>("brandt");
        QTest::newRow("led 1 ingang 1") << 1 << 1 << 1 << true;
        QTest::newRow("led 2 bestaat niet") << 1 << 2 << 1 << false;
        QTest::newRow("soort 17 bestaat niet") << 17 << 1 << 1 << false;
        QTest::newRow("ingang 2 van een led") << 1 << 1 << 2 << false;
        QTest::newRow("ingang 0") << 1 << 1 << 0 << false;
        QTest::newRow("ingang -1") << 1 << 1 << -1 << false;
        QTest::newRow("zonder draad") << -1 << 1 << 1 << false;
    }

    void draadNaarNiemandOfBuitenDeIngangen() {
        QFETCH(int, soort);
        QFETCH(int, nummer);
        QFETCH(int, ingang);
        QFETCH(bool, brandt);
        TfKwintelvlak form;
        stopKlok(form);
        auto* knop = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
        auto* led = maak<TLEDMod>(form, LED);
        knop->sSchakelaar->stand = 1;
        knop->uitgang->doelSoort = soort;
        knop->uitgang->doelNummer = nummer;
        knop->uitgang->doelIngang = ingang;
        tik(form, 2);
        QCOMPARE(::brandt(led), brandt);
        QVERIFY(aan(knop->uitgang)); // the output shows its level wherever it leads
        QCOMPARE(form.simulatie().afgekapteZendingen(), 0);
    }

    void rondzendendeBordenLopenDoor_data() {
        QTest::addColumn<bool>("drukschakelaar");
        QTest::newRow("drukschakelaar naar zichzelf") << true;
        QTest::newRow("invertor naar eigen ingang 0") << false;
    }

    void rondzendendeBordenLopenDoor() {
        // A hand-made board file can wire a module to itself so that sends
        // would call each other without end. The board keeps working.
        QFETCH(bool, drukschakelaar);
        TfKwintelvlak form;
        stopKlok(form);
        auto* knop = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
        auto* led = maak<TLEDMod>(form, LED);
        verbind(knop, 1, led, 1);
        TModule* lus = nullptr;
        if (drukschakelaar) {
            auto* zelf = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
            zelf->sSchakelaar->stand = 1;
            verbind(zelf, 1, zelf, 1); // a kind without inputs
            lus = zelf;
        } else {
            auto* inv = maak<TInvertorMod>(form, INVERTOR);
            verbind(inv, 1, inv, 0); // index 0: "evaluate and send"
            lus = inv;
        }
        tik(form, 5);
        QVERIFY(aan(lus->uitgangenLijst()[0]));
        // A send the tick's own call of the module fed would cause is dropped
        // before it nests; the rest of the board works.
        knop->sSchakelaar->stand = 1;
        tik(form);
        QVERIFY(brandt(led));
        form.moduleActie(lus, 0, 0);
        knop->sSchakelaar->stand = 0;
        tik(form);
        QVERIFY(!brandt(led));
    }

    void bordVerandertTijdensEenRonde() {
        // A change of the board in the middle of a pass (here: the board
        // version moves while the relay repaints the window) finishes the pass
        // as a walk of the list would: the push button after the relay's is
        // still visited in the same tick, and only once.
        TfKwintelvlak form;
        stopKlok(form);
        form.show();
        auto* knop1 = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
        auto* relais = maak<TRelaisMod>(form, RELAIS);
        auto* knop2 = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
        auto* led = maak<TLEDMod>(form, LED);
        verbind(knop1, 1, relais, 1);
        verbind(knop2, 1, led, 1);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        tik(form);
        VersieVerschuiver verschuiver;
        relais->installEventFilter(&verschuiver);
        knop1->sSchakelaar->stand = 1;
        knop2->sSchakelaar->stand = 1;
        const auto versie = bordversie::huidig();
        tik(form);
        relais->removeEventFilter(&verschuiver);
        QVERIFY(bordversie::huidig() != versie); // the window was repainted
        QVERIFY(relais->bekrachtigd);
        QVERIFY(brandt(led));
    }

    void fullRepaintTekentAllesBehalveHetVensterZelf() {
        TfKwintelvlak form;
        stopKlok(form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* led = maak<TLEDMod>(form, LED);
        QCoreApplication::processEvents();
        VerfTeller lamp(led->led);
        VerfTeller module(led);
        form.fullRepaint(&form);
        QCOMPARE(lamp.aantal, 1);
        QCOMPARE(module.aantal, 1);
        form.fullRepaint(led->led);
        QCOMPARE(lamp.aantal, 2);
        form.fullRepaint(nullptr);
    }

    void audioPiek_data() {
        QTest::addColumn<QList<int>>("samples");
        QTest::addColumn<int>("grootte");
        QTest::addColumn<int>("niveau");
        QTest::newRow("-20000..15000") << QList<int>{0, -20000, 15000, 300, -5} << 10 << 20000;
        QTest::newRow("positief wint") << QList<int>{100, -99, 20} << 6 << 100;
        QTest::newRow("stilte") << QList<int>{0, 0, 0, 0} << 8 << 0;
        QTest::newRow("-32768") << QList<int>{-32768, 32767} << 4 << 32768;
        QTest::newRow("alleen negatief") << QList<int>{-7, -3} << 4 << 7;
        QTest::newRow("oneven grootte telt hele samples") << QList<int>{5, 9, 30000} << 5 << 9;
        QTest::newRow("geen heel sample") << QList<int>{12345} << 1 << 0;
        QTest::newRow("grootte 0") << QList<int>{12345} << 0 << 0;
    }

    void audioPiek() {
        QFETCH(QList<int>, samples);
        QFETCH(int, grootte);
        QFETCH(int, niveau);
        TfKwintelvlak form;
        std::vector<qint16> buffer(samples.begin(), samples.end());
        geluidNiveau = -1;
        QVERIFY(form.aiAudioBufferFilled(buffer.data(), grootte));
        QCOMPARE(geluidNiveau, niveau);
        geluidNiveau = 0;
    }

    void audioPiekKijktNaarHeleSamples() {
        // 4097 bytes are 2048 whole samples: the 2049th is not looked at.
        TfKwintelvlak form;
        std::vector<qint16> buffer(2049, 10);
        buffer[2047] = -300;
        buffer[2048] = 30000;
        int grootte = 4097;
        QVERIFY(form.aiAudioBufferFilled(buffer.data(), grootte));
        QCOMPARE(grootte, 4097);
        QCOMPARE(geluidNiveau, 300);
        geluidNiveau = 0;
    }
};

QTEST_MAIN(TestKlok)
#include "tst_klok.moc"
