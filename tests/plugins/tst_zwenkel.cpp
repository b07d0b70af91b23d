// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Plug-in modules: finding the libraries, building modules from their
// descriptors, and taking part in the clock's tick and in sends.
#include "../simulation/simtest.h"
#include "app/bord.h"
#include "modules/soorten/led.h"
#include "plugins/signaal.h"
#include "simulation/simulatie.h"
#include "zwenkeltest.h"

#include <QAction>
#include <QDir>
#include <QHelpEvent>
#include <QLibrary>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>
#include <optional>

using namespace kwinteltest;
using namespace simtest;
using zwenkeltest::Map;

namespace {

const QString tzI = QStringLiteral("tz_i");
const QString tzO = QStringLiteral("tz_o");

QStringList opschriften(const TfKwintelvlak& form) {
    QStringList lijst;
    for (const QAction* a : form.miZwenkel->actions())
        lijst << a->text();
    return lijst;
}

// Whether a file from the folder is mapped into the process, where the
// system lists a process's mappings, by the paths this process knows, as a
// file (/proc/self/maps): that list holds the test program itself. Nothing
// where it does not (Windows; under Wine the list is Linux's, by Linux
// paths), and platform::geladenBibliotheken() alone speaks.
std::optional<bool> ingeladen(const QString& map) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray lijst = maps.readAll();
    if (!lijst.contains(QCoreApplication::applicationFilePath().toUtf8()))
        return std::nullopt;
    return lijst.contains(map.toUtf8());
}

// A library's file name: tz_i.so, tz_i.dll.
QString bib(const QString& naam) {
    return naam + platform::bibliotheekAchtervoegsel();
}

using Velden = std::array<int, 7>;

// Each library discovery refused, as "file name: reason", without the
// loader's own words and without the platform's library suffix.
QStringList redenen(const TfKwintelvlak& form) {
    static const QRegularExpression regel(
        QStringLiteral("^zwenkel \"(.*)\" niet geladen: (.*?)( \\(.*\\))?$"));
    QStringList uit;
    for (const QString& r : form.zwenkelWeigeringen) {
        const QRegularExpressionMatch m = regel.match(r);
        QString naam = QFileInfo(m.captured(1)).fileName();
        if (naam.endsWith(platform::bibliotheekAchtervoegsel()))
            naam.chop(platform::bibliotheekAchtervoegsel().size());
        uit << (m.hasMatch() ? naam + ": " + m.captured(2) : r);
    }
    return uit;
}

} // namespace

