// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Wiring in the real window: making wires by dragging between terminals in
// either direction, the rules that keep one wire per input, cutting with the
// right button, wires following modules that are removed or renumbered, and
// the red lines on the board.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "editing/draadlaag.h"
#include "modules/aansluitingen.h"
#include "modules/soorten/poorten.h"
#include "platform/slepen.h"
#include "support/kwinteltest.h"

#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace kwinteltest;

namespace {
constexpr int kDrukSchakelaar = 0; // catalogue positions
constexpr int kLed = 1;
constexpr int kOfPoort = 7;
constexpr int kSplit = 9;

struct Draad {
    int soort, nummer, ingang;
    bool operator==(const Draad&) const = default;
};

Draad draad(const TUitgang* u) {
    return {u->doelSoort, u->doelNummer, u->doelIngang};
}

const Draad geen{-1, 1, 1};

TUitgang* uit(TModule* m, int i = 1) {
    return m->uitgangenLijst().at(static_cast<size_t>(i - 1));
}
TIngang* in(TModule* m, int i = 1) {
    return m->ingangenLijst().at(static_cast<size_t>(i - 1));
}

bool isRood(const QImage& beeld, QPoint p) {
    return beeld.pixelColor(p) == QColor(255, 0, 0);
}
} // namespace

namespace QTest {
template <> char* toString(const Draad& d) {
    return qstrdup(qPrintable(QStringLiteral("(%1, %2, %3)").arg(d.soort).arg(d.nummer).arg(d.ingang)));
}
} // namespace QTest

class TestBedrading : public QObject {
    Q_OBJECT

    std::unique_ptr<TfKwintelvlak> form;

    TModule* maak(int positie, int top, int left) {
        return form->maakModule(entry(*form, positie), top, left);
    }

