// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The module catalogue, the board's module list, numbering within kinds and
// the removal of modules with its renumbering and wire upkeep.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <cstring>
#include <stdexcept>

using namespace kwinteltest;

namespace {
// Adds a plug-in entry as discovery would.
PModuleSoort voegPluginToe(TfKwintelvlak& form, const char* naam) {
    auto e = std::make_unique<TModuleSoort>();
    std::strncpy(e->naam, naam, MAX_PATH);
    e->soort = soorten::zwenkel;
    PModuleSoort p = e.get();
    form.moduleSoorten.push_back(std::move(e));
    return p;
}

std::vector<int> nummers(const TfKwintelvlak& form, int soort) {
    std::vector<int> n;
    for (const TModule* m : form.modules)
        if (m->moduleSoort->soort == soort)
            n.push_back(m->nummer);
    return n;
}
} // namespace

class TestCatalogus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void volgordeEnSoortnummers_data() {
        QTest::addColumn<int>("positie");
        QTest::addColumn<int>("soort");
        QTest::addColumn<bool>("variant");
        QTest::addColumn<QString>("menu"); // caption of the item whose tag holds the entry
        const struct {
            int soort;
            bool variant;
            const char* menu;
        } rijen[] = {
            {0, false, "&Drukschakelaar"},
            {1, false, "&LED"},
            {2, false, "&Puls generator"},
            {3, false, "&Variabele spanning"},
            {4, false, "AD-Omzetter"},
            {5, false, "&Comparator"},
            {6, false, "&Pulsenteller"},
            {7, false, "&OF-Poort"},
            {8, false, "&EN-Poort"},
            {9, false, "&Split"},
            {9, true, ""},
            {10, false, "&Geheugencel"},
            {11, false, "&Invertor"},
            {11, true, "I&nvertor (klein)"},
            {12, false, "&Transistor"},
            {13, false, "&Relais"},
            {14, false, "&Zoemer"},
            {15, false, "&Geluid sensor"},
            {16, false, "&Sensor"},
        };
        int i = 0;
        for (const auto& r : rijen) {
            QTest::addRow("%d", i) << i << r.soort << r.variant << QString::fromUtf8(r.menu);
            ++i;
        }
    }

    void volgordeEnSoortnummers() {
        QFETCH(int, positie);
        QFETCH(int, soort);
        QFETCH(bool, variant);
        QFETCH(QString, menu);
        TfKwintelvlak form;
        QCOMPARE(form.moduleSoorten.size(), size_t(19));
        PModuleSoort e = entry(form, positie);
        QCOMPARE(e->soort, soort);
        QCOMPARE(e->variant, variant);
        QCOMPARE(e->naam[0], '\0');
        QCOMPARE(e->bibliotheek, nullptr);
        QAction* item = form.menuItemVoor(e);
        if (menu.isEmpty())
            QCOMPARE(item, nullptr);
        else
            QCOMPARE(item ? item->text() : QString(), menu);
    }

    void zoekLoadedModule_data() {
        QTest::addColumn<int>("soort");
        QTest::addColumn<QString>("naam");
        QTest::addColumn<bool>("variant");
        QTest::addColumn<int>("positie"); // -1: nil; 19, 20: the two plug-ins added below
        QTest::newRow("led, naam genegeerd") << 1 << "wat dan ook" << false << 1;
        QTest::newRow("kleine split") << 9 << "x" << true << 10;
        QTest::newRow("normale split") << 9 << "" << false << 9;
        QTest::newRow("normale invertor, nooit de kleine") << 11 << "" << false << 12;
        QTest::newRow("kleine invertor") << 11 << "" << true << 13;
        QTest::newRow("led bestaat niet als variant") << 1 << "" << true << -1;
        QTest::newRow("soort 17 bestaat niet") << 17 << "" << false << -1;
        QTest::newRow("plug-in exact") << 20 << "Teller.so" << false << 19;
        QTest::newRow("tweede plug-in") << 20 << "klok.so" << false << 20;
        QTest::newRow("plug-in andere hoofdletters") << 20 << "teller.so" << false << -1;
        QTest::newRow("plug-in onbekend") << 20 << "anders.so" << false << -1;
        QTest::newRow("plug-in leeg") << 20 << "" << false << -1;
        QTest::newRow("plug-in als variant") << 20 << "Teller.so" << true << -1;
    }

    void zoekLoadedModule() {
        QFETCH(int, soort);
        QFETCH(QString, naam);
        QFETCH(bool, variant);
        QFETCH(int, positie);
        TfKwintelvlak form;
        voegPluginToe(form, "Teller.so");
        voegPluginToe(form, "klok.so");
        PModuleSoort verwacht = positie < 0 ? nullptr : entry(form, positie);
        QCOMPARE(form.zoekLoadedModule(soort, naam.toUtf8().constData(), variant), verwacht);
    }

    void nummeringPerSoortEnGedeeldDoorVarianten() {
        TfKwintelvlak form;
        auto* led1 = plaatsTestModule(form, entry(form, 1));
        auto* inv = plaatsTestModule(form, entry(form, 12));
        auto* led2 = plaatsTestModule(form, entry(form, 1));
        auto* invKlein = plaatsTestModule(form, entry(form, 13));
        auto* split = plaatsTestModule(form, entry(form, 9));
        auto* splitKlein = plaatsTestModule(form, entry(form, 10));
        auto* led3 = plaatsTestModule(form, entry(form, 1));
        QCOMPARE(led1->nummer, 1);
        QCOMPARE(led2->nummer, 2);
        QCOMPARE(led3->nummer, 3);
        QCOMPARE(inv->nummer, 1);
        QCOMPARE(invKlein->nummer, 2);
        QCOMPARE(split->nummer, 1);
        QCOMPARE(splitKlein->nummer, 2);
        QCOMPARE(form.zoekModule(11, 2), invKlein);
        QCOMPARE(form.zoekModuleAantal(1), 3);
        QCOMPARE(form.zoekModuleAantal(11), 2);
        QCOMPARE(form.zoekModuleAantal(5), 0);
        QCOMPARE(form.zoekModuleIndex(led3), 6);
    }

    void pluginsDelenEenNummering() {
        TfKwintelvlak form;
        auto* a = plaatsTestModule(form, voegPluginToe(form, "a.so"));
        auto* b = plaatsTestModule(form, voegPluginToe(form, "b.so"));
        auto* c = plaatsTestModule(form, entry(form, 19));
        QCOMPARE(a->nummer, 1);
        QCOMPARE(b->nummer, 2);
        QCOMPARE(c->nummer, 3);
        form.moduleVerwijderen(a);
        QCOMPARE(b->nummer, 1);
        QCOMPARE(c->nummer, 2);
    }

    void zoekModuleZonderDraad() {
        TfKwintelvlak form;
        plaatsTestModule(form, entry(form, 1));
        QCOMPARE(form.zoekModule(-1, 1), nullptr);
        QCOMPARE(form.zoekModule(1, 2), nullptr);
        QVERIFY(form.zoekModule(1, 1) != nullptr);
    }

    void zoekModuleIndexBuitenDeLijst() {
        TfKwintelvlak form;
        plaatsTestModule(form, entry(form, 1));
        plaatsTestModule(form, entry(form, 1));
        TestModule los(&form, 1, 1);
        QCOMPARE(form.zoekModuleIndex(&los), 2);
        QCOMPARE(form.zoekModuleIndex(nullptr), 2);
    }

    void verwijderenHernummertEnBehoudtDraden() {
        TfKwintelvlak form;
        auto* knop = plaatsTestModule(form, entry(form, 0), 0, 3);
        TestModule* leds[4];
        for (auto*& l : leds)
            l = plaatsTestModule(form, entry(form, 1), 2, 0);
        verbind(knop, 1, leds[2], 2); // into LED 3, input 2
        verbind(knop, 2, leds[1], 1); // into LED 2, which goes
        verbind(knop, 3, leds[3], 1); // into LED 4
        QSignalSpy gewijzigd(&form, &TfKwintelvlak::bordGewijzigd);

        form.moduleVerwijderen(leds[1]);

        QCOMPARE(nummers(form, 1), (std::vector<int>{1, 2, 3}));
        QCOMPARE(leds[2]->nummer, 2);
        QCOMPARE(leds[3]->nummer, 3);
        const auto& u = knop->uitgangenLijst();
        QCOMPARE((std::vector<int>{u[0]->doelSoort, u[0]->doelNummer, u[0]->doelIngang}),
                 (std::vector<int>{1, 2, 2}));
        QCOMPARE((std::vector<int>{u[1]->doelSoort, u[1]->doelNummer, u[1]->doelIngang}),
                 (std::vector<int>{-1, 1, 1}));
        QCOMPARE((std::vector<int>{u[2]->doelSoort, u[2]->doelNummer, u[2]->doelIngang}),
                 (std::vector<int>{1, 3, 1}));
        QCOMPARE(form.zoekUitgangBijIngang(leds[2], 2), u[0]);
        QCOMPARE(form.zoekUitgangBijIngang(leds[3], 1), u[2]);
        QCOMPARE(form.modules.size(), size_t(4));
        QCOMPARE(form.zoekModuleIndex(leds[2]), 2); // the others keep their order
        QCOMPARE(gewijzigd.count(), 1);
        QCOMPARE(form.klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }

    void verwijderenVanDeEnigeVanZijnSoort() {
        TfKwintelvlak form;
        auto* led = plaatsTestModule(form, entry(form, 1));
        auto* knop = plaatsTestModule(form, entry(form, 0));
        verbind(knop, 1, led, 1);
        form.moduleVerwijderen(led);
        QCOMPARE(knop->nummer, 1);
        QVERIFY(!knop->uitgangenLijst()[0]->isVerbonden());
        QCOMPARE(form.modules, TModuleArray{knop});
    }

    void eigenUitgangenGaanMee() {
        TfKwintelvlak form;
        auto* a = plaatsTestModule(form, entry(form, 7), 2, 1);
        auto* b = plaatsTestModule(form, entry(form, 7), 2, 1);
        verbind(a, 1, b, 1);
        verbind(b, 1, a, 2);
        form.moduleVerwijderen(b);
        // a is fed by nothing any more: b's output died with b.
        QCOMPARE(form.zoekUitgangBijIngang(a, 2), nullptr);
        QVERIFY(!a->uitgangenLijst()[0]->isVerbonden());
    }

    void verwijderenHoudtDeKlokVastEnLaatHemLos() {
        TfKwintelvlak form;
        auto* led = plaatsTestModule(form, entry(form, 1));
        form.stopTijdklok(); // an outer hold, as clearing a board takes one
        form.moduleVerwijderen(led);
        QCOMPARE(form.klokStopTeller(), 1);
        QVERIFY(klokGestopt);
        form.startTijdklok();
        QVERIFY(!klokGestopt);
    }

    void klokHouderLaatLosBijEenUitzondering() {
        TfKwintelvlak form;
        try {
            KlokHouder houder(&form);
            QVERIFY(klokGestopt);
            throw std::runtime_error("bordwijziging mislukt");
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(form.klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }

    void geneste_klokhouders() {
        TfKwintelvlak form;
        form.stopTijdklok();
        form.stopTijdklok();
        form.startTijdklok();
        QVERIFY(klokGestopt);
        QCOMPARE(form.klokStopTeller(), 1);
        form.startTijdklok();
        QVERIFY(!klokGestopt);
        form.startTijdklok(); // with no hold outstanding nothing happens
        QCOMPARE(form.klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }

    void onbekendeSoortGeeftMelding_data() {
        QTest::addColumn<int>("soort");
        // Numbers that no kind has.
        QTest::newRow("17") << 17;
        QTest::newRow("18") << 18;
        QTest::newRow("19") << 19;
    }

    void onbekendeSoortGeeftMelding() {
        QFETCH(int, soort);
        TfKwintelvlak form;
        auto onbekend = std::make_unique<TModuleSoort>();
        onbekend->soort = soort;
        TModule* gemaakt = reinterpret_cast<TModule*>(1);
        const Bericht b = vangBericht([&] { gemaakt = form.maakModule(onbekend.get(), 10, 300); });
        QCOMPARE(gemaakt, nullptr);
        QVERIFY(b.getoond);
        QCOMPARE(b.tekst, QStringLiteral("Module is nog niet geïmplementeerd!"));
        QCOMPARE(b.titel, QStringLiteral("Kwintelvlak"));
        QCOMPARE(b.knoppen, QStringList{QStringLiteral("OK")});
        QVERIFY(form.modules.empty());
    }

    void nieuwVerwijdertAlles() {
        TfKwintelvlak form;
        QPointer<TModule> a = plaatsTestModule(form, entry(form, 1));
        QPointer<TModule> b = plaatsTestModule(form, entry(form, 0));
        form.nieuw();
        QVERIFY(form.modules.empty());
        QVERIFY(a.isNull());
        QVERIFY(b.isNull());
        QCOMPARE(form.klokStopTeller(), 0);
    }
};

QTEST_MAIN(TestCatalogus)
#include "tst_catalogus.moc"