class TestZwenkel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void ontdekken_data() {
        QTest::addColumn<QStringList>("bibliotheken");
        QTest::addColumn<QStringList>("verwacht");
        QTest::addColumn<QStringList>("geweigerd"); // besides kapot
        QTest::newRow("I") << QStringList{tzI} << QStringList{"ITestzwenkel"} << QStringList{};
        QTest::newRow("O") << QStringList{tzO} << QStringList{"OTweede testzwenkel"}
                           << QStringList{};
        QTest::newRow("kleine i") << QStringList{"tz_kleine_i"} << QStringList{}
                                  << QStringList{"tz_kleine_i: tekst begint met 'i'"};
        QTest::newRow("init geeft 0")
            << QStringList{"tz_nul"} << QStringList{} << QStringList{"tz_nul: init gaf 0"};
        QTest::newRow("zonder init") << QStringList{"tz_zonder_init"} << QStringList{}
                                     << QStringList{"tz_zonder_init: geen export \"init\""};
        QTest::newRow("zonder create") << QStringList{"tz_zonder_create"} << QStringList{}
                                       << QStringList{"tz_zonder_create: geen export \"create\""};
        // The C library has "open" (and a dependency could have any name):
        // still refused, since the library itself lacks it.
        QTest::newRow("zonder open") << QStringList{"tz_zonder_open"} << QStringList{}
                                     << QStringList{"tz_zonder_open: geen export \"open\""};
        QTest::newRow("zonder save") << QStringList{"tz_zonder_save"} << QStringList{}
                                     << QStringList{"tz_zonder_save: geen export \"save\""};
        QTest::newRow("zonder destroy")
            << QStringList{"tz_zonder_destroy"} << QStringList{}
            << QStringList{"tz_zonder_destroy: geen export \"destroy\""};
        QTest::newRow("alle, op naam")
            << QStringList{tzO, "tz_nul", "tz_zonder_create", tzI, "tz_kleine_i", "tz_zonder_init"}
            << QStringList{"ITestzwenkel", "OTweede testzwenkel"}
            << QStringList{"tz_kleine_i: tekst begint met 'i'", "tz_nul: init gaf 0",
                           "tz_zonder_create: geen export \"create\"",
                           "tz_zonder_init: geen export \"init\""};
        QTest::newRow("geen") << QStringList{} << QStringList{} << QStringList{};
    }
    void ontdekken() {
        QFETCH(QStringList, bibliotheken);
        QFETCH(QStringList, verwacht);
        QFETCH(QStringList, geweigerd);
        const int vooraf = platform::geladenBibliotheken();
        {
            Map map(bibliotheken);
            map.schrijf(bib(QStringLiteral("kapot")), "geen bibliotheek");
            map.schrijf(QStringLiteral("tekst.txt"), "");
            TfKwintelvlak form;
            QCOMPARE(opschriften(form), verwacht);
            // Every refused library says why, in name order; a file that is
            // no library at all too.
            geweigerd.prepend(QStringLiteral("kapot: kan niet geladen worden"));
            QCOMPARE(redenen(form), geweigerd);
            QCOMPARE(form.miZwenkel->menuAction()->isVisible(), !verwacht.isEmpty());
            QCOMPARE(platform::geladenBibliotheken() - vooraf, verwacht.size());
            // Refused libraries are really gone from the process.
            if (const auto in = ingeladen(map.dir.path()))
                QCOMPARE(*in, !verwacht.isEmpty());
            // One catalogue entry per accepted library after the built-in ones,
            // named by file name, kind 20, and the menu item's tag.
            QCOMPARE(int(form.moduleSoorten.size()), 19 + verwacht.size());
            for (int i = 0; i < verwacht.size(); ++i) {
                PModuleSoort e = form.moduleSoorten[size_t(19 + i)].get();
                QCOMPARE(e->soort, soorten::zwenkel);
                QVERIFY(!e->variant);
                QVERIFY(QString::fromUtf8(e->naam).endsWith(platform::bibliotheekAchtervoegsel()));
                QCOMPARE(form.menuItemVoor(e)->text(), verwacht[i]);
            }
        }
        // Shut down: every library released.
        QCOMPARE(platform::geladenBibliotheken(), vooraf);
    }

    void exportAlleenVanDeBibliotheekZelf() {
        Map map({"tz_zonder_open", tzI});
        const QString zonder = map.dir.filePath(bib("tz_zonder_open"));
        // With the GNU C library, a look-up on the library's handle alone
        // also searches its dependencies and reaches the C library's open():
        // the danger this guards against. (Windows looks in the library's own
        // export table only, and has no libc.so.6.)
        QLibrary los(zonder);
        QVERIFY(los.load());
        const QFunctionPointer libcOpen = QLibrary::resolve(QStringLiteral("libc.so.6"), "open");
        if (libcOpen)
            QVERIFY(los.resolve("open") == libcOpen);

        platform::Bibliotheek* lib = platform::laadBibliotheek(zonder);
        QVERIFY(lib);
        QVERIFY(!platform::zoekExport(lib, "open"));
        QVERIFY(!platform::zoekExport(lib, "read")); // any namesake in a dependency
        QVERIFY(platform::zoekExport(lib, "create"));
        QVERIFY(platform::zoekExport(lib, "save"));
        platform::geefBibliotheekVrij(lib);

        // A library with an "open" of its own gets that one.
        platform::Bibliotheek* eigen = platform::laadBibliotheek(map.dir.filePath(bib(tzI)));
        QVERIFY(eigen);
        void* open = platform::zoekExport(eigen, "open");
        QVERIFY(open);
        QVERIFY(open != reinterpret_cast<void*>(libcOpen));
        platform::geefBibliotheekVrij(eigen);
        los.unload();
    }

    void zonderEigenOpenGeenModule() {
        // Through discovery: no menu item, no catalogue entry, so no module
        // can be made and nothing can ever call the C library in its name.
        const int vooraf = platform::geladenBibliotheken();
        Map map({"tz_zonder_open", "tz_zonder_save", "tz_zonder_destroy"});
        TfKwintelvlak form;
        QVERIFY(form.miZwenkel->actions().isEmpty());
        QCOMPARE(int(form.moduleSoorten.size()), 19);
        QVERIFY(!zwenkeltest::soortVan(form, "tz_zonder_open"));
        QCOMPARE(platform::geladenBibliotheken(), vooraf);
        QVERIFY(!ingeladen(map.dir.path()).value_or(false));
        // A board naming it makes nothing.
        form.openenUitTekst("EKWINTELVLAK V1.5|1\r\n0|0|" + bib("tz_zonder_open").toUtf8() +
                                "|1|1|-1|1|1|x|\r\n",
                            QString());
        QVERIFY(form.modules.empty());
    }

    void onbewaarbareNaam_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<bool>("geladen");
        QTest::addColumn<QString>("getoond"); // the name as the refusal shows it
        QTest::newRow("gewoon") << QStringLiteral("gewoon") << true << QString();
        QTest::newRow("Windows-1252: é en €")
            << QStringLiteral("caf\u00e9\u20ac") << true << QString();
        QTest::newRow("streep") << QStringLiteral("met|streep") << false
                                << QStringLiteral("met|streep");
        QTest::newRow("regeleinde")
            << QStringLiteral("twee\nregels") << false << QStringLiteral("twee\\nregels");
        QTest::newRow("wagenterugloop")
            << QStringLiteral("terug\rloop") << false << QStringLiteral("terug\\rloop");
        QTest::newRow("streep, escape en aanhalingsteken")
            << QStringLiteral("a\x1b[2J\"|b") << false << QStringLiteral("a\\x1b[2J\\\"|b");
        QTest::newRow("buiten Windows-1252")
            << QStringLiteral("\u0133zer") << false << QStringLiteral("\u0133zer");
        QTest::newRow("Grieks") << QStringLiteral("\u03b1\u03b2") << false
                                << QStringLiteral("\u03b1\u03b2");
    }
    void onbewaarbareNaam() {
        QFETCH(QString, naam);
        QFETCH(bool, geladen);
        QFETCH(QString, getoond);
        Map map({});
        if (!QFile::copy(QStringLiteral(KWINTEL_TEST_ZWENKEL_MAP "/") + bib(tzI),
                         map.dir.filePath(bib(naam)))) {
            // Windows allows no control character, "|" or '"' in a file
            // name: no such library can be there.
            QVERIFY(naam.contains(QRegularExpression(QStringLiteral("[\\x00-\\x1f|\"]"))));
            QSKIP("this file system allows no such name");
        }
        const int vooraf = platform::geladenBibliotheken();
        TfKwintelvlak form;
        QCOMPARE(form.miZwenkel->actions().size(), geladen ? 1 : 0);
        QCOMPARE(platform::geladenBibliotheken() - vooraf, geladen ? 1 : 0);
        // One line, the name's control characters (and backslashes, the
        // folder's too) escaped.
        QCOMPARE(form.zwenkelWeigeringen,
                 geladen
                     ? QStringList{}
                     : QStringList{QStringLiteral("zwenkel \"%1%2\" niet geladen: naam "
                                                  "past niet in een bordbestand")
                                       .arg(QDir::toNativeSeparators(map.dir.path() + "/")
                                                .replace(QLatin1Char('\\'), QStringLiteral("\\\\")),
                                            bib(getoond))});
        if (geladen) {
            // And a board holding its module reads back with it.
            TZwenkelMod* m = zwenkeltest::maak(form, naam);
            QVERIFY(m);
            const QByteArray tekst = form.bordTekst();
            form.nieuw();
            form.openenUitTekst(tekst, QString());
            QCOMPARE(form.modules.size(), size_t(1));
        }
    }

    void nieuwVernietigtInBordvolgorde() {
        Map map({tzI});
        TfKwintelvlak form;
        zwenkeltest::stel(form, tzI, {0, 0, -1, -1, -1, 1, 1});
        TZwenkelMod* a = zwenkeltest::maak(form, tzI, 0, 0);
        TZwenkelMod* b = zwenkeltest::maak(form, tzI, 0, 100);
        TZwenkelMod* c = zwenkeltest::maak(form, tzI, 0, 200);
        QVERIFY(a && b && c);
        // Dropping the first one again brings it to the end: board order b, c, a.
        form.FormDragDrop(form.bord, a, QPoint(300, 100));
        QCOMPARE(form.modules[2], a);
        // b feeds c, c feeds a: wires into modules that go later.
        b->uitgangenLijst()[0]->doelSoort = soorten::zwenkel;
        b->uitgangenLijst()[0]->doelNummer = 2;
        c->uitgangenLijst()[0]->doelSoort = soorten::zwenkel;
        c->uitgangenLijst()[0]->doelNummer = 3;
        form.nieuw();
        QVERIFY(form.modules.empty());
        const auto t = zwenkeltest::tellers(form, tzI);
        QCOMPARE(t.destroys, 3);
        auto vernietigd = zwenkeltest::exportVan<int (*)(int)>(form, tzI, "test_vernietigd");
        QCOMPARE((QList<int>{vernietigd(0), vernietigd(1), vernietigd(2)}), (QList<int>{2, 3, 1}));
    }

    void indeling_data() {
        QTest::addColumn<Velden>("velden");
        QTest::addColumn<QSize>("grootte");
        QTest::addColumn<QList<QPoint>>("ingangen");
        QTest::addColumn<QList<QPoint>>("uitgangen");
        QTest::newRow("breedte 0, drie in, een uit")
            << Velden{0, 0, -1, -1, -1, 3, 1} << QSize(81, 80)
            << QList<QPoint>{{8, 8}, {32, 8}, {56, 8}} << QList<QPoint>{{56, 32}};
        QTest::newRow("basisTop -1, een in, een uit")
            << Velden{0, 0, -1, -1, -1, 1, 1} << QSize(33, 80) << QList<QPoint>{{8, 8}}
            << QList<QPoint>{{8, 32}};
        QTest::newRow("basisTop 40, eigen tops")
            << Velden{100, 0, 4, 40, -1, 2, 2} << QSize(100, 112) << QList<QPoint>{{8, 4}, {32, 4}}
            << QList<QPoint>{{51, 64}, {75, 64}};
        QTest::newRow("minHoogte en uitgangenTop")
            << Velden{50, 150, -1, 10, 5, 0, 3} << QSize(81, 150) << QList<QPoint>{}
            << QList<QPoint>{{8, 5}, {32, 5}, {56, 5}};
        QTest::newRow("negatieve breedte, niets") << Velden{-5, 0, -1, -1, -1, 0, 0} << QSize(9, 32)
                                                  << QList<QPoint>{} << QList<QPoint>{};
        QTest::newRow("tien uitgangen")
            << Velden{0, 0, -1, -1, -1, 0, 10} << QSize(249, 56) << QList<QPoint>{}
            << QList<QPoint>{{8, 32},   {32, 32},  {56, 32},  {80, 32},  {104, 32},
                             {128, 32}, {152, 32}, {176, 32}, {200, 32}, {224, 32}};
        QTest::newRow("reusachtige waarden blijven binnen de perken")
            << Velden{INT_MAX, INT_MAX, INT_MAX, INT_MAX, -1, 0, 1} << QSize(2000, 2000)
            << QList<QPoint>{} << QList<QPoint>{{1975, 2000}};
    }
    void indeling() {
        QFETCH(Velden, velden);
        QFETCH(QSize, grootte);
        QFETCH(QList<QPoint>, ingangen);
        QFETCH(QList<QPoint>, uitgangen);
        Map map({tzI});
        TfKwintelvlak form;
        zwenkeltest::stel(form, tzI, velden);
        TZwenkelMod* m = zwenkeltest::maak(form, tzI);
        QVERIFY(m);
        QCOMPARE(m->size(), grootte);
        QList<QPoint> in, uit;
        int index = 0;
        for (const TIngang* i : m->ingangenLijst()) {
            in << i->pos();
            QCOMPARE(i->index, ++index);
            QCOMPARE(i->kleurAan, kleuren::wit);
            QCOMPARE(i->brushKleur(), kleuren::grijs);
        }
        for (const TUitgang* u : m->uitgangenLijst()) {
            uit << u->pos();
            QCOMPARE(u->kleurAan, kleuren::geel);
            QCOMPARE(u->brushKleur(), kleuren::olijf);
            QVERIFY(!u->isVerbonden());
        }
        QCOMPARE(in, ingangen);
        QCOMPARE(uit, uitgangen);
        // Its own native window, handed to "create".
        QVERIFY(m->internalWinId());
        // Resting the pointer on the panel shows the menu caption.
        form.show();
        QHelpEvent hulp(QEvent::ToolTip, QPoint(2, 2), m->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(m, &hulp);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("ITestzwenkel"));
        QToolTip::hideText();
    }

    void geweigerd_data() {
        QTest::addColumn<Velden>("velden");
        QTest::newRow("11 uitgangen") << Velden{0, 0, -1, -1, -1, 0, 11};
        QTest::newRow("negatief aantal ingangen") << Velden{0, 0, -1, -1, -1, -1, 1};
        QTest::newRow("negatief aantal uitgangen") << Velden{0, 0, -1, -1, -1, 1, -3};
        QTest::newRow("101 ingangen") << Velden{0, 0, -1, -1, -1, 101, 1};
    }
    void geweigerd() {
        QFETCH(Velden, velden);
        Map map({tzI});
        TfKwintelvlak form;
        zwenkeltest::stel(form, tzI, velden);
        TModule* m = reinterpret_cast<TModule*>(1);
        const Bericht b = vangBericht([&] { m = zwenkeltest::maak(form, tzI); });
        QVERIFY(!m);
        QVERIFY(form.modules.empty());
        QVERIFY(b.getoond);
        QVERIFY2(b.tekst.contains(QStringLiteral("wordt niet gemaakt")), qPrintable(b.tekst));
        const auto t = zwenkeltest::tellers(form, tzI);
        QCOMPARE(t.creates, 1);
        QCOMPARE(t.destroys, 1);
        // The same from a board file: the line is skipped, the rest is read.
        const Bericht b2 = vangBericht([&] {
            form.openenUitTekst("E|1\r\n0|0|" + bib(tzI).toUtf8() + "|1|0||\r\n0|0|1|1|0|\r\n",
                                "bord.brd");
        });
        QVERIFY(b2.tekst.contains(QStringLiteral("wordt niet gemaakt")));
        QCOMPARE(int(form.modules.size()), 1);
        QCOMPARE(zwenkeltest::tellers(form, tzI).destroys, 2);
    }

    void createZonderBeschrijving() {
        // "create" returning nothing: no module, a message, nothing to destroy.
        Map map({tzI});
        TfKwintelvlak form;
        zwenkeltest::exportVan<void (*)(int)>(form, tzI, "test_stel_geen_beschrijving")(1);
        TModule* m = reinterpret_cast<TModule*>(1);
        const Bericht b = vangBericht([&] { m = zwenkeltest::maak(form, tzI); });
        QVERIFY(!m);
        QVERIFY(form.modules.empty());
        QVERIFY(b.tekst.contains(QStringLiteral("gaf geen beschrijving")));
        QCOMPARE(zwenkeltest::tellers(form, tzI).destroys, 0);
    }

    void gemiddelde_data() {
        QTest::addColumn<QList<int>>("monsters"); // repeated over the buffer
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("gemiddelde");
        QTest::newRow("half naar even omlaag") << QList<int>{0, 1} << 1 << 1024 << 0;
        QTest::newRow("half naar even omhoog") << QList<int>{1, 2} << 1 << 1024 << 2;
        QTest::newRow("2,5 wordt 2") << QList<int>{2, 3} << 1 << 1024 << 2;
        QTest::newRow("boven de helft") << QList<int>{0, 1, 1, 1} << 1 << 1024 << 1;
        QTest::newRow("grootste waarden") << QList<int>{65535} << 1 << 1024 << 65535;
        QTest::newRow("deel 3,5") << QList<int>{3, 4} << 1 << 2 << 4;
        QTest::newRow("deel 4,5") << QList<int>{4, 5} << 1 << 2 << 4;
        QTest::newRow("omgekeerd deel") << QList<int>{7} << 5 << 4 << 0;
    }
    void gemiddelde() {
        QFETCH(QList<int>, monsters);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, gemiddelde);
        TSignaalBuffer buf;
        for (int i = 0; i < KWINTEL_MONSTERS; ++i)
            buf.monsters[i] = std::uint16_t(monsters[i % monsters.size()]);
        QCOMPARE(zwenkel::signaalGemiddelde(buf, a, b), gemiddelde);
    }

    void doorgeven_data() {
        QTest::addColumn<int>("niveau");
        QTest::addColumn<int>("terug");
        QTest::newRow("0") << 0 << 0;
        for (int l = 1; l <= 49; ++l)
            QTest::newRow(qPrintable(QString::number(l))) << l << l - 1;
        QTest::newRow("50") << 50 << 50;
    }
    void doorgeven() {
        // A library that leaves the samples as they came: both truncations
        // cost a tenth of a volt, except at the ends of the scale.
        QFETCH(int, niveau);
        QFETCH(int, terug);
        Map map({tzI});
        Bord b;
        zwenkeltest::stelUit(b.form, tzI, -1);
        TZwenkelMod* m = zwenkeltest::maak(b.form, tzI);
        TSplitMod* s = b.sonde(m);
        b.spanning(m, 1, niveau);
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), terug);
        QCOMPARE(zwenkeltest::aanroep(b.form, tzI, 0).monster,
                 int(zwenkel::monsterVanNiveau(niveau)));
    }

    void monstersNaarNiveau_data() {
        QTest::addColumn<int>("monster");
        QTest::addColumn<int>("niveau");
        QTest::newRow("5119") << 5119 << 50;
        QTest::newRow("5118") << 5118 << 49;
        QTest::newRow("1433") << 1433 << 13;
        QTest::newRow("1434") << 1434 << 14;
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("boven 5,0 V niet afgekapt") << 10238 << 100;
        QTest::newRow("65535 is -1") << 65535 << 0;
        QTest::newRow("32768 is -32768") << 32768 << 192; // -320, low 8 bits
    }
    void monstersNaarNiveau() {
        QFETCH(int, monster);
        QFETCH(int, niveau);
        Map map({tzI});
        Bord b;
        zwenkeltest::stel(b.form, tzI, {0, 0, -1, -1, -1, 0, 1});
        zwenkeltest::stelUit(b.form, tzI, monster);
        TSplitMod* s = b.sonde(zwenkeltest::maak(b.form, tzI));
        tik(b.form);
        QCOMPARE(int(s->ingangsNiveau), niveau);
    }

    void tweeUitgangenZonderIngangen() {
        Map map({tzI});
        Bord b;
        zwenkeltest::stel(b.form, tzI, {0, 0, -1, -1, -1, 0, 2});
        zwenkeltest::stelUit(b.form, tzI, 2559); // output 1: 2559, output 2: 2560
        TZwenkelMod* bron = zwenkeltest::maak(b.form, tzI);
        TSplitMod* s1 = b.sonde(bron, 1);
        TSplitMod* s2 = b.sonde(bron, 2);
        // A module with an input is never ticked.
        zwenkeltest::stel(b.form, tzI, {0, 0, -1, -1, -1, 1, 1});
        zwenkeltest::maak(b.form, tzI);
        tik(b.form, 2);
        using A = zwenkeltest::Aanroep;
        const A verwacht1{0, 1, 0, 1, 1, 0, 0}, verwacht2{0, 2, 0, 1, 1, 0, 0};
        QCOMPARE(zwenkeltest::tellers(b.form, tzI).aanroepen, 4);
        for (int i = 0; i < 4; ++i) {
            A a = zwenkeltest::aanroep(b.form, tzI, i);
            a.monster = 0; // whatever the buffer held before
            QCOMPARE(a, i % 2 ? verwacht2 : verwacht1);
        }
        QCOMPARE(int(s1->ingangsNiveau), 24);
        QCOMPARE(int(s2->ingangsNiveau), 25);
        QVERIFY(bron->uitgangenLijst()[1]->brushKleur() == kleuren::geel);
    }

    void aankomstZendtOpAlleUitgangen() {
        Map map({tzI});
        Bord b;
        zwenkeltest::stel(b.form, tzI, {0, 0, -1, -1, -1, 2, 3});
        zwenkeltest::stelUit(b.form, tzI, -1);
        TZwenkelMod* m = zwenkeltest::maak(b.form, tzI);
        TSplitMod* s[3] = {b.sonde(m, 1), b.sonde(m, 2), b.sonde(m, 3)};
        b.spanning(m, 2, 30);
        tik(b.form);
        for (TSplitMod* sonde : s)
            QCOMPARE(int(sonde->ingangsNiveau), 29);
        QCOMPARE(zwenkeltest::tellers(b.form, tzI).aanroepen, 1);
        QCOMPARE(zwenkeltest::aanroep(b.form, tzI, 0),
                 (zwenkeltest::Aanroep{2, 0, 1, 0, 0, 1, 3071}));
        QCOMPARE(m->ingangenLijst()[1]->brushKleur(), kleuren::wit);
        QCOMPARE(m->ingangenLijst()[0]->brushKleur(), kleuren::grijs);
    }

    void ringBlijftBegrensd() {
        // Two modules feeding each other on two wires each: every arrival
        // sends twice, so without a bound the sends would double at every
        // step. The tick ends, the cut sends are counted, and the rest of the
        // board works as ever.
        Map map({tzI});
        Bord b;
        zwenkeltest::stel(b.form, tzI, {0, 0, -1, -1, -1, 3, 2});
        zwenkeltest::stelUit(b.form, tzI, -1);
        TZwenkelMod* a = zwenkeltest::maak(b.form, tzI);
        TZwenkelMod* c = zwenkeltest::maak(b.form, tzI);
        verbind(a, 1, c, 1);
        verbind(a, 2, c, 2);
        verbind(c, 1, a, 1);
        verbind(c, 2, a, 2);
        b.spanning(a, 3, 50);
        auto* led = maak<TLEDMod>(b.form, LED);
        auto* knop = b.knop(led, 1);
        knop->sSchakelaar->stand = 1;
        tik(b.form);
        QVERIFY(b.form.simulatie().afgekapteZendingen() > 0);
        QCOMPARE(led->led->brushKleur(), TLED::aan);
        const int na1 = b.form.simulatie().afgekapteZendingen();
        tik(b.form);
        QVERIFY(b.form.simulatie().afgekapteZendingen() > na1);
    }

    void tweeBibliothekenEenNummering() {
        Map map({tzI, tzO});
        TfKwintelvlak form;
        TModule* a = zwenkeltest::maak(form, tzI);
        TModule* c = zwenkeltest::maak(form, tzO);
        TModule* d = zwenkeltest::maak(form, tzI);
        QCOMPARE((QList<int>{a->nummer, c->nummer, d->nummer}), (QList<int>{1, 2, 3}));
        QCOMPARE(form.zoekModule(soorten::zwenkel, 2), c);
        form.moduleVerwijderen(a);
        QCOMPARE((QList<int>{c->nummer, d->nummer}), (QList<int>{1, 2}));
        // Freed: "destroy" for exactly that module.
        QCOMPARE(zwenkeltest::tellers(form, tzI).destroys, 1);
        QCOMPARE(zwenkeltest::tellers(form, tzO).destroys, 0);
        form.nieuw();
        QCOMPARE(zwenkeltest::tellers(form, tzI).destroys, 2);
        QCOMPARE(zwenkeltest::tellers(form, tzO).destroys, 1);
    }

    void voorbeelden() {
        // The example plug-ins beside the program.
        platform::ZwenkelMapVoorTest naast(QStringLiteral(KWINTEL_PROGRAMMA_MAP));
        Bord b;
        QCOMPARE(opschriften(b.form),
                 (QStringList{"Ingang naar uitgang (doorgeven)", "Oscillator (vrijlopende klok)",
                              "OF-poort, exclusief (XOF)"}));
        auto soort = [&](const char* naam) {
            const PModuleSoort s =
                b.form.zoekLoadedModule(soorten::zwenkel, bib(naam).toUtf8().constData(), false);
            if (!s)
                qFatal("voorbeeldzwenkel %s niet gevonden", naam);
            return s;
        };
        // Exclusive OR, all four rows.
        auto* xof = qobject_cast<TZwenkelMod*>(b.form.maakModule(soort("xof"), 0, 0));
        TSplitMod* s = b.sonde(xof);
        auto* v1 = b.spanning(xof, 1, 0);
        auto* v2 = b.spanning(xof, 2, 0);
        for (auto [l1, l2, uit] : {std::tuple{0, 0, 0}, {50, 0, 50}, {50, 50, 0}, {0, 50, 50}}) {
            v1->regelaar->setValue(l1);
            v2->regelaar->setValue(l2);
            tik(b.form);
            QCOMPARE(int(s->ingangsNiveau), uit);
        }
        // Pass-through: L - 1.
        auto* door = qobject_cast<TZwenkelMod*>(b.form.maakModule(soort("doorgeven"), 0, 0));
        TSplitMod* sd = b.sonde(door);
        b.spanning(door, 1, 30);
        tik(b.form);
        QCOMPARE(int(sd->ingangsNiveau), 29);
        // The clock: high and low in turn, its half period stored and read.
        auto* klok = qobject_cast<TZwenkelMod*>(b.form.maakModule(soort("klok"), 0, 0));
        QCOMPARE(klok->bewaar(), QByteArray("50"));
        klok->herstel("3");
        QCOMPARE(klok->bewaar(), QByteArray("3"));
        klok->herstel("onzin");
        QCOMPARE(klok->bewaar(), QByteArray("3"));
        TSplitMod* sk = b.sonde(klok);
        QList<int> niveaus;
        for (int i = 0; i < 7; ++i) {
            tik(b.form);
            niveaus << sk->ingangsNiveau;
        }
        QCOMPARE(niveaus, (QList<int>{0, 0, 50, 50, 50, 0, 0}));
    }
};

QTEST_MAIN(TestZwenkel)
#include "tst_zwenkel.moc"
