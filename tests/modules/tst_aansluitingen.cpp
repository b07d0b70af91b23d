// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Terminals, the push key and the lamp.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/tekeningen.h"
#include "platform/slepen.h"
#include "support/kwinteltest.h"

#include <QMenu>
#include <QTest>

using namespace kwinteltest;

namespace {
// Counts the paint events a widget receives.
class VerfTeller : public QObject {
public:
    int aantal = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++aantal;
        return false;
    }
};
} // namespace

class TestAansluitingen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void nieuweUitgangIsOnbedraad() {
        TfKwintelvlak form;
        auto* m = plaatsTestModule(form, entry(form, 0), 1, 1);
        TUitgang* u = m->uitgangenLijst()[0];
        QCOMPARE(u->doelSoort, -1);
        QCOMPARE(u->doelNummer, 1);
        QCOMPARE(u->doelIngang, 1);
        QCOMPARE(u->size(), QSize(17, 17));
        QCOMPARE(u->brushKleur(), u->kleurUit);
        QCOMPARE(m->ingangenLijst()[0]->index, 1);
    }

    void terminalIsEenVierkantMetZwartePen() {
        TfKwintelvlak form;
        auto* m = plaatsTestModule(form, entry(form, 0), 1, 0);
        TIngang* in = m->ingangenLijst()[0];
        in->toonNiveau(50);
        const QImage beeld = in->grab().toImage();
        QCOMPARE(beeld.size(), QSize(17, 17));
        for (QPoint p : {QPoint(0, 0), QPoint(16, 0), QPoint(0, 16), QPoint(16, 16), QPoint(8, 0),
                         QPoint(0, 8)})
            QCOMPARE(beeld.pixelColor(p), QColor(Qt::black));
        QCOMPARE(beeld.pixelColor(8, 8), kleur(kleuren::blauw));
        QCOMPARE(beeld.pixelColor(1, 1), kleur(kleuren::blauw));
    }

    void niveauKiestDeKleur_data() {
        QTest::addColumn<int>("niveau");
        QTest::addColumn<bool>("aan");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("13") << 13 << false;
        QTest::newRow("14") << 14 << true;
        QTest::newRow("50") << 50 << true;
    }

    void niveauKiestDeKleur() {
        QFETCH(int, niveau);
        QFETCH(bool, aan);
        TfKwintelvlak form;
        auto* m = plaatsTestModule(form, entry(form, 0), 1, 1);
        m->ingangenLijst()[0]->toonNiveau(niveau);
        m->uitgangenLijst()[0]->toonNiveau(niveau);
        QCOMPARE(m->ingangenLijst()[0]->brushKleur(), aan ? kleuren::blauw : kleuren::marine);
        QCOMPARE(m->uitgangenLijst()[0]->brushKleur(), aan ? kleuren::blauw : kleuren::marine);
    }

    void alleenEenEchteKleurwisselingVerft() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* m = plaatsTestModule(form, entry(form, 0), 1, 0);
        TIngang* in = m->ingangenLijst()[0];
        QTest::qWait(50); // let the board settle after the module was placed
        VerfTeller teller;
        in->installEventFilter(&teller);
        for (int i = 0; i < 10; ++i) {
            in->toonNiveau(0);
            QCoreApplication::processEvents();
        }
        QCOMPARE(teller.aantal, 0);
        in->toonNiveau(50);
        QCoreApplication::processEvents();
        QCOMPARE(teller.aantal, 1);
    }

    void lampIsEenKastanjebruineCirkel() {
        TfKwintelvlak form;
        auto* m = plaatsTestModule(form, entry(form, 0), 0, 0);
        auto* lamp = new TLED(m);
        QCOMPARE(lamp->size(), QSize(17, 17));
        QCOMPARE(lamp->brushKleur(), TColor(0x000080));
        const QImage beeld = lamp->grab().toImage();
        QCOMPARE(beeld.pixelColor(8, 8), kleur(0x000080));
        // A circle leaves its corners to the panel.
        QVERIFY(beeld.pixelColor(0, 0) != QColor(Qt::black));
        QVERIFY(beeld.pixelColor(0, 0) != kleur(0x000080));
        QCOMPARE(beeld.pixelColor(8, 0), QColor(Qt::black));
    }

    void knop_data() {
        QTest::addColumn<int>("eersteKnop");
        QTest::addColumn<int>("standIngedrukt");
        QTest::addColumn<int>("standLos");
        QTest::addColumn<bool>("omlaagNaLos");
        QTest::newRow("links") << int(Qt::LeftButton) << 1 << 0 << false;
        QTest::newRow("rechts vergrendelt") << int(Qt::RightButton) << 1 << 2 << true;
        QTest::newRow("midden") << int(Qt::MiddleButton) << 1 << 0 << false;
    }

    void knop() {
        QFETCH(int, eersteKnop);
        QFETCH(int, standIngedrukt);
        QFETCH(int, standLos);
        QFETCH(bool, omlaagNaLos);
        TfKwintelvlak form;
        form.show();
        auto* m = plaatsTestModule(form, entry(form, 0), 0, 1);
        auto* knop = new TSchakelaar(m);
        knop->move(16, 24);
        knop->show();
        QCOMPARE(knop->size(), QSize(16, 16));
        QCOMPARE(knop->stand, quint8(0));
        QCOMPARE(knop->picture(), tekeningen::knopOmhoog());

        const auto b = Qt::MouseButton(eersteKnop);
        QTest::mousePress(knop, b, {}, QPoint(8, 8));
        QCOMPARE(int(knop->stand), standIngedrukt);
        QCOMPARE(knop->picture(), tekeningen::knopOmlaag());
        QCOMPARE(platform::sleepBron(), nullptr); // the key never takes hold of its module
        QTest::mouseRelease(knop, b, {}, QPoint(8, 8));
        QCOMPARE(int(knop->stand), standLos);
        QCOMPARE(knop->picture(),
                 omlaagNaLos ? tekeningen::knopOmlaag() : tekeningen::knopOmhoog());
        QVERIFY(!form.pmContext->isVisible());

        // A following left click always brings the key back up.
        QTest::mouseClick(knop, Qt::LeftButton, {}, QPoint(8, 8));
        QCOMPARE(knop->stand, quint8(0));
        QCOMPARE(knop->picture(), tekeningen::knopOmhoog());
    }
};

QTEST_MAIN(TestAansluitingen)
#include "tst_aansluitingen.moc"