    // Drags from terminal `van` and releases over `naar` (any control).
    void sleep(QWidget* van, QWidget* naar, QPoint naarPos = QPoint(8, 8)) {
        QTest::mousePress(van, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseMove(naar, naarPos + QPoint(2, 1));
        QTest::mouseMove(naar, naarPos);
        QTest::mouseRelease(naar, Qt::LeftButton, {}, naarPos);
    }

    QImage bord() const {
        return form->scrollBox->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The middle of the line from output u to input i, in viewport pixels.
    QPoint midden(const QWidget* u, const QWidget* i) const {
        return (form->draadLaag->aansluitpunt(u) + form->draadLaag->aansluitpunt(i)) / 2;
    }

private slots:
    void initTestCase() { initProces(); }

    void init() {
        form = std::make_unique<TfKwintelvlak>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() {
        platform::annuleerSlepen();
        form->pmContext->hide();
        form.reset();
    }

    // From an output to an input or from the input to the output: the same wire.
    void draadInBeideRichtingen_data() {
        QTest::addColumn<bool>("vanUitgang");
        QTest::newRow("uitgang naar ingang") << true;
        QTest::newRow("ingang naar uitgang") << false;
    }

    void draadInBeideRichtingen() {
        QFETCH(bool, vanUitgang);
        TModule* knop = maak(kDrukSchakelaar, 50, 20);
        maak(kLed, 200, 300);
        TModule* led2 = maak(kLed, 50, 300);
        if (vanUitgang)
            sleep(uit(knop), in(led2));
        else
            sleep(in(led2), uit(knop));
        QCOMPARE(draad(uit(knop)), (Draad{1, 2, 1}));
        QCOMPARE(form->zoekUitgangBijIngang(led2, 1), uit(knop));
        QCOMPARE(form->klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }

    // Dropped anywhere but on a terminal of the other kind, a wire is not made.
    void geweigerdeDraad_data() {
        QTest::addColumn<QString>("van");
        QTest::addColumn<QString>("naar");
        QTest::newRow("uitgang op zichzelf") << "uitgang" << "uitgang";
        QTest::newRow("uitgang op andere uitgang") << "uitgang" << "uitgang2";
        QTest::newRow("ingang op ingang") << "ingang" << "ingang2";
        QTest::newRow("uitgang op het lege bord") << "uitgang" << "bord";
        QTest::newRow("uitgang op een modulepaneel") << "uitgang" << "paneel";
        QTest::newRow("ingang op een naamlabel") << "ingang" << "label";
    }

    void geweigerdeDraad() {
        QFETCH(QString, van);
        QFETCH(QString, naar);
        TModule* poort = maak(kOfPoort, 20, 20);
        TModule* knop = maak(kDrukSchakelaar, 300, 300);
        auto deel = [&](const QString& naam) -> QWidget* {
            if (naam == "uitgang")
                return uit(poort);
            if (naam == "uitgang2")
                return uit(knop);
            if (naam == "ingang")
                return in(poort, 1);
            if (naam == "ingang2")
                return in(poort, 2);
            if (naam == "paneel")
                return knop;
            if (naam == "label")
                return qobject_cast<TOFPoortMod*>(poort)->lNaam;
            return form->bord;
        };
        QWidget* doel = deel(naar);
        sleep(deel(van), doel, doel == form->bord ? QPoint(500, 100) : QPoint(8, 8));
        QCOMPARE(draad(uit(poort)), geen);
        QCOMPARE(draad(uit(knop)), geen);
        QVERIFY(!platform::sleeptNu());
    }

    // An input has one feeder: a new wire into it cuts the old one. An
    // output has one wire: wired to another input it leaves the old one.
    void eenDraadPerIngangEnPerUitgang() {
        TModule* knop1 = maak(kDrukSchakelaar, 20, 20);
        TModule* knop2 = maak(kDrukSchakelaar, 100, 20);
        TModule* ledA = maak(kLed, 20, 400);
        TModule* ledB = maak(kLed, 100, 400);
        sleep(uit(knop1), in(ledA));
        QCOMPARE(draad(uit(knop1)), (Draad{1, 1, 1}));
        sleep(uit(knop2), in(ledA));
        QCOMPARE(draad(uit(knop1)), geen);
        QCOMPARE(draad(uit(knop2)), (Draad{1, 1, 1}));
        QCOMPARE(form->zoekUitgangBijIngang(ledA, 1), uit(knop2));

        sleep(uit(knop2), in(ledB));
        QCOMPARE(draad(uit(knop2)), (Draad{1, 2, 1}));
        QCOMPARE(form->zoekUitgangBijIngang(ledA, 1), nullptr);
        QCOMPARE(form->zoekUitgangBijIngang(ledB, 1), uit(knop2));
    }

    // An output wired to an input of its own module is kept and drawn.
    void draadBinnenEenModule() {
        TModule* poort = maak(kOfPoort, 40, 40);
        sleep(uit(poort), in(poort, 2));
        QCOMPARE(draad(uit(poort)), (Draad{7, 1, 2}));
        QVERIFY(isRood(bord(), midden(uit(poort), in(poort, 2))));
    }

    // The right button cuts the wire at the terminal clicked: a fed input's
    // feeder, or the output's own wire. Unwired terminals change nothing.
    void rechtsKlikKnipt_data() {
        QTest::addColumn<QString>("klik");
        QTest::addColumn<bool>("knipt");
        QTest::newRow("gevoede ingang") << "ingang" << true;
        QTest::newRow("verbonden uitgang") << "uitgang" << true;
        QTest::newRow("ongevoede ingang") << "vrije ingang" << false;
        QTest::newRow("onverbonden uitgang") << "vrije uitgang" << false;
    }

    void rechtsKlikKnipt() {
        QFETCH(QString, klik);
        QFETCH(bool, knipt);
        TModule* knop = maak(kDrukSchakelaar, 20, 20);
        TModule* vrij = maak(kDrukSchakelaar, 200, 20);
        TModule* poort = maak(kOfPoort, 20, 400);
        sleep(uit(knop), in(poort, 1));
        QWidget* doel = uit(vrij);
        if (klik == "ingang")
            doel = in(poort, 1);
        else if (klik == "uitgang")
            doel = uit(knop);
        else if (klik == "vrije ingang")
            doel = in(poort, 2);
        QTest::mouseClick(doel, Qt::RightButton, {}, QPoint(8, 8));
        QCOMPARE(draad(uit(knop)), knipt ? geen : (Draad{7, 1, 1}));
        QCOMPARE(draad(uit(vrij)), geen);
        QVERIFY(!form->pmContext->isVisible()); // a terminal opens no context menu
        QVERIFY(!platform::sleeptNu());
        // The line goes with the wire.
        QCOMPARE(isRood(bord(), midden(uit(knop), in(poort, 1))), !knipt);
    }

    // Removing a module that is fed and feeds others: the wires into it are
    // cut, its own wires go with it, and the modules of its kind above it
    // move down one number with their wires intact.
    void verwijderenVanGevoedeEnVoedendeModule() {
        TModule* knop = maak(kDrukSchakelaar, 20, 20);
        TModule* split1 = maak(kSplit, 100, 200);
        TModule* split2 = maak(kSplit, 200, 200);
        TModule* split3 = maak(kSplit, 300, 200);
        TModule* led = maak(kLed, 400, 400);
        verbind(knop, 1, split1, 1);
        verbind(split1, 1, led, 1);
        verbind(split2, 2, split3, 1);
        verbind(split3, 1, split2, 1);
        QTest::mouseClick(split1, Qt::RightButton, {}, QPoint(60, 50));
        QVERIFY(form->pmContext->isVisible());
        QCOMPARE(form->contextModule, split1);
        QPointer<TModule> weg = split1;
        form->miContextVerwijderen->trigger();
        QVERIFY(weg.isNull());
        QCOMPARE(draad(uit(knop)), geen);
        QCOMPARE(form->zoekUitgangBijIngang(led, 1), nullptr);
        QCOMPARE(split2->nummer, 1);
        QCOMPARE(split3->nummer, 2);
        QCOMPARE(draad(uit(split2, 2)), (Draad{9, 2, 1}));
        QCOMPARE(draad(uit(split3, 1)), (Draad{9, 1, 1}));
        QCOMPARE(form->klokStopTeller(), 0);
    }

    // Re-aiming and cutting by module on boards a hand-edited file can make:
    // two outputs aimed at one input, and wires naming no module or no input.
    void herrichtenEnKnippenMetDubbeleEnLosseDraden() {
        TModule* knop1 = maak(kDrukSchakelaar, 0, 0);
        TModule* knop2 = maak(kDrukSchakelaar, 70, 0);
        TModule* knop3 = maak(kDrukSchakelaar, 140, 0);
        TModule* led1 = maak(kLed, 0, 300);
        TModule* led2 = maak(kLed, 70, 300);
        verbind(knop1, 1, led2, 1);
        verbind(knop2, 1, led2, 1); // the same input twice
        uit(knop3)->doelSoort = 1;  // an LED that does not exist
        uit(knop3)->doelNummer = 5;
        uit(knop3)->doelIngang = 1;
        // The last feeder in list order is the one found.
        QCOMPARE(form->zoekUitgangBijIngang(led2, 1), uit(knop2));

        form->vervangVerbindingMetModule(led2, 7);
        QCOMPARE(draad(uit(knop1)), (Draad{1, 7, 1}));
        QCOMPARE(draad(uit(knop2)), (Draad{1, 7, 1}));
        QCOMPARE(draad(uit(knop3)), (Draad{1, 5, 1}));
        form->vervangVerbindingMetModule(led1, 5); // led1 is number 1: the dangling wire stays
        QCOMPARE(draad(uit(knop3)), (Draad{1, 5, 1}));

        led2->nummer = 7;
        form->verwijderVerbindingMetModule(led2);
        QCOMPARE(draad(uit(knop1)), geen);
        QCOMPARE(draad(uit(knop2)), geen);
        QCOMPARE(draad(uit(knop3)), (Draad{1, 5, 1}));
        led2->nummer = 2;

        // Making a wire into an input fed twice cuts only the feeder found.
        verbind(knop1, 1, led1, 1);
        verbind(knop2, 1, led1, 1);
        sleep(uit(knop3), in(led1));
        QCOMPARE(draad(uit(knop1)), (Draad{1, 1, 1}));
        QCOMPARE(draad(uit(knop2)), geen);
        QCOMPARE(draad(uit(knop3)), (Draad{1, 1, 1}));
    }

    // Wires are red lines three pixels wide from terminal to terminal, over
    // every module; a wire to an input that does not exist is kept but not
    // drawn; no wire is drawn while the clock is held.
    void dradenTekenen() {
        TModule* knop = maak(kDrukSchakelaar, 100, 20);
        TModule* led = maak(kLed, 100, 400);
        TModule* ertussen = maak(kOfPoort, 60, 230); // the wire runs over this module
        Q_UNUSED(ertussen);
        sleep(uit(knop), in(led));
        QImage beeld = bord();
        const QPoint a = form->draadLaag->aansluitpunt(uit(knop));
        const QPoint b = form->draadLaag->aansluitpunt(in(led));
        QCOMPARE(a, uit(knop)->mapTo(form->bord, QPoint(9, 9)));
        QCOMPARE(a.y(), b.y());
        for (int x = a.x() + 12; x < b.x() - 12; x += 23) {
            QVERIFY2(isRood(beeld, QPoint(x, a.y())), qPrintable(QString::number(x)));
            QVERIFY(isRood(beeld, QPoint(x, a.y() - 1)));
            QVERIFY(isRood(beeld, QPoint(x, a.y() + 1)));
            QVERIFY(!isRood(beeld, QPoint(x, a.y() - 3)));
            QVERIFY(!isRood(beeld, QPoint(x, a.y() + 3)));
        }

        // Aimed at LED input 2, which no LED has: kept, not drawn.
        uit(knop)->doelIngang = 2;
        form->miVernieuwenClick();
        QVERIFY(!isRood(bord(), (a + b) / 2));
        QCOMPARE(draad(uit(knop)), (Draad{1, 1, 2}));

        uit(knop)->doelIngang = 1;
        form->stopTijdklok();
        form->miVernieuwenClick();
        QVERIFY(!isRood(bord(), (a + b) / 2));
        form->startTijdklok();
        form->miVernieuwenClick();
        QVERIFY(isRood(bord(), (a + b) / 2));
    }

    // A wire to a terminal scrolled out of view is drawn towards it, but
    // only over the visible board.
    void dradenBlijvenOpHetZichtbareBord() {
        TModule* knop = maak(kDrukSchakelaar, 20, 20);
        TModule* ver = maak(kLed, 1400, 164); // far below, straight under the output
        verbind(knop, 1, ver, 1);
        form->miVernieuwenClick();
        QVERIFY(form->scrollBox->verticalScrollBar()->maximum() > 0);
        const QImage venster =
            form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The line leaves the push button's output and runs down to the
        // bottom edge of the board, and no further.
        const QPoint start = uit(knop)->mapTo(form.get(), QPoint(9, 9));
        QVERIFY(isRood(venster, start + QPoint(0, 20)));
        const int onderrand = form->scrollBox->viewport()->mapTo(form.get(), QPoint(0, 0)).y() +
                              form->scrollBox->viewport()->height();
        for (int y = onderrand; y < venster.height(); ++y)
            for (int x = 0; x < venster.width(); ++x)
                QVERIFY(!isRood(venster, QPoint(x, y)));
        // Scrolled down, the line now comes from above the view.
        form->scrollBox->verticalScrollBar()->setValue(
            form->scrollBox->verticalScrollBar()->maximum());
        const QImage gescrold = form->scrollBox->viewport()->grab().toImage().convertToFormat(
            QImage::Format_RGB32);
        const QPoint eind = form->draadLaag->aansluitpunt(in(ver));
        QVERIFY(isRood(gescrold, eind - QPoint(0, 30)));
    }
};

QTEST_MAIN(TestBedrading)
#include "tst_bedrading.moc"
