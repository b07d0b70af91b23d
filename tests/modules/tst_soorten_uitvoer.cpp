// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Construction of the counter and output kinds: panel, terminals, display,
// pictures and which parts take hold of the module.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"
#include "modules/soorten/led.h"
#include "modules/soorten/pulsenteller.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/transistor.h"
#include "modules/soorten/zoemer.h"
#include "platform/slepen.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QLabel>
#include <QTest>

using namespace kwinteltest;

namespace {
struct Klem {
    int x, y;
    TColor aan, uit, vulling;
};
using Klemmen = QList<Klem>;

constexpr TColor W = 0xFFFFFF, G = 0x808080, Z = 0x000000, B = 0xFF0000, N = 0x800000;
} // namespace
Q_DECLARE_METATYPE(Klemmen)

class TestSoortenUitvoer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void bouw_data() {
        QTest::addColumn<int>("positie");
        QTest::addColumn<QSize>("paneel");
        QTest::addColumn<Klemmen>("ingangen");
        QTest::addColumn<Klemmen>("uitgangen");
        QTest::newRow("pulsenteller")
            << 6 << QSize(336, 128)
            << Klemmen{{16, 16, B, N, N}, {16, 48, B, N, B}, {16, 80, B, N, N}}
            << Klemmen{
                   {208, 16, B, N, N}, {240, 16, B, N, N}, {272, 16, B, N, N}, {304, 16, B, N, N}};
        QTest::newRow("transistor")
            << 14 << QSize(168, 128) << Klemmen{{8, 24, B, N, N}} << Klemmen{{144, 24, B, N, N}};
        QTest::newRow("relais") << 15 << QSize(192, 128)
                                << Klemmen{{16, 24, W, G, G},
                                           {112, 24, W, Z, Z},
                                           {160, 24, W, Z, Z}}
                                << Klemmen{{112, 72, W, Z, Z}, {160, 72, W, Z, Z}};
        QTest::newRow("led") << 1 << QSize(192, 64) << Klemmen{{16, 24, W, G, G}} << Klemmen{};
        QTest::newRow("zoemer") << 16 << QSize(192, 128) << Klemmen{{16, 48, W, G, G}} << Klemmen{};
    }

    void bouw() {
        QFETCH(int, positie);
        QFETCH(QSize, paneel);
        QFETCH(Klemmen, ingangen);
        QFETCH(Klemmen, uitgangen);
        TfKwintelvlak form;
        TModule* m = form.maakModule(entry(form, positie), 40, 50);
        QVERIFY(m);
        QCOMPARE(m->size(), paneel);
        QCOMPARE(m->pos(), QPoint(50, 40));
        QCOMPARE(m->ingangenLijst().size(), size_t(ingangen.size()));
        QCOMPARE(m->uitgangenLijst().size(), size_t(uitgangen.size()));
        for (int i = 0; i < ingangen.size(); ++i) {
            const TIngang* in = m->ingangenLijst()[size_t(i)];
            const Klem& k = ingangen[i];
            QCOMPARE(in->geometry(), QRect(k.x, k.y, 17, 17));
            QCOMPARE(in->index, i + 1);
            QCOMPARE(in->kleurAan, k.aan);
            QCOMPARE(in->kleurUit, k.uit);
            QCOMPARE(in->brushKleur(), k.vulling);
            QCOMPARE(form.zoekModuleIngang(m->moduleSoort->soort, m->nummer, i + 1), in);
        }
        TUitgang* lijst[10];
        QCOMPARE(form.zoekModuleUitgangen(m, lijst), int(uitgangen.size()));
        for (int i = 0; i < uitgangen.size(); ++i) {
            const TUitgang* u = lijst[i];
            const Klem& k = uitgangen[i];
            QCOMPARE(u->geometry(), QRect(k.x, k.y, 17, 17));
            QCOMPARE(u->kleurAan, k.aan);
            QCOMPARE(u->kleurUit, k.uit);
            QCOMPARE(u->brushKleur(), k.vulling);
            QVERIFY(!u->isVerbonden());
        }
    }

    void ingangBuitenDeModuleVindtNiets() {
        TfKwintelvlak form;
        TModule* led = form.maakModule(entry(form, 1), 0, 0);
        TModule* relais = form.maakModule(entry(form, 15), 0, 0);
        QCOMPARE(form.zoekModuleIngang(1, 1, 1), led->ingangenLijst()[0]);
        // A kind with one input answers only to input 1: a wire from a
        // hand-edited file naming input 7 of an LED leads nowhere.
        QCOMPARE(form.zoekModuleIngang(1, 1, 7), nullptr);
        QCOMPARE(form.zoekModuleIngang(1, 1, 0), nullptr);
        QCOMPARE(form.zoekModuleIngang(13, 1, 3), relais->ingangenLijst()[2]);
        // A wire from a hand-edited file naming a fourth relay input finds nothing.
        QCOMPARE(form.zoekModuleIngang(13, 1, 4), nullptr);
        QCOMPARE(form.zoekModuleIngang(13, 1, 0), nullptr);
        QCOMPARE(form.zoekModuleIngang(13, 2, 1), nullptr);
    }

    void pulsentellerBeginstand() {
        TfKwintelvlak form;
        form.show();
        auto* t = qobject_cast<TPulsenTellerMod*>(form.maakModule(entry(form, 6), 0, 0));
        QVERIFY(t);
        QVERIFY(t->tellenAan);
        QCOMPARE(t->telstand, 0);
        QVERIFY(!t->resetHoog);
        QCOMPARE(t->stTelstand->text(), QStringLiteral("0"));
        QCOMPARE(t->stTelstand->geometry(), QRect(280, 52, 32, 40));
        QCOMPARE(t->stTelstand->frameShadow(), QFrame::Sunken);
        QCOMPARE(t->stTelstand->palette().color(QPalette::WindowText), kleur(0x0000FF));
        QCOMPARE(t->stTelstand->font().pixelSize(), 32);
        {
            // The digit stands in the upper part of its box, clear of the
            // bottom edge, and nothing of the picture beneath shows through.
            const QImage vak = t->grab(t->stTelstand->geometry()).toImage();
            int boven = vak.height(), onder = -1;
            for (int y = 0; y < vak.height(); ++y)
                for (int x = 0; x < vak.width(); ++x) {
                    const QColor c = vak.pixelColor(x, y);
                    if (c.red() > 200 && c.green() < 80 && c.blue() < 80) {
                        boven = std::min(boven, y);
                        onder = std::max(onder, y);
                    }
                    QVERIFY2(c != QColor(Qt::black),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                }
            QVERIFY2(boven <= 12, qPrintable(QString::number(boven)));
            QVERIFY2(onder <= vak.height() - 6, qPrintable(QString::number(onder)));
        }
        QCOMPARE(t->sSchakelaar->geometry(), QRect(149, 80, 16, 16));
        QCOMPARE(t->iSymbool->geometry(), QRect(24, 33, 289, 56));
        QCOMPARE(t->lTelPulsen->text(), QStringLiteral("tel pulsen"));
        QCOMPARE(t->lTelPulsen->pos(), QPoint(16, 2));
        QStringList bits;
        int vorigeX = -1;
        for (int i = 1; i <= 4; ++i) {
            bits << t->lBits[i]->text();
            QCOMPARE(t->lBits[i]->geometry(), QRect(32 * i + 176, 2, 17, 13));
            QVERIFY(t->lBits[i]->x() > vorigeX);
            vorigeX = t->lBits[i]->x();
            QCOMPARE(t->uitgangen[i]->x(), t->lBits[i]->x()); // each weight above its output
        }
        QCOMPARE(bits, (QStringList{"8", "4", "2", "1"}));
        QCOMPARE(t->lNaam->text(), QStringLiteral("Pulsenteller"));
        QCOMPARE(t->lNaam->geometry(), QRect(184, 111, 80, 16));
        QVERIFY(t->lNaam->font().bold());

        // The display shows a red "0" on the panel.
        const QImage beeld = t->stTelstand->grab().toImage();
        bool rood = false;
        for (int y = 0; y < beeld.height() && !rood; ++y)
            for (int x = 0; x < beeld.width() && !rood; ++x)
                rood = beeld.pixelColor(x, y) == QColor(255, 0, 0);
        QVERIFY(rood);
    }

    void relaisToontOpenContact() {
        TfKwintelvlak form;
        auto* r = qobject_cast<TRelaisMod*>(form.maakModule(entry(form, 15), 0, 0));
        QVERIFY(r);
        QCOMPARE(r->iSymbool->picture(), form.iRelais);
        QVERIFY(form.iRelais != form.iRelais2);
        QCOMPARE(r->iSymbool->geometry(), QRect(32, 16, 138, 66));
        QVERIFY(!r->bekrachtigd);
        // Output 1 stands under input 2, output 2 under input 3.
        QCOMPARE(r->uitgangen[1]->x(), r->ingangen[2]->x());
        QCOMPARE(r->uitgangen[2]->x(), r->ingangen[3]->x());
        QCOMPARE(r->lNaam->geometry(), QRect(8, 111, 80, 16));
    }

    void ledEnZoemer() {
        TfKwintelvlak form;
        auto* l = qobject_cast<TLEDMod*>(form.maakModule(entry(form, 1), 0, 0));
        QVERIFY(l);
        QCOMPARE(l->led->geometry(), QRect(160, 24, 17, 17));
        QCOMPARE(l->led->vorm(), TVorm::Vorm::Cirkel);
        QCOMPARE(l->led->brushKleur(), TColor(0x000080));
        QCOMPARE(l->lNaam->geometry(), QRect(152, 47, 32, 16));
        QCOMPARE(l->lNaam->text(), QStringLiteral("LED"));

        auto* z = qobject_cast<TZoemerMod*>(form.maakModule(entry(form, 16), 0, 0));
        QVERIFY(z);
        QVERIFY(!z->zoemt);
        QCOMPARE(z->iSymbool->geometry(), QRect(140, 28, 38, 54));
        QCOMPARE(z->lNaam->pos(), QPoint(136, 111));
        QCOMPARE(z->lNaam->text(), QStringLiteral("Zoemer"));
        QVERIFY(z->lNaam->font().bold());
        QVERIFY(z->lNaam->alignment() & Qt::AlignLeft);
        QVERIFY(z->lNaam->width() >= z->lNaam->fontMetrics().horizontalAdvance("Zoemer"));
    }

    void transistorPlaatje() {
        TfKwintelvlak form;
        auto* t = qobject_cast<TTransistorMod*>(form.maakModule(entry(form, 14), 0, 0));
        QVERIFY(t);
        QCOMPARE(t->iSymbool->geometry(), QRect(16, 8, 137, 74));
        QCOMPARE(t->iSymbool->picture(), form.iTransistor);
        QCOMPARE(t->lNaam->geometry(), QRect(8, 111, 152, 16));
    }

    // Left press on a passive part takes hold of the module; on the key or a
    // terminal it does not.
    void vastpakken_data() {
        QTest::addColumn<int>("positie");
        QTest::addColumn<QString>("deel");
        QTest::addColumn<bool>("pakt");
        QTest::newRow("teller display") << 6 << "display" << true;
        QTest::newRow("teller plaatje") << 6 << "plaatje" << true;
        QTest::newRow("teller label") << 6 << "label" << true;
        QTest::newRow("teller bitlabel") << 6 << "bit" << true;
        QTest::newRow("teller naam") << 6 << "naam" << true;
        QTest::newRow("teller knop") << 6 << "knop" << false;
        QTest::newRow("teller ingang") << 6 << "ingang" << false;
        QTest::newRow("teller uitgang") << 6 << "uitgang" << false;
        QTest::newRow("led lamp") << 1 << "lamp" << true;
        QTest::newRow("led naam") << 1 << "naam" << true;
        QTest::newRow("led ingang") << 1 << "ingang" << false;
        QTest::newRow("relais plaatje") << 15 << "plaatje" << true;
        QTest::newRow("relais uitgang") << 15 << "uitgang" << false;
        QTest::newRow("zoemer plaatje") << 16 << "plaatje" << true;
        QTest::newRow("zoemer naam") << 16 << "naam" << true;
        QTest::newRow("transistor plaatje") << 14 << "plaatje" << true;
    }

    void vastpakken() {
        QFETCH(int, positie);
        QFETCH(QString, deel);
        QFETCH(bool, pakt);
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TModule* m = form.maakModule(entry(form, positie), 20, 20);
        QWidget* w = nullptr;
        auto* teller = qobject_cast<TPulsenTellerMod*>(m);
        if (deel == "ingang")
            w = m->ingangenLijst()[0];
        else if (deel == "uitgang")
            w = m->uitgangenLijst()[0];
        else if (deel == "display")
            w = teller->stTelstand;
        else if (deel == "label")
            w = teller->lTelPulsen;
        else if (deel == "bit")
            w = teller->lBits[2];
        else if (deel == "knop")
            w = teller->sSchakelaar;
        else if (deel == "lamp")
            w = qobject_cast<TLEDMod*>(m)->led;
        else if (deel == "plaatje")
            w = m->findChild<TAfbeelding*>();
        else if (deel == "naam")
            w = m->findChildren<QLabel*>().last();
        QVERIFY(w);
        const QPoint p(5, 5);
        QTest::mousePress(w, Qt::LeftButton, {}, p);
        QCOMPARE(platform::sleepBron() == m, pakt);
        if (pakt)
            QCOMPARE(form.grijpPunt, w->mapTo(m, p));
        QTest::mouseRelease(w, Qt::LeftButton, {}, p);
        QCOMPARE(platform::sleepBron(), nullptr);
    }

    void eenZoemerEnEenGeluidSensorUitHetMenu_data() {
        QTest::addColumn<int>("positie");
        QTest::addColumn<int>("soort");
        QTest::newRow("zoemer") << 16 << 14;
        QTest::newRow("geluid sensor") << 17 << 15;
    }

    void eenZoemerEnEenGeluidSensorUitHetMenu() {
        QFETCH(int, positie);
        QFETCH(int, soort);
        TfKwintelvlak form;
        QAction* item = form.menuItemVoor(entry(form, positie));
        QVERIFY(item);
        QVERIFY(item->isEnabled());
        QVERIFY(neemUitMenu(form, item, QPoint(10, 10)));
        QCOMPARE(form.zoekModuleAantal(soort), 1);
        QVERIFY(!item->isEnabled());
        // A second one from a board file is still possible; the menu stays off
        // until the last one is gone.
        TModule* tweede = form.maakModule(entry(form, positie), 0, 0);
        form.moduleVerwijderen(form.zoekModule(soort, 1));
        QVERIFY(!item->isEnabled());
        form.moduleVerwijderen(tweede);
        QVERIFY(item->isEnabled());

        QVERIFY(neemUitMenu(form, item, QPoint(10, 10)));
        QVERIFY(!item->isEnabled());
        form.nieuw();
        QVERIFY(item->isEnabled());
    }

    void alleMenuItemsMakenEenModule() {
        TfKwintelvlak form;
        form.show();
        const QList<QAction*> items = {form.miSensor,
                                       form.miGeluidSensor,
                                       form.miDrukSchakelaar,
                                       form.miVariabeleSpanning,
                                       form.miPulsGenerator,
                                       form.miADOmzetter,
                                       form.miTransistor,
                                       form.miComparator,
                                       form.miENPoort,
                                       form.miOFPoort,
                                       form.miGeheugencel,
                                       form.miInvertor,
                                       form.miInvertorKlein,
                                       form.miPulsenteller,
                                       form.miLED,
                                       form.miZoemer,
                                       form.miRelais,
                                       form.miSplit};
        for (QAction* a : items) {
            const size_t voor = form.modules.size();
            const Bericht b = vangBericht([&] { a->trigger(); });
            QVERIFY2(!b.getoond, qPrintable(a->text()));
            QCOMPARE(form.modules.size(), voor + 1);
            TModule* m = form.modules.back();
            QCOMPARE(m->moduleSoort, reinterpret_cast<PModuleSoort>(a->data().value<quintptr>()));
            // Taken from the menu, it follows the pointer hidden until it
            // is dropped; dropped on the board it shows where it landed.
            QCOMPARE(platform::sleepBron(), m);
            QVERIFY(m->isHidden());
            QTest::mouseRelease(form.bord, Qt::LeftButton, {}, QPoint(300, 10));
            QCOMPARE(platform::sleepBron(), nullptr);
            QVERIFY(m->isVisible());
            QCOMPARE(m->pos(), QPoint(300, 10));
        }
    }
};

QTEST_MAIN(TestSoortenUitvoer)
#include "tst_soorten_uitvoer.moc"
