// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// End to end on a real X server, with the real pointer moved by xdotool as a
// user's hand would: take a push button and an LED from the menus, drop them
// on the board, draw a wire from the button's output to the LED's input, and
// read the red line back from a screenshot.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "platform/slepen.h"
#include "support/echtemuis.h"
#include "support/kwinteltest.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTest>

using namespace kwinteltest;

class TestX11Bedrading : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initProces();
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed");
    }

    void plaatsenEnBedradenMetDeEchteMuis() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QTest::qWait(100);

        // A push button from "Invoer", dropped with its corner at (40, 100).
        QVERIFY(kiesUitMenu(form, form.miInvoer, form.miDrukSchakelaar));
        QVERIFY(QTest::qWaitFor([] { return platform::sleeptNu(); }, 2000));
        QVERIFY(wijsAan(form.bord->mapToGlobal(QPoint(60, 90))));
        QVERIFY(wijsAan(form.bord->mapToGlobal(QPoint(40, 100))));
        QVERIFY(xdotool({"click", "1"}));
        QVERIFY(QTest::qWaitFor([] { return !platform::sleeptNu(); }, 2000));
        QCOMPARE(form.modules.size(), size_t(1));
        TModule* knop = form.modules[0];
        QCOMPARE(knop->pos(), QPoint(40, 100));
        QVERIFY(knop->isVisible());

        // An LED from "Uitvoer", at (400, 100).
        QVERIFY(kiesUitMenu(form, form.miUitvoer, form.miLED));
        QVERIFY(QTest::qWaitFor([] { return platform::sleeptNu(); }, 2000));
        QVERIFY(wijsAan(form.bord->mapToGlobal(QPoint(400, 100))));
        QVERIFY(xdotool({"click", "1"}));
        QVERIFY(QTest::qWaitFor([] { return !platform::sleeptNu(); }, 2000));
        QCOMPARE(form.modules.size(), size_t(2));
        TModule* led = form.modules[1];
        QCOMPARE(led->pos(), QPoint(400, 100));

        // The wire: press on the output, move over to the input, release.
        TUitgang* uitgang = knop->uitgangenLijst()[0];
        TIngang* ingang = led->ingangenLijst()[0];
        QVERIFY(wijsAan(uitgang->mapToGlobal(QPoint(8, 8))));
        QVERIFY(xdotool({"mousedown", "1"}));
        QVERIFY(wijsAan(uitgang->mapToGlobal(QPoint(60, 10))));
        QVERIFY(wijsAan(ingang->mapToGlobal(QPoint(5, 9))));
        QVERIFY(wijsAan(ingang->mapToGlobal(QPoint(8, 8))));
        QVERIFY(xdotool({"mouseup", "1"}));
        QVERIFY(QTest::qWaitFor([] { return !platform::sleeptNu(); }, 2000));
        QCOMPARE(uitgang->doelSoort, 1);
        QCOMPARE(uitgang->doelNummer, 1);
        QCOMPARE(uitgang->doelIngang, 1);

        // The red line on the screen, three pixels thick, from (9, 9) of the
        // output to (9, 9) of the input.
        xdotool({"mousemove", "--sync", "1", "1"}); // the pointer out of the picture
        QTest::qWait(200);
        const QPoint oorsprong = form.bord->mapToGlobal(QPoint(0, 0));
        const QImage beeld = form.screen()
                                 ->grabWindow(0, oorsprong.x(), oorsprong.y(), 720, 576)
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QPoint van = uitgang->mapTo(form.bord, QPoint(9, 9));
        const QPoint naar = ingang->mapTo(form.bord, QPoint(9, 9));
        QCOMPARE(van.y(), naar.y());
        const QColor rood(255, 0, 0);
        for (int x = van.x() + 12; x < naar.x() - 12; x += 17) {
            QCOMPARE(beeld.pixelColor(x, van.y()), rood);
            QCOMPARE(beeld.pixelColor(x, van.y() - 1), rood);
            QCOMPARE(beeld.pixelColor(x, van.y() + 1), rood);
            QVERIFY(beeld.pixelColor(x, van.y() - 3) != rood);
        }
        // Elsewhere on the board nothing is red.
        QVERIFY(beeld.pixelColor(300, 400) != rood);
    }
};

QTEST_MAIN(TestX11Bedrading)
#include "tst_x11_bedrading.moc"
