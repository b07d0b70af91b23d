// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Moving and placing modules with the mouse in the real window: the drop
// rectangle, where a module lands, renumbering on the drop, refused drags,
// cancelling, the pointer's confinement and modules taken from the menus.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "controls/spinknoppen.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"
#include "modules/soorten/led.h"
#include "platform/platform.h"
#include "platform/slepen.h"
#include "platform/testseams.h"
#include "support/kwinteltest.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>

using namespace kwinteltest;

namespace {
constexpr int kLed = 1; // catalogue positions
constexpr int kDrukSchakelaar = 0;
constexpr int kVariabeleSpanning = 3;

bool geenRechthoek(const TfKwintelvlak& form) {
    return form.focusRect.left() == GEEN && form.focusRect.top() == GEEN &&
           form.focusRect.right() == GEEN && form.focusRect.bottom() == GEEN;
}

// The module's position on the board when the pointer is at p (board
// coordinates) and the module was taken at grijp.
QRect verwachteRechthoek(const TModule* m, QPoint p, QPoint grijp) {
    QRect r;
    r.setCoords(p.x() - grijp.x(), p.y() - grijp.y(), p.x() - grijp.x() + m->width(),
                p.y() - grijp.y() + m->height());
    return r;
}
} // namespace

class TestSlepen : public QObject {
    Q_OBJECT

    std::unique_ptr<TfKwintelvlak> form;

    TModule* maak(int positie, int top, int left) {
        return form->maakModule(entry(*form, positie), top, left);
    }

    // Presses on `van` at vanPos, moves over the board to the board point
    // `bordPunt` and hands the release to `onder` (the control under the
    // pointer as the user sees it; the drag looks itself for what lies there).
    void sleep(QWidget* van, QPoint vanPos, QPoint bordPunt) {
        QTest::mousePress(van, Qt::LeftButton, {}, vanPos);
        QTest::mouseMove(form->bord, bordPunt - QPoint(7, 5));
        QTest::mouseMove(form->bord, bordPunt);
        QTest::mouseRelease(form->bord, Qt::LeftButton, {}, bordPunt);
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
        form.reset();
        QVERIFY(!platform::sleeptNu());
    }

    // While the module is dragged the rectangle of its size follows the
    // pointer, the module is disabled and the clock keeps running; the drop
    // places it where the rectangle was.
    void rechthoekVolgtEnModuleLandt() {
        TModule* led = maak(kLed, 100, 50);
        auto* naam = qobject_cast<TLEDMod*>(led)->lNaam;
        const QPoint grijp = naam->mapTo(led, QPoint(4, 3));
        QTest::mousePress(naam, Qt::LeftButton, {}, QPoint(4, 3));
        QCOMPARE(platform::sleepBron(), led);
        QCOMPARE(form->grijpPunt, grijp);
        QVERIFY(!led->isEnabled());
        QVERIFY(!klokGestopt);
        // Right after the press the rectangle stands where the module stands.
        QCOMPARE(form->focusRect, verwachteRechthoek(led, led->pos() + grijp, grijp));

        QTest::mouseMove(form->bord, QPoint(300, 250));
        QCOMPARE(form->focusRect, verwachteRechthoek(led, QPoint(300, 250), grijp));
        QCOMPARE(led->pos(), QPoint(50, 100)); // the module itself waits for the drop
        QTest::mouseMove(form->bord, QPoint(310, 260));
        QCOMPARE(form->focusRect, verwachteRechthoek(led, QPoint(310, 260), grijp));

        QTest::mouseRelease(form->bord, Qt::LeftButton, {}, QPoint(310, 260));
        QCOMPARE(led->pos(), QPoint(310, 260) - grijp);
        QVERIFY(led->isEnabled());
        QVERIFY(led->isVisible());
        QVERIFY(geenRechthoek(*form));
        QVERIFY(!platform::sleeptNu());
        QVERIFY(platform::cursorConfinement().isNull());
    }

