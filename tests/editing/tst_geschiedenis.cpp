// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Undo and redo of every board edit: the board file after undo is the file
// before the edit, byte for byte, and after redo the file after it; modules
// an edit did not touch are kept; one control's changes merge into one step.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "controls/spinknoppen.h"
#include "editing/geschiedenis.h"
#include "modules/aansluitingen.h"
#include "modules/regelaars.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/variabelespanning.h"
#include "platform/slepen.h"
#include "support/kwinteltest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace kwinteltest;

namespace {

// Three LEDs and a counter with wires into LEDs 1 to 3, settings, a relay
// with no wires and a wire into a module that does not exist (LED 9).
const QByteArray kBord = "EKWINTELVLAK V1.5|1\r\n"
                         "10|10|0|1|1|1|2|1|\r\n"
                         "10|100|1|1|0|\r\n"
                         "100|100|1|2|0|\r\n"
                         "200|100|1|3|0|\r\n"
                         "10|300|3|1|1|1|3|1|25|\r\n"
                         "100|300|2|1|1|6|1|1|3|\r\n"
                         "200|300|6|1|4|1|1|1|-1|1|1|-1|1|1|1|9|1|\r\n"
                         "300|10|0|2|1|-1|1|1|\r\n"
                         "300|300|13|1|0|\r\n"
                         "400|300|5|1|1|-1|1|1|30|\r\n";

const QByteArray kStandaard1 = "SKWINTELVLAK V1.5|1\r\n10|10|1|1|0|\r\n";
const QByteArray kStandaard2 = "EKWINTELVLAK V1.5|\r\n20|20|11|1|1|-1|1|1|S|\r\n";
const QByteArray kLes = "EKWINTELVLAK V1.5|1\r\n50|50|0|1|1|1|1|1|\r\n50|200|1|1|0|\r\n";

using Stap = std::function<void(TfKwintelvlak&)>;

TModule* module(TfKwintelvlak& f, int soort, int nummer) {
    TModule* m = f.zoekModule(soort, nummer);
    if (!m)
        qFatal("module %d/%d ontbreekt", soort, nummer);
    return m;
}
TUitgang* uit(TfKwintelvlak& f, int soort, int nummer, int i = 1) {
    return module(f, soort, nummer)->uitgangenLijst().at(static_cast<size_t>(i - 1));
}
TIngang* in(TfKwintelvlak& f, int soort, int nummer, int i = 1) {
    return module(f, soort, nummer)->ingangenLijst().at(static_cast<size_t>(i - 1));
}

// Drags a module with the mouse and drops it with its corner at bordPunt.
void sleep(TfKwintelvlak& f, TModule* m, QPoint bordPunt) {
    QTest::mousePress(m, Qt::LeftButton, {}, QPoint(2, 2));
    const QPoint p = bordPunt + QPoint(2, 2);
    QTest::mouseMove(f.bord, p - QPoint(7, 5));
    QTest::mouseMove(f.bord, p);
    QTest::mouseRelease(f.bord, Qt::LeftButton, {}, p);
}

// Chooses a file in the open dialog once it is up.
void openViaDialoog(TfKwintelvlak& f, const QString& pad) {
    QTimer::singleShot(0, [pad] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        d->selectFile(pad);
        QMetaObject::invokeMethod(d, "accept");
    });
    f.miOpenen->trigger();
}

void klikOmhoog(TSpinEdit* e) {
    QTest::mouseClick(e->button()->upperButton(), Qt::LeftButton);
}

enum class Soort { Fijn, VerwijdertEen, Herbouwt };

} // namespace

Q_DECLARE_METATYPE(Stap)
Q_DECLARE_METATYPE(Soort)

class TestGeschiedenis : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_map;
    QString m_startMap;
    std::unique_ptr<TfKwintelvlak> form;

    void schrijf(const QString& naam, const QByteArray& tekst) {
        QFile f(naam);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(tekst);
    }

