// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Plug-in modules on a real X server, with the real pointer moved by xdotool:
// with a plug-in panel on the board every module still answers the pointer
// (keys, dragging, wiring, right-clicks), what the library draws into its
// window is on the screen, and wires lie over it. Run a second time with
// KWINTEL_SCHAAL=2, as --schaal 2 runs the program.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "editing/draadlaag.h"
#include "modules/aansluitingen.h"
#include "modules/kleuren.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/led.h"
#include "platform/slepen.h"
#include "support/echtemuis.h"
#include "support/kwinteltest.h"
#include "zwenkeltest.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
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

// The panel's pixels that show something else than the module colour (or a
// wire's red, where wires may cross), away from its terminals: every fourth
// board pixel.
QString nietVlak(const QImage& beeld, const TZwenkelMod* m, bool draadMag) {
    QStringList fout;
    for (int y = 1; y < m->height() - 1; y += 4)
        for (int x = 1; x < m->width() - 1; x += 4) {
            bool opKlem = false;
            for (const QWidget* klem : m->findChildren<QWidget*>())
                opKlem = opKlem || klem->geometry().adjusted(-1, -1, 1, 1).contains(x, y);
            const QColor c = beeld.pixelColor(opScherm(m, QPoint(x, y)));
            if (!opKlem && c != kleuren::knopVlak && !(draadMag && c == kRood) && fout.size() < 6)
                fout << QStringLiteral("(%1,%2) %3").arg(x).arg(y).arg(c.name());
        }
    return fout.join(QStringLiteral(", "));
}

// The red run in the screen column x around row y: its first and last row.
std::pair<int, int> roodOm(const QImage& beeld, int x, int y) {
    int boven = y, onder = y;
    while (boven > 0 && beeld.pixelColor(x, boven - 1) == kRood)
        --boven;
    while (onder + 1 < beeld.height() && beeld.pixelColor(x, onder + 1) == kRood)
        ++onder;
    return {boven, onder};
}

// A plug-in kind taken from its menu item and dropped with the real pointer,
// its top-left corner at bordPos.
TZwenkelMod* plaatsUitMenu(TfKwintelvlak& form, const char* naam, QPoint bordPos) {
    QAction* item = form.menuItemVoor(form.zoekLoadedModule(soorten::zwenkel, naam, false));
    if (!item || !wijsAan(form.bord->mapToGlobal(bordPos)))
        return nullptr;
    item->trigger();
    auto* m = qobject_cast<TZwenkelMod*>(platform::sleepBron());
    if (!m || !wijsAan(form.bord->mapToGlobal(bordPos + QPoint(30, 20))) ||
        !wijsAan(form.bord->mapToGlobal(bordPos)) || !xdotool({"click", "1"}) ||
        !QTest::qWaitFor([] { return !platform::sleeptNu(); }, 2000))
        return nullptr;
    return m;
}