    // Three LEDs 1, 2, 3: dropping LED 1 where it stood makes it LED 3 and
    // the last in the list; every wire still reaches the same LED and input.
    void neerzettenOpDezelfdePlekNummertHernieuw() {
        TModule* leds[3];
        TModule* knoppen[3];
        for (int i = 0; i < 3; ++i) {
            leds[i] = maak(kLed, 20 + 80 * i, 300);
            knoppen[i] = maak(kDrukSchakelaar, 20 + 80 * i, 20);
        }
        for (int i = 0; i < 3; ++i)
            verbind(knoppen[i], 1, leds[i], 1);
        auto* naam = qobject_cast<TLEDMod*>(leds[0])->lNaam;
        sleep(naam, QPoint(5, 5), naam->mapTo(form->bord, QPoint(5, 5)));

        QCOMPARE(leds[0]->pos(), QPoint(300, 20));
        QCOMPARE(leds[0]->nummer, 3);
        QCOMPARE(leds[1]->nummer, 1);
        QCOMPARE(leds[2]->nummer, 2);
        QCOMPARE(form->modules.back(), leds[0]);
        QCOMPARE(form->modules.size(), size_t(6));
        for (int i = 0; i < 3; ++i) {
            const TUitgang* u = knoppen[i]->uitgangenLijst()[0];
            QCOMPARE(form->zoekModule(u->doelSoort, u->doelNummer), leds[i]);
            QCOMPARE(u->doelIngang, 1);
        }
        // The modules of other kinds keep their numbers.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(knoppen[i]->nummer, i + 1);
        // The dropped module is top-most on the board.
        QCOMPARE(form->bord->children().last(), leds[0]);
    }

    // Dropped over another module, a terminal, a label, a key or the logo,
    // a module lands exactly where it would over the empty board.
    void neerzettenOpIetsAnders_data() {
        QTest::addColumn<QString>("onder");
        QTest::newRow("leeg bord") << "bord";
        QTest::newRow("andere module") << "module";
        QTest::newRow("aansluiting") << "aansluiting";
        QTest::newRow("naamlabel") << "label";
        QTest::newRow("knop") << "knop";
        QTest::newRow("regelaar") << "regelaar";
        QTest::newRow("logo") << "logo";
    }

