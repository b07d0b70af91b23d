// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The look-up index against a plain walk of the module list, on random
// boards with duplicate numbers, dangling wires, out-of-range inputs and more
// than ten outputs, through renumbering, reordering, rewiring and removal.
#include "simtest.h"
#include "simulation/simulatie.h"
#include "simulation/zoekindex.h"

#include <QTest>
#include <random>

using namespace kwinteltest;
using namespace simtest;
using simulatie::Klasse;

namespace {

// The walks the index must agree with.
TModule* moduleLangs(const TModuleArray& modules, int soort, int nummer) {
    for (TModule* m : modules)
        if (m->moduleSoort->soort == soort && m->nummer == nummer)
            return m;
    return nullptr;
}

TUitgang* voederLangs(const TModuleArray& modules, int soort, int nummer, int ingang) {
    TUitgang* gevonden = nullptr;
    for (const TModule* m : modules) {
        const auto& lijst = m->uitgangenLijst();
        for (size_t i = 0; i < lijst.size() && i < 10; ++i) {
            TUitgang* u = lijst[i];
            if (u->doelSoort == soort && u->doelNummer == nummer && u->doelIngang == ingang) {
                gevonden = u;
                break;
            }
        }
    }
    return gevonden;
}

struct Willekeur {
    std::mt19937 gen;
    explicit Willekeur(unsigned zaad) : gen(zaad) {}
    int tussen(int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); }
};

constexpr int kSoorten[] = {-1, 0, 1, 4, 6, 9, 11, 13, 17, 20};

void bedraad(Willekeur& w, TUitgang* u) {
    if (w.tussen(0, 4) == 0) {
        u->verbreek();
        return;
    }
    u->doelSoort = kSoorten[w.tussen(0, std::size(kSoorten) - 1)];
    u->doelNummer = w.tussen(0, 5);
    u->doelIngang = w.tussen(-1, 4);
}

TModule* voegToe(TfKwintelvlak& form, Willekeur& w) {
    TModule* m = nullptr;
    switch (w.tussen(0, 5)) {
    case 0:
        m = form.maakModule(entry(form, INVERTOR), 0, 0);
        break;
    case 1:
        m = form.maakModule(entry(form, SPLIT), 0, 0);
        break;
    case 2:
        m = form.maakModule(entry(form, PULSENTELLER), 0, 0);
        break;
    default: {
        // Stand-ins with borrowed kind numbers, up to 13 outputs.
        static constexpr int posities[] = {LED, ADOMZETTER, PULSENTELLER, SPLIT, INVERTOR, RELAIS};
        m = plaatsTestModule(form, entry(form, posities[w.tussen(0, 5)]), w.tussen(0, 3),
                             w.tussen(0, 13));
        break;
    }
    }
    // Numbers that repeat and leave gaps, as only a broken file would have.
    m->nummer = w.tussen(0, 5);
    for (TUitgang* u : m->uitgangenLijst())
        bedraad(w, u);
    return m;
}

} // namespace