private slots:
    void initTestCase() {
        initProces();
        m_startMap = QDir::currentPath();
    }

    void init() {
        m_map = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_map->path()));
        schrijf(QStringLiteral("standaard.brd"), kStandaard1);
        schrijf(QStringLiteral("standaard2.brd"), kStandaard2);
        schrijf(QStringLiteral("les.brd"), kLes);
        form = std::make_unique<TfKwintelvlak>();
        form->openenUitTekst(kBord, QStringLiteral("bord"));
        form->geschiedenis().stapel().clear();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() {
        platform::annuleerSlepen();
        form.reset();
        QDir::setCurrent(m_startMap);
        m_map.reset();
    }

    void elkeStapHeenEnTerug_data() {
        QTest::addColumn<Stap>("stap");
        QTest::addColumn<QString>("naam");
        QTest::addColumn<Soort>("soort");
        const auto rij = [](const char* titel, Stap s, const char* naam, Soort soort) {
            QTest::newRow(titel) << s << QString::fromUtf8(naam) << soort;
        };
        rij(
            "LED uit het menu plaatsen",
            [](TfKwintelvlak& f) { neemUitMenu(f, f.miLED, QPoint(500, 400)); }, "module plaatsen",
            Soort::Fijn);
        rij(
            "zoemer uit het menu plaatsen",
            [](TfKwintelvlak& f) { neemUitMenu(f, f.miZoemer, QPoint(500, 300)); },
            "module plaatsen", Soort::Fijn);
        rij(
            "eerste LED verplaatsen: de nummers schuiven",
            [](TfKwintelvlak& f) { sleep(f, module(f, 1, 1), QPoint(450, 200)); },
            "module verplaatsen", Soort::Fijn);
        rij(
            "LED op zijn plek loslaten: toch achteraan",
            [](TfKwintelvlak& f) { sleep(f, module(f, 1, 2), QPoint(100, 100)); },
            "module verplaatsen", Soort::Fijn);
        rij(
            "gevoede en voedende teller verwijderen",
            [](TfKwintelvlak& f) {
                f.contextModule = module(f, 6, 1);
                f.miContextVerwijderen->trigger();
            },
            "module verwijderen", Soort::VerwijdertEen);
        rij(
            "eerste van drie LEDs verwijderen",
            [](TfKwintelvlak& f) {
                f.contextModule = module(f, 1, 1);
                f.miContextVerwijderen->trigger();
            },
            "module verwijderen", Soort::VerwijdertEen);
        rij(
            "variabele spanning met instelling verwijderen",
            [](TfKwintelvlak& f) {
                f.contextModule = module(f, 3, 1);
                f.miContextVerwijderen->trigger();
            },
            "module verwijderen", Soort::VerwijdertEen);
        rij(
            "draad maken",
            [](TfKwintelvlak& f) { f.connectorEndDrag(uit(f, 0, 2), in(f, 1, 1), {}); },
            "draad maken", Soort::Fijn);
        rij(
            "draad van ingang naar uitgang",
            [](TfKwintelvlak& f) { f.connectorEndDrag(in(f, 5, 1), uit(f, 0, 2), {}); },
            "draad maken", Soort::Fijn);
        rij(
            "draad verleggen",
            [](TfKwintelvlak& f) { f.connectorEndDrag(uit(f, 0, 1), in(f, 1, 1), {}); },
            "draad verleggen", Soort::Fijn);
        rij(
            "draad in een gevoede ingang",
            [](TfKwintelvlak& f) { f.connectorEndDrag(uit(f, 0, 2), in(f, 1, 3), {}); },
            "draad maken", Soort::Fijn);
        rij(
            "draad naar het relais",
            [](TfKwintelvlak& f) { f.connectorEndDrag(uit(f, 13, 1, 2), in(f, 1, 1), {}); },
            "draad maken", Soort::Fijn);
        rij(
            "draad doorknippen op de ingang",
            [](TfKwintelvlak& f) { f.connectorMouseUp(in(f, 1, 2), Qt::RightButton); },
            "draad doorknippen", Soort::Fijn);
        rij(
            "draad doorknippen op de uitgang",
            [](TfKwintelvlak& f) { f.connectorMouseUp(uit(f, 6, 1, 4), Qt::RightButton); },
            "draad doorknippen", Soort::Fijn);
        rij(
            "instelling met het pijltje",
            [](TfKwintelvlak& f) {
                klikOmhoog(qobject_cast<TVariabeleSpanningMod*>(module(f, 3, 1))->regelaar);
            },
            "instelling wijzigen", Soort::Fijn);
        rij(
            "instelling getypt",
            [](TfKwintelvlak& f) {
                auto* r = qobject_cast<TPulsGeneratorMod*>(module(f, 2, 1))->regelaar;
                r->setFocus();
                r->selectAll();
                QTest::keyClicks(r, QStringLiteral("7"));
            },
            "instelling wijzigen", Soort::Fijn);
        rij(
            "Teller laten doorlopen", [](TfKwintelvlak& f) { f.miTellerLatenDoorlopen->trigger(); },
            "optie teller laten doorlopen", Soort::Fijn);
        rij(
            "Logo weergeven", [](TfKwintelvlak& f) { f.miLogoWeergeven->trigger(); },
            "optie logo weergeven", Soort::Fijn);
        rij(
            "Nieuw", [](TfKwintelvlak& f) { f.miNieuw->trigger(); }, "nieuw bord", Soort::Herbouwt);
        rij(
            "Nieuw standaardbord (1)", [](TfKwintelvlak& f) { f.miNieuwStandaardBord1->trigger(); },
            "nieuw standaardbord (1)", Soort::Herbouwt);
        rij(
            "Nieuw standaardbord (2)", [](TfKwintelvlak& f) { f.miNieuwstandaardbord2->trigger(); },
            "nieuw standaardbord (2)", Soort::Herbouwt);
        rij(
            "Openen",
            [](TfKwintelvlak& f) { openViaDialoog(f, QDir().absoluteFilePath("les.brd")); },
            "bord openen", Soort::Herbouwt);
    }

    void elkeStapHeenEnTerug() {
        QFETCH(Stap, stap);
        QFETCH(QString, naam);
        QFETCH(Soort, soort);
        TfKwintelvlak& f = *form;
        QVERIFY(!f.miOngedaanMaken->isEnabled());
        const QByteArray voor = f.bordTekst();
        const std::vector<TModule*> voorModules(f.modules.begin(), f.modules.end());

        stap(f);
        const QByteArray na = f.bordTekst();
        QVERIFY(na != voor);
        const QSet<TModule*> naModules(f.modules.begin(), f.modules.end());
        QApplication::setActiveWindow(&f);
        QCOMPARE(f.geschiedenis().stapel().count(), 1);
        QVERIFY(f.miOngedaanMaken->isEnabled());
        QCOMPARE(f.miOngedaanMaken->text(), QStringLiteral("&Ongedaan maken: ") + naam);
        QVERIFY(!f.miOpnieuw->isEnabled());
        QCOMPARE(f.miOpnieuw->text(), QStringLiteral("Opnie&uw"));

        QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.bordTekst(), voor);
        QVERIFY(!f.miOngedaanMaken->isEnabled());
        QCOMPARE(f.miOpnieuw->text(), QStringLiteral("Opnie&uw: ") + naam);
        QCOMPARE(f.klokStopTeller(), 0);
        // Modules the step did not touch are the same modules, state and all.
        if (soort != Soort::Herbouwt) {
            const QSet<TModule*> nu(f.modules.begin(), f.modules.end());
            int ongemoeid = 0;
            for (TModule* m : voorModules)
                if (naModules.contains(m)) {
                    ++ongemoeid;
                    QVERIFY(nu.contains(m));
                }
            QCOMPARE(ongemoeid, int(voorModules.size()) - (soort == Soort::VerwijdertEen));
        }
        // The list is the stacking order.
        for (size_t i = 1; i < f.modules.size(); ++i)
            QVERIFY(f.bord->children().indexOf(f.modules[i - 1]) <
                    f.bord->children().indexOf(f.modules[i]));

        QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.bordTekst(), na);
        QTest::keyClick(&f, Qt::Key_Z,
                        Qt::ControlModifier | Qt::ShiftModifier); // redo: nothing left
        QCOMPARE(f.bordTekst(), na);
        f.miOngedaanMaken->trigger();
        QCOMPARE(f.bordTekst(), voor);
        f.miOpnieuw->trigger();
        QCOMPARE(f.bordTekst(), na);
    }

    // A chain of steps undone to the start and redone to the end passes
    // every board in between.
    void eenReeksStappen() {
        TfKwintelvlak& f = *form;
        const std::vector<Stap> stappen = {
            [](TfKwintelvlak& g) { sleep(g, module(g, 1, 1), QPoint(450, 200)); },
            [](TfKwintelvlak& g) { g.connectorEndDrag(uit(g, 0, 2), in(g, 1, 3), {}); },
            [](TfKwintelvlak& g) {
                g.contextModule = module(g, 1, 2);
                g.miContextVerwijderen->trigger();
            },
            [](TfKwintelvlak& g) { neemUitMenu(g, g.miLED, QPoint(600, 100)); },
            [](TfKwintelvlak& g) { sleep(g, module(g, 1, 1), QPoint(30, 450)); },
            [](TfKwintelvlak& g) { g.connectorMouseUp(in(g, 1, 1), Qt::RightButton); },
            [](TfKwintelvlak& g) {
                klikOmhoog(qobject_cast<TVariabeleSpanningMod*>(module(g, 3, 1))->regelaar);
            },
            [](TfKwintelvlak& g) {
                g.contextModule = module(g, 6, 1);
                g.miContextVerwijderen->trigger();
            },
            [](TfKwintelvlak& g) { g.miNieuw->trigger(); },
            [](TfKwintelvlak& g) { neemUitMenu(g, g.miRelais, QPoint(100, 100)); },
        };
        std::vector<QByteArray> teksten{f.bordTekst()};
        for (const Stap& s : stappen) {
            s(f);
            teksten.push_back(f.bordTekst());
        }
        QCOMPARE(f.geschiedenis().stapel().count(), int(stappen.size()));
        for (size_t i = teksten.size() - 1; i > 0; --i) {
            f.miOngedaanMaken->trigger();
            QCOMPARE(f.bordTekst(), teksten[i - 1]);
        }
        for (size_t i = 1; i < teksten.size(); ++i) {
            f.miOpnieuw->trigger();
            QCOMPARE(f.bordTekst(), teksten[i]);
        }
    }

    void eenRegelaarsWijzigingenSamen() {
        TfKwintelvlak& f = *form;
        auto* vs = qobject_cast<TVariabeleSpanningMod*>(module(f, 3, 1))->regelaar;
        auto* pg = qobject_cast<TPulsGeneratorMod*>(module(f, 2, 1))->regelaar;
        const QByteArray voor = f.bordTekst();
        klikOmhoog(vs);
        klikOmhoog(vs);
        klikOmhoog(vs);
        QCOMPARE(vs->text(), QStringLiteral("2,8"));
        QCOMPARE(f.geschiedenis().stapel().count(), 1);
        const QByteArray naVs = f.bordTekst();
        // Another control is another step.
        klikOmhoog(pg);
        QCOMPARE(f.geschiedenis().stapel().count(), 2);
        f.miOngedaanMaken->trigger();
        QCOMPARE(f.bordTekst(), naVs);
        f.miOngedaanMaken->trigger();
        QCOMPARE(f.bordTekst(), voor);
        QCOMPARE(vs->text(), QStringLiteral("2,5"));

        // Stepped up and down again: nothing changed, no step.
        f.geschiedenis().stapel().clear();
        klikOmhoog(pg);
        QTest::mouseClick(pg->button()->lowerButton(), Qt::LeftButton);
        QCOMPARE(f.geschiedenis().stapel().count(), 0);
        QVERIFY(!f.miOngedaanMaken->isEnabled());
    }

    // Ctrl+Z in a setting control undoes the board's step, not only the
    // control's own typing, and the control then records afresh.
    void ctrlZInEenRegelaar() {
        TfKwintelvlak& f = *form;
        auto* pg = qobject_cast<TPulsGeneratorMod*>(module(f, 2, 1))->regelaar;
        const QByteArray voor = f.bordTekst();
        klikOmhoog(pg);
        QApplication::setActiveWindow(&f);
        pg->setFocus();
        QTest::keyClick(pg, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.bordTekst(), voor);
        QCOMPARE(pg->text(), QStringLiteral("3"));
        // With nothing left to undo, the control does not undo on its own.
        QTest::keyClick(pg, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(pg->text(), QStringLiteral("3"));
        QTest::keyClick(pg, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(pg->text(), QStringLiteral("4"));
    }

    // Pressing keys and the running clock are no edits.
    void geenStapVoorToetsenEnKlok() {
        TfKwintelvlak& f = *form;
        f.sSchakelaarMouseDown(module(f, 0, 1)->findChild<TSchakelaar*>(), Qt::LeftButton);
        for (int i = 0; i < 20; ++i)
            f.tActieTimer();
        f.sSchakelaarMouseUp(module(f, 0, 1)->findChild<TSchakelaar*>(), Qt::LeftButton);
        f.connectorMouseUp(in(f, 5, 1), Qt::RightButton);  // unfed: nothing to cut
        f.connectorEndDrag(uit(f, 0, 1), in(f, 1, 2), {}); // already so
        QCOMPARE(f.geschiedenis().stapel().count(), 0);
    }

    // A module from the menu dropped nowhere leaves no step.
    void afgebrokenPlaatsenIsGeenStap() {
        TfKwintelvlak& f = *form;
        const QByteArray voor = f.bordTekst();
        f.miLED->trigger();
        QTest::keyClick(platform::sleepBron(), Qt::Key_Escape);
        QCOMPARE(f.bordTekst(), voor);
        QCOMPARE(f.geschiedenis().stapel().count(), 0);
    }

    // Undoing the removal of the only buzzer takes its menu item away again.
    void zoemerMenuVolgt() {
        TfKwintelvlak& f = *form;
        TModule* z = neemUitMenu(f, f.miZoemer, QPoint(500, 300));
        QVERIFY(z);
        QVERIFY(!f.miZoemer->isEnabled());
        f.contextModule = z;
        f.miContextVerwijderen->trigger();
        QVERIFY(f.miZoemer->isEnabled());
        f.miOngedaanMaken->trigger();
        QVERIFY(!f.miZoemer->isEnabled());
        f.miOngedaanMaken->trigger();
        QVERIFY(f.miZoemer->isEnabled());
    }

    void undoDuringDragDoesNothing() {
        TfKwintelvlak& f = *form;
        f.miTellerLatenDoorlopen->trigger();
        const QByteArray voor = f.bordTekst();
        f.miLED->trigger();
        QVERIFY(platform::sleeptNu());
        f.miOngedaanMaken->trigger();
        platform::annuleerSlepen();
        QCOMPARE(f.bordTekst(), voor);
    }

    void beperkteGeschiedenis() {
        TfKwintelvlak& f = *form;
        for (int i = 0; i < TGeschiedenis::kMaxStappen + 50; ++i)
            f.miLogoWeergeven->trigger();
        QCOMPARE(f.geschiedenis().stapel().count(), TGeschiedenis::kMaxStappen);
    }
};

QTEST_MAIN(TestGeschiedenis)
#include "tst_geschiedenis.moc"
