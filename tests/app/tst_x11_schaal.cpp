// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The window for the projector, on a real X server: at scale 2 (what
// --schaal 2 sets up before the application starts) modules are taken from
// the menus, dropped and wired with the real pointer as at scale 1, wires
// are drawn twice as thick, and the sensor measures in board pixels.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "platform/slepen.h"
#include "platform/testseams.h"
#include "support/echtemuis.h"
#include "support/kwinteltest.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTest>

using namespace kwinteltest;

namespace {
constexpr int kSchaal = 2;

TModule* plaatsUitMenu(TfKwintelvlak& form, QMenu* menu, QAction* item, QPoint bordPos) {
    const size_t voor = form.modules.size();
    if (!kiesUitMenu(form, menu, item) ||
        !QTest::qWaitFor([] { return platform::sleeptNu(); }, 2000) ||
        !wijsAan(form.bord->mapToGlobal(bordPos + QPoint(20, 10))) ||
        !wijsAan(form.bord->mapToGlobal(bordPos)) || !xdotool({"click", "1"}) ||
        !QTest::qWaitFor([] { return !platform::sleeptNu(); }, 2000) ||
        form.modules.size() != voor + 1)
        return nullptr;
    return form.modules.back();
}
} // namespace

class TestX11Schaal : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initProces();
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed");
    }

    void slepenEnBedradenOpSchaalTwee() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QTest::qWait(100);
        QCOMPARE(form.devicePixelRatio(), qreal(kSchaal));
        // The board keeps its own size in board pixels.
        QCOMPARE(form.scrollBox->viewport()->size(), QSize(720, 576));

        TModule* knop = plaatsUitMenu(form, form.miInvoer, form.miDrukSchakelaar, {40, 100});
        QVERIFY(knop);
        QCOMPARE(knop->pos(), QPoint(40, 100));
        TModule* led = plaatsUitMenu(form, form.miUitvoer, form.miLED, {400, 100});
        QVERIFY(led);
        QCOMPARE(led->pos(), QPoint(400, 100));

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

        // The wire on the screen: six screen pixels thick where it is three
        // board pixels thick at scale 1, at twice its board position.
        xdotool({"mousemove", "--sync", "1", "1"});
        QTest::qWait(200);
        const QPoint oorsprong = form.bord->mapToGlobal(QPoint(0, 0));
        const QImage beeld = form.screen()
                                 ->grabWindow(0, oorsprong.x(), oorsprong.y(), 720, 576)
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(beeld.size(), QSize(720, 576) * kSchaal);
        const QPoint van = uitgang->mapTo(form.bord, QPoint(9, 9)) * kSchaal;
        const QPoint naar = ingang->mapTo(form.bord, QPoint(9, 9)) * kSchaal;
        const QColor rood(255, 0, 0);
        int dik = 0;
        for (int y = van.y() - 8; y <= van.y() + 8; ++y)
            dik += beeld.pixelColor((van.x() + naar.x()) / 2, y) == rood;
        QCOMPARE(dik, 3 * kSchaal);
    }

    void sensorMeetInBordPixels() {
        // The real pointer at a point of the board gives the sensor the same
        // reading as a pointer set there in board coordinates.
        TfKwintelvlak form;
        form.tActie->stop();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TModule* sensor = form.maakModule(entry(form, 18), 300, 200);
        QVERIFY(sensor);
        const auto niveau = [&] {
            form.tActieTimer();
            return int(sensor->uitgangenLijst()[0]->laatsteNiveau);
        };
        QVERIFY(wijsAan(sensor->mapToGlobal(QPoint(0, 0))));
        QCOMPARE(niveau(), 50);
        const QPoint punt = sensor->mapToGlobal(QPoint(150, 100));
        QVERIFY(wijsAan(punt));
        const int echt = niveau();
        QVERIFY(echt > 0 && echt < 50);
        platform::FakeCursor nep(punt);
        QCOMPARE(niveau(), echt);
    }
};

int main(int argc, char* argv[]) {
    // As the program does for --schaal 2: before the application exists.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kSchaal));
    QApplication app(argc, argv);
    TestX11Schaal test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_schaal.moc"
