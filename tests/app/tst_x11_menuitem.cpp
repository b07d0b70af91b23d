// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
//
// On a real X server with the real pointer, as the help describes it: a board
// holds one buzzer and one sound sensor. Each is taken from its menu, after
// which its menu item cannot be chosen; removed through its context menu, or
// the board cleared with Bestand > Nieuw, the item can be chosen again.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/zoemer.h"
#include "platform/slepen.h"
#include "support/echtemuis.h"
#include "support/kwinteltest.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTest>

using namespace kwinteltest;

namespace {

// Chooses an item through the real menu and drops what follows the pointer
// at plek; false when the item gave nothing to place (it was disabled).
bool neemEnZet(TfKwintelvlak& form, QMenu* menu, QAction* item, QPoint plek) {
    if (!kiesUitMenu(form, menu, item))
        return false;
    if (!QTest::qWaitFor([] { return platform::sleeptNu(); }, 1500)) {
        xdotool({"key", "Escape"}); // the menu stays open on a disabled item
        if (!QTest::qWaitFor([menu] { return !menu->isVisible(); }, 2000))
            qWarning("het menu bleef open na Escape");
        return false;
    }
    return wijsAan(form.bord->mapToGlobal(plek)) && xdotool({"click", "1"}) &&
           QTest::qWaitFor([] { return !platform::sleeptNu(); }, 2000);
}

// Removes a module through its context menu: a right click on its name,
// then "Verwijderen" in the menu that opens.
bool verwijderMetMenu(TfKwintelvlak& form, TModule* m) {
    const QLabel* naam = m->findChild<QLabel*>();
    if (!naam || !wijsAan(naam->mapToGlobal(naam->rect().center())) || !xdotool({"click", "3"}))
        return false;
    if (!QTest::qWaitFor([&form] { return form.pmContext->isVisible(); }, 2000))
        return false;
    return klik(form.pmContext->mapToGlobal(
        form.pmContext->actionGeometry(form.miContextVerwijderen).center()));
}

template <class Soort> int aantal(const TfKwintelvlak& form) {
    int n = 0;
    for (TModule* m : form.modules)
        n += qobject_cast<Soort*>(m) != nullptr;
    return n;
}

} // namespace

class TestX11MenuItem : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initProces();
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed");
    }

    void eenZoemerEnEenGeluidsensorUitHetMenu() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QTest::qWait(100);
        const QPoint plekA(40, 60), plekB(300, 60);

        for (const bool zoemer : {true, false}) {
            QMenu* menu = zoemer ? form.miUitvoer : form.miInvoer;
            QAction* item = zoemer ? form.miZoemer : form.miGeluidSensor;
            const auto tel = [&] {
                return zoemer ? aantal<TZoemerMod>(form) : aantal<TGeluidSensorMod>(form);
            };
            QVERIFY(neemEnZet(form, menu, item, plekA));
            QCOMPARE(tel(), 1);
            // A second one cannot be taken.
            QVERIFY(!neemEnZet(form, menu, item, plekB));
            QCOMPARE(tel(), 1);

            // Removed through its context menu: the item works again.
            QVERIFY(verwijderMetMenu(form, form.modules.back()));
            QTRY_COMPARE(tel(), 0);
            QVERIFY(neemEnZet(form, menu, item, plekB));
            QCOMPARE(tel(), 1);
            QVERIFY(!neemEnZet(form, menu, item, plekA));

            // Bestand > Nieuw clears the board: the item works again.
            QVERIFY(kiesUitMenu(form, form.miBestand, form.miNieuw));
            QTRY_COMPARE(form.modules.size(), size_t(0));
            QVERIFY(neemEnZet(form, menu, item, plekA));
            QCOMPARE(tel(), 1);
        }
    }
};

QTEST_MAIN(TestX11MenuItem)
#include "tst_x11_menuitem.moc"
