// Plug-in modules on a real X server, with the real pointer moved by xdotool:
// with a plug-in panel on the board every module still answers the pointer
// (keys, dragging, wiring, right-clicks), what the library draws into its
// window is on the screen, and wires lie over it. Run a second time with
// KWINTEL_SCHAAL=2, as --schaal 2 runs the program.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "editing/draadlaag.h"
#include "modules/aansluitingen.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/led.h"
#include "platform/slepen.h"
#include "support/echtemuis.h"
#include "support/kwinteltest.h"
#include "zwenkeltest.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

using namespace kwinteltest;

namespace {

// The colour tz_vierkant fills its square with, on every tick.
const QColor kVierkant(0x20, 0xC8, 0x78);
const QColor kRood(255, 0, 0);

PModuleSoort ingebouwd(TfKwintelvlak& form, int soort) {
    return form.zoekLoadedModule(soort, nullptr, false);
}

// The whole screen as the X server shows it, in screen pixels.
QImage scherm(TfKwintelvlak& form) {
    xdotool({"mousemove", "--sync", "1", "1"}); // the pointer out of the picture
    QTest::qWait(300);
    return form.screen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// A point of a widget in screen pixels.
QPoint opScherm(const QWidget* w, QPoint p) {
    const qreal s = w->devicePixelRatioF();
    const QPoint g = w->mapToGlobal(p);
    return {qRound(g.x() * s), qRound(g.y() * s)};
}

bool sleep(QPoint van, QPoint naar, const char* knop = "1") {
    return wijsAan(van) && xdotool({"mousedown", knop}) && wijsAan((van + naar) / 2) &&
           wijsAan(naar - QPoint(3, 2)) && wijsAan(naar) && xdotool({"mouseup", knop}) &&
           QTest::qWaitFor([] { return !platform::sleeptNu(); }, 2000);
}

} // namespace

class TestX11Zwenkel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initProces();
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed");
    }

    void muisGezichtEnDraden() {
        zwenkeltest::Map map({"tz_vierkant"});
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QTest::qWait(100);

        // A push button wired to an LED, the wire running straight across
        // the plug-in panel and through the square the library fills.
        TModule* knop = form.maakModule(ingebouwd(form, soorten::drukSchakelaar), 100, 20);
        QVERIFY(knop);
        TUitgang* knopUit = knop->uitgangenLijst()[0];
        const QPoint draadVan = knopUit->mapTo(form.bord, QPoint(9, 9));
        TModule* led = form.maakModule(ingebouwd(form, soorten::led), 0, 420);
        QVERIFY(led);
        TIngang* ledIn = led->ingangenLijst()[0];
        led->move(420, led->y() + draadVan.y() - ledIn->mapTo(form.bord, QPoint(9, 9)).y());
        TZwenkelMod* zwenkel = zwenkeltest::maak(form, "tz_vierkant", draadVan.y() - 12, 250);
        QVERIFY(zwenkel);
        QVERIFY(zwenkel->tekentZelf());
        // A second LED below, for a wire from the plug-in.
        TModule* led2 = form.maakModule(ingebouwd(form, soorten::led), 300, 420);
        QVERIFY(led2);
        knopUit->doelSoort = soorten::led;
        knopUit->doelNummer = 1;
        knopUit->doelIngang = 1;
        form.miVernieuwenClick();
        QTest::qWait(300); // ticks: the library fills its square

        // On the screen: the library's square, and the wire over it and over
        // the rest of the panel.
        {
            const QImage beeld = scherm(form);
            const qreal s = form.devicePixelRatioF();
            const QPoint paneel = opScherm(zwenkel, QPoint(0, 0));
            QCOMPARE(beeld.pixelColor(paneel + QPoint(20, 38)), kVierkant);
            QCOMPARE(beeld.pixelColor(paneel + QPoint(38, 6)), kVierkant);
            const int draadY = opScherm(form.bord, draadVan).y();
            for (int x : {20, 38, 70, 100}) {
                const int sx = paneel.x() + qRound(x * s);
                QCOMPARE(beeld.pixelColor(sx, draadY), kRood);
                QVERIFY(beeld.pixelColor(sx, draadY + qRound(4 * s)) != kRood);
            }
            // Where there is no wire the layer hides nothing of the panel (the
            // layer lies at the origin of its parent, the visible board).
            QVERIFY(form.draadLaag->zichtbaar().contains(
                zwenkel->mapTo(form.draadLaag->parentWidget(), QPoint(30, 12))));
            QVERIFY(!form.draadLaag->zichtbaar().contains(
                zwenkel->mapTo(form.draadLaag->parentWidget(), QPoint(30, 30))));
        }

        // The push button's key, pressed with the real pointer, lights the LED.
        auto* ds = qobject_cast<TDrukSchakelaarMod*>(knop);
        auto* lamp = qobject_cast<TLEDMod*>(led);
        QVERIFY(ds && lamp);
        QVERIFY(wijsAan(ds->sSchakelaar->mapToGlobal(QPoint(8, 8))));
        QVERIFY(xdotool({"mousedown", "1"}));
        QCOMPARE(ds->sSchakelaar->stand, quint8(1));
        QVERIFY(QTest::qWaitFor([&] { return lamp->led->brushKleur() == TLED::aan; }, 2000));
        QVERIFY(xdotool({"mouseup", "1"}));
        QVERIFY(QTest::qWaitFor([&] { return lamp->led->brushKleur() == TLED::uit; }, 2000));

        // Modules are dragged to a new place: an LED, and the plug-in panel.
        const QPoint ledVoor = led2->pos();
        QVERIFY(sleep(led2->mapToGlobal(QPoint(100, 6)), led2->mapToGlobal(QPoint(60, 66))));
        QCOMPARE(led2->pos(), ledVoor + QPoint(-40, 60));
        const QPoint zwenkelVoor = zwenkel->pos();
        QVERIFY(sleep(zwenkel->mapToGlobal(QPoint(70, 50)), zwenkel->mapToGlobal(QPoint(50, 90))));
        QCOMPARE(zwenkel->pos(), zwenkelVoor + QPoint(-20, 40));

        // A wire from the plug-in's output to the second LED, dragged.
        TUitgang* zwenkelUit = zwenkel->uitgangenLijst()[0];
        TIngang* led2In = led2->ingangenLijst()[0];
        QVERIFY(sleep(zwenkelUit->mapToGlobal(QPoint(8, 8)), led2In->mapToGlobal(QPoint(8, 8))));
        QCOMPARE(zwenkelUit->doelSoort, int(soorten::led));
        QCOMPARE(zwenkelUit->doelNummer, 2);
        QCOMPARE(zwenkelUit->doelIngang, 1);

        // A right-click on the plug-in's output cuts it.
        QVERIFY(wijsAan(zwenkelUit->mapToGlobal(QPoint(8, 8))));
        QVERIFY(xdotool({"click", "3"}));
        QVERIFY(QTest::qWaitFor([&] { return zwenkelUit->doelSoort == -1; }, 2000));

        // A right-click on a module opens its menu; "Verwijderen" removes it.
        QVERIFY(wijsAan(led2->mapToGlobal(QPoint(100, 6))));
        QVERIFY(xdotool({"click", "3"}));
        QVERIFY(QTest::qWaitFor([&] { return form.pmContext->isVisible(); }, 2000));
        QCOMPARE(form.contextModule, led2);
        QVERIFY(klik(form.pmContext->mapToGlobal(
            form.pmContext->actionGeometry(form.miContextVerwijderen).center())));
        QVERIFY(QTest::qWaitFor([&] { return form.modules.size() == 3; }, 2000));

        // And after "Nieuw" the pointer still reaches new modules.
        form.miNieuwClick();
        TModule* knop2 = form.maakModule(ingebouwd(form, soorten::drukSchakelaar), 200, 200);
        QVERIFY(knop2);
        auto* ds2 = qobject_cast<TDrukSchakelaarMod*>(knop2);
        QVERIFY(wijsAan(ds2->sSchakelaar->mapToGlobal(QPoint(8, 8))));
        QVERIFY(xdotool({"mousedown", "1"}));
        QCOMPARE(ds2->sSchakelaar->stand, quint8(1));
        QVERIFY(xdotool({"mouseup", "1"}));
        QCOMPARE(ds2->sSchakelaar->stand, quint8(0));
    }
};

int main(int argc, char* argv[]) {
    // As the program does for --schaal N: before the application exists.
    const QByteArray schaal = qgetenv("KWINTEL_SCHAAL");
    if (!schaal.isEmpty())
        qputenv("QT_SCALE_FACTOR", schaal);
    QApplication app(argc, argv);
    TestX11Zwenkel test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_zwenkel.moc"