    void neerzettenOpIetsAnders() {
        QFETCH(QString, onder);
        form->miLogoWeergeven->trigger();
        QVERIFY(form->pKwintelvlak->isVisible());
        TModule* bewegend = maak(kLed, 10, 10);
        TModule* ander = maak(kDrukSchakelaar, 200, 300);
        TModule* spanning = maak(kVariabeleSpanning, 300, 300);
        QWidget* doel = form->bord;
        QPoint binnen(400, 150);
        if (onder == "module") {
            doel = ander;
            binnen = QPoint(60, 10);
        } else if (onder == "aansluiting") {
            doel = ander->uitgangenLijst()[0];
        } else if (onder == "label") {
            doel = ander->findChild<QLabel*>();
        } else if (onder == "knop") {
            doel = ander->findChild<TSchakelaar*>();
        } else if (onder == "regelaar") {
            doel = spanning->findChild<QLineEdit*>();
        } else if (onder == "logo") {
            doel = form->pKwintelvlak;
            binnen = QPoint(40, 30);
        }
        if (onder == "aansluiting" || onder == "knop")
            binnen = QPoint(8, 8);
        if (onder == "regelaar")
            binnen = QPoint(10, 10);
        const QPoint punt = doel->mapTo(form->bord, binnen);
        auto* naam = qobject_cast<TLEDMod*>(bewegend)->lNaam;
        const QPoint grijp = naam->mapTo(bewegend, QPoint(6, 6));
        QTest::mousePress(naam, Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseMove(doel, binnen - QPoint(3, 3));
        QTest::mouseMove(doel, binnen);
        QCOMPARE(form->focusRect, verwachteRechthoek(bewegend, punt, grijp));
        QTest::mouseRelease(doel, Qt::LeftButton, {}, binnen);
        QCOMPARE(bewegend->pos(), punt - grijp);
        QVERIFY(bewegend->isVisible());
        QCOMPARE(form->modules.back(), bewegend);
        QVERIFY(geenRechthoek(*form));
    }

    // Escape cancels: the module stays where it was, with its place in the
    // list and its number; no rectangle remains.
    void escapeAnnuleert() {
        TModule* a = maak(kLed, 10, 10);
        TModule* b = maak(kLed, 100, 10);
        auto* naam = qobject_cast<TLEDMod*>(a)->lNaam;
        QTest::mousePress(naam, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(form->bord, QPoint(400, 400));
        QVERIFY(!geenRechthoek(*form));
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(!platform::sleeptNu());
        QVERIFY(geenRechthoek(*form));
        QCOMPARE(a->pos(), QPoint(10, 10));
        QCOMPARE(a->nummer, 1);
        QCOMPARE(b->nummer, 2);
        QCOMPARE(form->modules, (TModuleArray{a, b}));
        QVERIFY(a->isEnabled());
        QVERIFY(a->isVisible());
        // The release that follows a cancelled drag does nothing.
        QTest::mouseRelease(form->bord, Qt::LeftButton, {}, QPoint(400, 400));
        QCOMPARE(a->pos(), QPoint(10, 10));
    }

    // Released over something that takes no drop (the menu bar, the arrow
    // buttons of a setting control), a moved module stays where it was.
    void losgelatenWaarHetGeweigerdWordt() {
        TModule* led = maak(kLed, 10, 10);
        TModule* spanning = maak(kVariabeleSpanning, 200, 200);
        auto* naam = qobject_cast<TLEDMod*>(led)->lNaam;
        QWidget* pijltjes = spanning->findChild<QLineEdit*>()->findChild<TSpinButton*>();
        QVERIFY(pijltjes);
        QTest::mousePress(naam, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(form->bord, QPoint(400, 300));
        // The pointer tells whether a drop would be taken here.
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
        QTest::mouseMove(pijltjes, QPoint(5, 5));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
        QVERIFY(geenRechthoek(*form)); // nothing to show where no drop is taken
        QTest::mouseRelease(pijltjes, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(led->pos(), QPoint(10, 10));
        QCOMPARE(form->modules.front(), led);
        QVERIFY(led->isEnabled());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(geenRechthoek(*form));
    }

    // A terminal or the logo dragged over the board is refused everywhere
    // and shows no rectangle.
    void geweigerdeSleepToontGeenRechthoek_data() {
        QTest::addColumn<QString>("wat");
        QTest::newRow("aansluiting") << "aansluiting";
        QTest::newRow("logo") << "logo";
    }

    void geweigerdeSleepToontGeenRechthoek() {
        QFETCH(QString, wat);
        form->miLogoWeergeven->trigger();
        TModule* led = maak(kLed, 10, 10);
        maak(kDrukSchakelaar, 200, 200);
        QWidget* bron =
            wat == "logo" ? form->pKwintelvlak : static_cast<QWidget*>(led->ingangenLijst()[0]);
        QTest::mousePress(bron, Qt::LeftButton, {}, QPoint(8, 8));
        QCOMPARE(platform::sleepBron(), bron);
        for (const QPoint p : {QPoint(300, 300), QPoint(250, 230), QPoint(40, 30)}) {
            QTest::mouseMove(form->bord, p);
            QVERIFY(geenRechthoek(*form));
        }
        QTest::mouseRelease(form->bord, Qt::LeftButton, {}, QPoint(40, 30));
        QVERIFY(geenRechthoek(*form));
        QCOMPARE(form->pKwintelvlak->geometry(), QRect(528, 512, 192, 64));
        QCOMPARE(led->pos(), QPoint(10, 10));
    }

    // The module's top-left corner cannot go above or left of the visible
    // board: the pointer is held inside; right and bottom may go beyond.
    void aanwijzerBlijftBinnenHetBord() {
        platform::FakeCursor cursor;
        TModule* led = maak(kLed, 100, 100);
        auto* naam = qobject_cast<TLEDMod*>(led)->lNaam;
        const QPoint grijp = naam->mapTo(led, QPoint(6, 4));
        QTest::mousePress(naam, Qt::LeftButton, {}, QPoint(6, 4));
        const QPoint o = form->scrollBox->mapToGlobal(QPoint(0, 0));
        QCOMPARE(platform::cursorConfinement(),
                 QRect(o + grijp,
                       o + QPoint(form->scrollBox->width() - 1, form->scrollBox->height() - 1)));
        // Far up and left: the pointer is put back at the corner.
        QTest::mouseMove(form->bord, QPoint(-50, -80));
        QCOMPARE(cursor.pos(), o + grijp);
        QCOMPARE(form->focusRect.topLeft(), QPoint(0, 0));
        QTest::mouseRelease(form->bord, Qt::LeftButton, {}, QPoint(-50, -80));
        QCOMPARE(led->pos(), QPoint(0, 0));
        QVERIFY(platform::cursorConfinement().isNull());

        // Far right and down: the module may reach beyond the visible board.
        QTest::mousePress(naam, Qt::LeftButton, {}, QPoint(6, 4));
        QTest::mouseMove(form->bord, QPoint(715, 570));
        QTest::mouseRelease(form->bord, Qt::LeftButton, {}, QPoint(715, 570));
        QCOMPARE(led->pos(), QPoint(715, 570) - grijp);
    }

    // A module taken from a menu follows the pointer as a rectangle of its
    // size, held at its top-left corner, and lands where it is dropped.
    void moduleUitMenu() {
        platform::FakeCursor cursor(form->bord->mapToGlobal(QPoint(120, 140)));
        form->miLED->trigger();
        QCOMPARE(form->modules.size(), size_t(1));
        TModule* led = form->modules.back();
        QCOMPARE(platform::sleepBron(), led);
        QVERIFY(led->isHidden());
        QCOMPARE(form->grijpPunt, QPoint(0, 0));
        // Chosen with the keyboard the mouse never moved: the rectangle is
        // at the pointer straight away.
        QCOMPARE(form->focusRect, verwachteRechthoek(led, QPoint(120, 140), QPoint(0, 0)));
        QTest::mouseMove(form->bord, QPoint(200, 210));
        QCOMPARE(form->focusRect, verwachteRechthoek(led, QPoint(200, 210), QPoint(0, 0)));
        // A click drops it: the press does nothing, the release places it.
        QTest::mousePress(form->bord, Qt::LeftButton, {}, QPoint(200, 210));
        QVERIFY(platform::sleeptNu());
        QTest::mouseRelease(form->bord, Qt::LeftButton, {}, QPoint(200, 210));
        QVERIFY(!platform::sleeptNu());
        QVERIFY(led->isVisible());
        QCOMPARE(led->pos(), QPoint(200, 210));
        QVERIFY(geenRechthoek(*form));
    }

    // A module from a menu that is never placed (Escape, or released where
    // no drop is taken) is taken off the board again; a buzzer's menu item
    // comes back.
    void moduleUitMenuNietGeplaatst_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("escape") << true;
        QTest::newRow("losgelaten op de pijltjes van een regelaar") << false;
    }

    void moduleUitMenuNietGeplaatst() {
        QFETCH(bool, escape);
        TModule* bestaand = maak(kVariabeleSpanning, 10, 10);
        form->miZoemer->trigger();
        QVERIFY(!form->miZoemer->isEnabled());
        QCOMPARE(form->modules.size(), size_t(2));
        QPointer<QWidget> zoemer = platform::sleepBron();
        QVERIFY(zoemer);
        if (escape) {
            QTest::keyClick(form.get(), Qt::Key_Escape);
        } else {
            // The pointer cannot leave the board while a module is dragged;
            // the arrow buttons of a setting control are a place on the
            // board that takes no drop.
            QWidget* pijltjes = bestaand->findChild<TSpinButton*>();
            QVERIFY(pijltjes);
            QTest::mouseMove(pijltjes, QPoint(4, 4));
            QTest::mouseRelease(pijltjes, Qt::LeftButton, {}, QPoint(4, 4));
        }
        QVERIFY(!platform::sleeptNu());
        QVERIFY(zoemer.isNull());
        QCOMPARE(form->modules, TModuleArray{bestaand});
        QVERIFY(form->miZoemer->isEnabled());
        QVERIFY(geenRechthoek(*form));
        QVERIFY(platform::cursorConfinement().isNull());
        // Once placed, a later cancelled move leaves it on the board.
        TModule* geplaatst = neemUitMenu(*form, form->miZoemer, QPoint(300, 300));
        QVERIFY(geplaatst);
        QTest::mousePress(geplaatst, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QCOMPARE(form->modules.size(), size_t(2));
        QCOMPARE(geplaatst->pos(), QPoint(300, 300));
        QVERIFY(!form->miZoemer->isEnabled());
    }

    // A module from a menu that is freed while it still follows the pointer
    // (a sound sensor taken off the board by code) ends the drag cleanly.
    void moduleUitMenuVerdwijntTijdensSlepen() {
        form->miGeluidSensor->trigger();
        QPointer<QWidget> sensor = platform::sleepBron();
        QVERIFY(sensor);
        form->moduleVerwijderen(form->modules.back());
        QVERIFY(sensor.isNull());
        QVERIFY(!platform::sleeptNu());
        QVERIFY(form->modules.empty());
        QVERIFY(form->miGeluidSensor->isEnabled());
        QVERIFY(platform::cursorConfinement().isNull());
        QVERIFY(geenRechthoek(*form));
    }

    // A drag holds no clock: levels keep being sent while a module moves.
    void klokLoopttijdensSlepen() {
        TModule* led = maak(kLed, 10, 10);
        QTest::mousePress(led, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!klokGestopt);
        QCOMPARE(form->klokStopTeller(), 0);
        QTest::mouseRelease(form->bord, Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(!klokGestopt);
    }
};

QTEST_MAIN(TestSlepen)
#include "tst_slepen.moc"