// Whether the face pixel (x, y) of a panel, in the descriptor's pixels, shows
// the colour: the whole square of window pixels it stands for at the scale.
bool gezichtToont(const QImage& beeld, const TZwenkelMod* m, QPoint p, const QColor& kleur) {
    const int s = qRound(m->devicePixelRatioF());
    const QPoint links = opScherm(m, QPoint(0, 0));
    for (int dy = 0; dy < s; ++dy)
        for (int dx = 0; dx < s; ++dx)
            if (beeld.pixelColor(links + p * s + QPoint(dx, dy)) != kleur)
                return false;
    return true;
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

    void paneelZonderTekeningToontDeModulekleur() {
        // tz_i never draws: its panel shows the modules' colour, not black nor
        // what was on the screen there before, whatever passed over it.
        zwenkeltest::Map map({"tz_i"});
        TfKwintelvlak form;
        zwenkeltest::stel(form, "tz_i", {160, 120, -1, -1, -1, 1, 1});

        // Opened from a file, as the program opens one named on the command
        // line before its window shows: the plug-in, a push button wired
        // across it to an LED, and a second LED.
        form.openenUitTekst("EKWINTELVLAK V1.5|1\r\n"
                            "100|250|tz_i.so|1|1|-1|1|1||\r\n"
                            "150|20|0|1|1|1|1|1|\r\n"
                            "150|450|1|1|0|\r\n"
                            "330|20|1|2|0|\r\n",
                            QStringLiteral("bord.brd"));
        form.miVernieuwenClick();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QCOMPARE(form.modules.size(), size_t(4));
        auto* zwenkel = qobject_cast<TZwenkelMod*>(form.modules[0]);
        QVERIFY(zwenkel && zwenkel->tekentZelf());
        QString fout = nietVlak(scherm(form), zwenkel, true);
        QVERIFY2(fout.isEmpty(), qPrintable("na openen: " + fout));
        // The wire does cross it.
        QVERIFY(form.draadLaag->zichtbaar().intersects(
            QRect(zwenkel->mapTo(form.draadLaag->parentWidget(), QPoint(0, 0)), zwenkel->size())));

        // The second LED dragged onto half of the panel, then away again.
        TModule* led2 = form.modules[3];
        QVERIFY(sleep(led2->mapToGlobal(QPoint(100, 6)), led2->mapToGlobal(QPoint(330, -190))));
        QVERIFY(led2->geometry().intersects(zwenkel->geometry()));
        QVERIFY(sleep(led2->mapToGlobal(QPoint(100, 6)), led2->mapToGlobal(QPoint(-130, 300))));
        QVERIFY(!led2->geometry().intersects(zwenkel->geometry()));
        fout = nietVlak(scherm(form), zwenkel, true);
        QVERIFY2(fout.isEmpty(), qPrintable("na slepen: " + fout));

        // A window of another colour over it, then gone.
        QWidget dialoog(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        dialoog.setAutoFillBackground(true);
        QPalette pal = dialoog.palette();
        pal.setColor(QPalette::Window, QColor(0x40, 0x10, 0x90));
        dialoog.setPalette(pal);
        dialoog.setGeometry(QRect(zwenkel->mapToGlobal(QPoint(20, -10)), QSize(200, 90)));
        dialoog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialoog));
        QTest::qWait(200);
        dialoog.hide();
        fout = nietVlak(scherm(form), zwenkel, true);
        QVERIFY2(fout.isEmpty(), qPrintable("na een venster erover: " + fout));

        // The wire cut with a right-click, then "Vernieuwen" from the menu
        // bar: nothing of it stays on the panel.
        TUitgang* knopUit = form.modules[1]->uitgangenLijst()[0];
        QVERIFY(wijsAan(knopUit->mapToGlobal(QPoint(8, 8))));
        QVERIFY(xdotool({"click", "3"}));
        QVERIFY(QTest::qWaitFor([&] { return knopUit->doelSoort == -1; }, 2000));
        QVERIFY(klik(form.menuBar()->mapToGlobal(
            form.menuBar()->actionGeometry(form.miVernieuwen).center())));
        fout = nietVlak(scherm(form), zwenkel, false);
        QVERIFY2(fout.isEmpty(), qPrintable("na Vernieuwen: " + fout));
    }

    void voorbeeldenTonenHunHeleGezicht() {
        // The examples' faces fill their panels at every scale, right after
        // placing and after a board is opened: each is checked at points
        // that only the whole face has, and where a face drawn at the
        // descriptor's size alone (too small at scale 2) would have ink.
        platform::ZwenkelMapVoorTest naast(QStringLiteral(KWINTEL_PROGRAMMA_MAP));
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        const QColor inkt(0, 0, 0);
        const QColor vlak = kleuren::knopVlak;
        const QColor uit(0x80, 0, 0), aan(0xFF, 0, 0); // the clock's dot
        struct Punt {
            QPoint p;
            QList<QColor> kleuren;
        };
        const QHash<QString, QList<Punt>> punten{
            {"xof.so",
             {{{6, 32}, {inkt}}, {{39, 71}, {inkt}}, {{29, 41}, {inkt}}, {{20, 35}, {vlak}}}},
            {"doorgeven.so", {{{30, 49}, {inkt}}, {{44, 48}, {inkt}}, {{6, 24}, {vlak}}}},
            {"klok.so", {{{22, 32}, {uit, aan}}, {{28, 34}, {uit, aan}}, {{11, 16}, {vlak}}}},
        };
        const auto controleer = [&](const QString& wanneer) {
            const QImage beeld = scherm(form);
            for (TModule* module : form.modules) {
                auto* m = qobject_cast<TZwenkelMod*>(module);
                QVERIFY(m);
                const QString naam = QString::fromUtf8(m->moduleSoort->naam);
                for (const Punt& punt : punten.value(naam)) {
                    bool goed = false;
                    for (const QColor& k : punt.kleuren)
                        goed = goed || gezichtToont(beeld, m, punt.p, k);
                    QVERIFY2(goed, qPrintable(QStringLiteral("%1, %2 (%3,%4)")
                                                  .arg(wanneer, naam)
                                                  .arg(punt.p.x())
                                                  .arg(punt.p.y())));
                }
            }
        };

        QVERIFY(plaatsUitMenu(form, "xof.so", QPoint(20, 20)));
        QVERIFY(plaatsUitMenu(form, "klok.so", QPoint(20, 150)));
        QVERIFY(plaatsUitMenu(form, "doorgeven.so", QPoint(20, 260)));
        controleer(QStringLiteral("geplaatst"));
        const QByteArray bord = form.bordTekst();
        form.miNieuwClick();
        form.openenUitTekst(bord, QStringLiteral("bord.brd"));
        form.miVernieuwenClick();
        QCOMPARE(form.modules.size(), size_t(3));
        controleer(QStringLiteral("geopend"));
    }

    void draadOverZwenkelEvenBreed() {
        // One wire straight across a built-in module and through the square
        // a plug-in fills: as wide over both, and right beside it on each
        // what lies beneath, the module colour and the library's square.
        zwenkeltest::Map map({"tz_vierkant"});
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TModule* knop = form.maakModule(ingebouwd(form, soorten::drukSchakelaar), 40, 0);
        QVERIFY(knop);
        const int draadY = knop->uitgangenLijst()[0]->mapTo(form.bord, QPoint(9, 9)).y();
        // Crossed in its empty top rows.
        TModule* midden =
            form.maakModule(ingebouwd(form, soorten::drukSchakelaar), draadY - 10, 196);
        TZwenkelMod* zwenkel = zwenkeltest::maak(form, "tz_vierkant", draadY - 12, 392);
        TModule* led = form.maakModule(ingebouwd(form, soorten::led), 0, 516);
        QVERIFY(midden && zwenkel && led);
        TIngang* ledIn = led->ingangenLijst()[0];
        led->move(led->x(), led->y() + draadY - ledIn->mapTo(form.bord, QPoint(9, 9)).y());
        verbind(knop, 1, led, 1);
        form.miVernieuwenClick();

        const QImage beeld = scherm(form); // after some ticks: the square is there
        const int s = qRound(form.devicePixelRatioF());
        const TModule* onder[2] = {midden, zwenkel};
        const QColor naast[2] = {kleuren::knopVlak, kVierkant};
        std::pair<int, int> runs[2];
        for (int i = 0; i < 2; ++i) {
            const QPoint p = opScherm(onder[i], QPoint(i == 0 ? 96 : 12, draadY - onder[i]->y()));
            QCOMPARE(beeld.pixelColor(p), kRood);
            runs[i] = roodOm(beeld, p.x(), p.y());
            QCOMPARE(beeld.pixelColor(p.x(), runs[i].first - 1), naast[i]);
            QCOMPARE(beeld.pixelColor(p.x(), runs[i].second + 1), naast[i]);
        }
        QCOMPARE(runs[1], runs[0]);
        // Three board pixels wide, each as many screen pixels as the scale.
        QCOMPARE(runs[0].second - runs[0].first + 1, 3 * s);
        // By its first "action" the library's window had its size: the
        // panel's, times the scale.
        unsigned b = 0, h = 0;
        zwenkeltest::exportVan<void (*)(unsigned*, unsigned*)>(form, "tz_vierkant",
                                                               "test_eerste_grootte")(&b, &h);
        QCOMPARE(QSize(int(b), int(h)), zwenkel->size() * s);
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