class TestZoekIndex : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void zelfdeAntwoordenAlsDeLijst_data() {
        QTest::addColumn<unsigned>("zaad");
        for (unsigned z = 1; z <= 12; ++z)
            QTest::addRow("zaad %u", z) << z;
    }

    void zelfdeAntwoordenAlsDeLijst() {
        QFETCH(unsigned, zaad);
        Willekeur w(zaad);
        TfKwintelvlak form;
        stopKlok(form);
        auto& index = form.simulatie().index();
        for (int i = 0; i < 30; ++i)
            voegToe(form, w);

        auto vergelijk = [&](int ronde) {
            // Twice over, so both the walk before the tables are built and
            // the tables themselves answer.
            for (int keer = 0; keer < 2; ++keer) {
                for (int soort : kSoorten) {
                    for (int nummer = -1; nummer <= 6; ++nummer) {
                        QCOMPARE(form.zoekModule(soort, nummer),
                                 moduleLangs(form.modules, soort, nummer));
                        for (int ingang = -1; ingang <= 5; ++ingang)
                            QVERIFY2(index.voeder(soort, nummer, ingang) ==
                                         voederLangs(form.modules, soort, nummer, ingang),
                                     qPrintable(QStringLiteral("ronde %1: %2 %3 %4")
                                                    .arg(ronde)
                                                    .arg(soort)
                                                    .arg(nummer)
                                                    .arg(ingang)));
                    }
                }
                for (TModule* m : form.modules)
                    for (int ingang = 0; ingang <= 4; ++ingang)
                        QCOMPARE(
                            form.zoekUitgangBijIngang(m, ingang),
                            voederLangs(form.modules, m->moduleSoort->soort, m->nummer, ingang));
            }
            QVERIFY(index.actueel());
            // The tick's passes: each class's modules in list order.
            index.bijwerken();
            for (int r = 0; r < simulatie::kRondes; ++r) {
                std::vector<TModule*> verwacht;
                for (TModule* m : form.modules)
                    if (simulatie::klasseVan(m) == static_cast<Klasse>(r))
                        verwacht.push_back(m);
                std::vector<TModule*> gekregen;
                for (std::uint32_t positie : index.ronde(r))
                    gekregen.push_back(form.modules[positie]);
                QVERIFY(gekregen == verwacht);
            }
            // The records the tick runs from: fed inputs, and where each
            // output's level arrives.
            for (size_t p = 0; p < form.modules.size(); ++p) {
                TModule* m = form.modules[p];
                const simulatie::Knoop& knoop = index.knoop(p);
                QCOMPARE(knoop.module, m);
                QCOMPARE(knoop.klasse, simulatie::klasseVan(m));
                for (int k = 1; k <= int(m->ingangenLijst().size()); ++k)
                    QCOMPARE(bool((knoop.gevoed >> k) & 1u),
                             voederLangs(form.modules, m->moduleSoort->soort, m->nummer, k) !=
                                 nullptr);
                const size_t uitgangen = std::min<size_t>(m->uitgangenLijst().size(), 10);
                QCOMPARE(size_t(knoop.aantalUitgangen), uitgangen);
                const simulatie::Verbinding* v = index.verbindingen(knoop);
                for (size_t i = 0; i < uitgangen; ++i) {
                    const TUitgang* u = m->uitgangenLijst()[i];
                    QCOMPARE(v[i].uitgang, u);
                    TModule* doel = moduleLangs(form.modules, u->doelSoort, u->doelNummer);
                    const bool aankomst = doel && u->doelIngang >= 1 &&
                                          u->doelIngang <= int(doel->ingangenLijst().size());
                    QCOMPARE(v[i].doel >= 0, aankomst);
                    if (aankomst) {
                        QCOMPARE(form.modules[size_t(v[i].doel)], doel);
                        QCOMPARE(v[i].ingang, int(u->doelIngang));
                    }
                }
            }
        };

        vergelijk(0);
        for (int ronde = 1; ronde <= 40; ++ronde) {
            const int n = static_cast<int>(form.modules.size());
            switch (w.tussen(0, 5)) {
            case 0: // renumber
                form.modules[size_t(w.tussen(0, n - 1))]->nummer = w.tussen(0, 5);
                break;
            case 1: // reorder
                form.modules.wissel(size_t(w.tussen(0, n - 1)), size_t(w.tussen(0, n - 1)));
                break;
            case 2: { // rewire some outputs
                for (int k = 0; k < 5; ++k) {
                    TModule* m = form.modules[size_t(w.tussen(0, n - 1))];
                    if (!m->uitgangenLijst().empty())
                        bedraad(w, m->uitgangenLijst()[size_t(
                                       w.tussen(0, int(m->uitgangenLijst().size()) - 1))]);
                }
                break;
            }
            case 3: { // take one off the list and free it
                const size_t i = size_t(w.tussen(0, n - 1));
                TModule* m = form.modules[i];
                form.modules.erase(i);
                delete m;
                break;
            }
            case 4: // remove the way the board does it, renumbering the rest
                form.moduleVerwijderen(form.modules[size_t(w.tussen(0, n - 1))]);
                break;
            default:
                voegToe(form, w);
                break;
            }
            if (form.modules.size() < 5)
                voegToe(form, w);
            vergelijk(ronde);
        }
    }

    void bouwtAlleenAlsHetLoont() {
        // Changing the board between single look-ups (renumbering after a
        // removal does that) walks the list instead of building the tables
        // every time; repeated look-ups at one version build them once.
        TfKwintelvlak form;
        stopKlok(form);
        auto& index = form.simulatie().index();
        TModule* led = form.maakModule(entry(form, LED), 0, 0);
        TModule* inv = form.maakModule(entry(form, INVERTOR), 0, 0);
        verbind(inv, 1, led, 1);
        index.bijwerken();
        const auto gebouwd = index.bouwteller();
        for (int i = 0; i < 100; ++i) {
            led->nummer = 1 + i % 2;
            inv->uitgangenLijst()[0]->doelNummer = led->nummer;
            QCOMPARE(form.zoekModule(1, led->nummer), led);
            QCOMPARE(form.zoekUitgangBijIngang(led, 1), inv->uitgangenLijst()[0]);
        }
        QCOMPARE(index.bouwteller(), gebouwd);
        for (int i = 0; i < 50; ++i)
            QCOMPARE(form.zoekUitgangBijIngang(led, 1), inv->uitgangenLijst()[0]);
        QCOMPARE(index.bouwteller(), gebouwd + 1);
        // A tick builds at once.
        led->nummer = 1;
        inv->uitgangenLijst()[0]->doelNummer = 1;
        tik(form);
        QVERIFY(index.actueel());
        QCOMPARE(index.bouwteller(), gebouwd + 2);
        tik(form, 5);
        QCOMPARE(index.bouwteller(), gebouwd + 2);
    }
};

QTEST_MAIN(TestZoekIndex)
#include "tst_zoekindex.moc"
