// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Reading a board into the window: options from the header, modules with
// their numbers, positions, settings and wires, and every way a file can be
// wrong.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/fabriek.h"
#include "modules/regelaars.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/variabelespanning.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <optional>

using namespace kwinteltest;

namespace {

const QString kTeVeel = QStringLiteral("Gegeven aantal uitgangen is groter dan verwachte aantal "
                                       "uitgangen!");

Bericht laad(TfKwintelvlak& form, const QByteArray& tekst) {
    return vangBericht([&] { form.openenUitTekst(tekst, QStringLiteral("test.brd")); });
}

// The board in short: "kind/number@left,top" per module, in list order.
QStringList bord(const TfKwintelvlak& form) {
    QStringList lijst;
    for (const TModule* m : form.modules)
        lijst << QStringLiteral("%1/%2@%3,%4")
                     .arg(m->moduleSoort->soort)
                     .arg(int(m->nummer))
                     .arg(m->x())
                     .arg(m->y());
    return lijst;
}

// The wire of an output (from 1): kind, number, input.
QList<int> draad(const TModule* m, int uitgang) {
    const TUitgang* u = m->uitgangenLijst().at(static_cast<size_t>(uitgang - 1));
    return {u->doelSoort, u->doelNummer, u->doelIngang};
}

const QList<int> kLos{-1, 1, 1};

void voegInsteekSoortToe(TfKwintelvlak& form, const char* naam) {
    // As discovery adds a library: the file name, kind 20, no variant.
    auto entry = std::make_unique<TModuleSoort>();
    std::strncpy(entry->naam, naam, MAX_PATH);
    entry->soort = soorten::zwenkel;
    form.moduleSoorten.push_back(std::move(entry));
}

} // namespace

class TestLezen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }
    void cleanup() { zetZwenkelBouwer({}); }

    void kopZetDeOpties_data() {
        QTest::addColumn<QByteArray>("kop");
        QTest::addColumn<bool>("logo");
        QTest::addColumn<bool>("teller");
        QTest::newRow("logo en teller") << QByteArray("SKWINTELVLAK V1.5|1") << true << true;
        QTest::newRow("geen van beide") << QByteArray("EKWINTELVLAK V1.5|") << false << false;
        QTest::newRow("kleine s") << QByteArray("sKWINTELVLAK V1.5|1") << false << true;
    }
    void kopZetDeOpties() {
        QFETCH(QByteArray, kop);
        QFETCH(bool, logo);
        QFETCH(bool, teller);
        TfKwintelvlak form;
        form.show();
        // Start from the opposite of what the header says.
        form.miLogoWeergeven->setChecked(!logo);
        form.pKwintelvlak->setVisible(!logo);
        form.miTellerLatenDoorlopen->setChecked(!teller);
        const Bericht b = laad(form, kop + "\r\n100|300|1|1|0|\r\n");
        QVERIFY(!b.getoond);
        QCOMPARE(form.miLogoWeergeven->isChecked(), logo);
        QCOMPARE(form.pKwintelvlak->isVisible(), logo);
        QCOMPARE(form.miTellerLatenDoorlopen->isChecked(), teller);
        QCOMPARE(bord(form), QStringList{"1/1@300,100"});
    }

    void leegBestandGeeftEenLeegBord() {
        TfKwintelvlak form;
        laad(form, "SKWINTELVLAK V1.5|\r\n0|0|1|1|0|\r\n");
        QCOMPARE(form.modules.size(), size_t(1));
        QVERIFY(!laad(form, QByteArray()).getoond);
        QVERIFY(form.modules.empty());
        // The options of a cleared board.
        QVERIFY(!form.miLogoWeergeven->isChecked());
        QVERIFY(form.pKwintelvlak->isHidden());
        QVERIFY(form.miTellerLatenDoorlopen->isChecked());
    }

    void alleenEenKop() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(!laad(form, "SKWINTELVLAK V1.5|").getoond);
        QVERIFY(form.modules.empty());
        QVERIFY(form.miLogoWeergeven->isChecked());
        QVERIFY(form.pKwintelvlak->isVisible());
        QVERIFY(!form.miTellerLatenDoorlopen->isChecked());
    }

    void legeEnOnbekendeRegelsMakenNiets() {
        TfKwintelvlak form;
        const Bericht b = laad(form, "EKWINTELVLAK V1.5|1\r\n"
                                     "\r\n"          // empty line
                                     "1|2||1|0|\r\n" // empty kind field
                                     "||||||\r\n"
                                     "5|5|17|1|0|\r\n" // unused kind numbers
                                     "5|5|-1|1|0|\r\n"
                                     "5|5|20|1|0||\r\n" // "20" names a library called "20"
                                     "5|5|99999999999|1|0|\r\n"
                                     "100|300|1|7|0|\r\n");
        QVERIFY(!b.getoond);
        QCOMPARE(bord(form), QStringList{"1/1@300,100"});
    }

    void nummersVolgenDeRegels() {
        TfKwintelvlak form;
        // The number field is not read: modules are numbered as they come.
        laad(form, "E|1\r\n100|40|0|7|1|-1|1|1|\r\n0|0|1|5|0|\r\n10|50|0|7|1|-1|1|1|\r\n");
        QCOMPARE(bord(form), (QStringList{"0/1@40,100", "1/1@0,0", "0/2@50,10"}));
    }

    void positiesBlijvenBinnenBereik() {
        TfKwintelvlak form;
        laad(form, "E|1\r\n-20|-30|1|1|0|\r\n2147483647|-2147483648|1|1|0|\r\n$10|  7 |1|1|0|\r\n"
                   "x|1.5|1|1|0|\r\n");
        QCOMPARE(bord(form),
                 (QStringList{"1/1@-30,-20", "1/2@-100000,100000", "1/3@7,16", "1/4@0,0"}));
    }

    void instellingen_data() {
        QTest::addColumn<QByteArray>("regel");
        QTest::addColumn<int>("waarde");
        QTest::addColumn<QString>("getoond");
        QTest::newRow("spanning 25") << QByteArray("0|0|3|1|1|-1|1|1|25|") << 25 << "2,5";
        QTest::newRow("spanning 75 wordt 50") << QByteArray("0|0|3|1|1|-1|1|1|75|") << 50 << "5,0";
        QTest::newRow("spanning geen getal") << QByteArray("0|0|3|1|1|-1|1|1|2,5|") << 0 << "0,0";
        QTest::newRow("spanning zonder veld") << QByteArray("0|0|3|1|1|-1|1|1|") << 0 << "0,0";
        QTest::newRow("puls zonder veld") << QByteArray("0|0|2|1|1|-1|1|1|") << 1 << "1";
        QTest::newRow("puls zonder drietal") << QByteArray("0|0|2|1|") << 1 << "1";
        QTest::newRow("puls 0") << QByteArray("0|0|2|1|1|-1|1|1|0|") << 0 << "0";
        QTest::newRow("puls 12 wordt 10") << QByteArray("0|0|2|1|1|-1|1|1|12|") << 10 << "10";
        QTest::newRow("comparator 99 wordt 50")
            << QByteArray("0|0|5|1|1|-1|1|1|99|") << 50 << "5,0";
        QTest::newRow("comparator zonder veld") << QByteArray("0|0|5|1|1|-1|1|1|") << 0 << "0,0";
    }
    void instellingen() {
        QFETCH(QByteArray, regel);
        QFETCH(int, waarde);
        QFETCH(QString, getoond);
        TfKwintelvlak form;
        QVERIFY(!laad(form, "E|1\r\n" + regel).getoond);
        QCOMPARE(form.modules.size(), size_t(1));
        TSpinEdit* regelaar = nullptr;
        if (auto* v = qobject_cast<TVariabeleSpanningMod*>(form.modules[0]))
            regelaar = v->regelaar;
        else if (auto* p = qobject_cast<TPulsGeneratorMod*>(form.modules[0]))
            regelaar = p->regelaar;
        else if (auto* c = qobject_cast<TComparatorMod*>(form.modules[0]))
            regelaar = c->regelaar;
        QVERIFY(regelaar);
        QCOMPARE(regelaar->value(), waarde);
        QCOMPARE(regelaar->text(), getoond);
    }

    void kleineVariantenUitS() {
        TfKwintelvlak form;
        laad(form, "E|1\r\n"
                   "0|0|9|1|3|-1|1|1|-1|1|1|-1|1|1||\r\n"    // split
                   "0|200|9|2|3|-1|1|1|-1|1|1|-1|1|1|S|\r\n" // small split
                   "100|0|11|1|1|-1|1|1|S|\r\n"              // small inverter
                   "100|200|11|2|1|-1|1|1|s|\r\n");          // lower case: normal
        QCOMPARE(form.modules.size(), size_t(4));
        QVERIFY(!form.modules[0]->moduleSoort->variant);
        QCOMPARE(form.modules[0]->width(), 168);
        QVERIFY(form.modules[1]->moduleSoort->variant);
        QCOMPARE(form.modules[1]->size(), QSize(96, 64));
        QCOMPARE(int(form.modules[1]->nummer), 2);
        QVERIFY(form.modules[2]->moduleSoort->variant);
        QCOMPARE(form.modules[2]->size(), QSize(168, 64));
        QVERIFY(!form.modules[3]->moduleSoort->variant);
        QCOMPARE(form.modules[3]->size(), QSize(168, 128));
        QCOMPARE(int(form.modules[3]->nummer), 2);
    }

    void dradenKomenTerug() {
        TfKwintelvlak form;
        // A wire may name a module that a later line makes, and an input
        // that the module does not have: the triple is kept as it is.
        QVERIFY(!laad(form, "E|1\r\n"
                            "0|0|0|1|1|1|1|1|\r\n"
                            "0|200|0|2|1|1|2|5|\r\n"
                            "64|0|4|1|4|1|1|1|-1|1|1|-1|7|9|13|1|3|\r\n"
                            "0|400|1|1|0|\r\n"
                            "64|400|1|2|0|\r\n"
                            "128|400|13|1|0|\r\n")
                     .getoond);
        QCOMPARE(draad(form.modules[0], 1), (QList<int>{1, 1, 1}));
        QCOMPARE(draad(form.modules[1], 1), (QList<int>{1, 2, 5}));
        QCOMPARE(draad(form.modules[2], 1), (QList<int>{1, 1, 1}));
        QCOMPARE(draad(form.modules[2], 2), kLos);
        QCOMPARE(draad(form.modules[2], 3), (QList<int>{-1, 7, 9}));
        QCOMPARE(draad(form.modules[2], 4), (QList<int>{13, 1, 3}));
        // The wire into a missing input leads nowhere but stays in the file.
        QVERIFY(!form.zoekModuleIngang(1, 2, 5));
        QVERIFY(form.zoekModuleIngang(1, 1, 1));
        QVERIFY(form.bordTekst().contains("\r\n0|200|0|2|1|1|2|5|\r\n"));
    }

    void teVeelDrietallen() {
        TfKwintelvlak form;
        const Bericht b = laad(form, "E|1\r\n"
                                     "10|10|3|1|2|1|1|1|-1|1|1|25|\r\n"
                                     "0|400|1|1|0|\r\n");
        QVERIFY(b.getoond);
        QCOMPARE(b.tekst, kTeVeel);
        QCOMPARE(b.titel, QStringLiteral("Kwintelvlak"));
        QCOMPARE(b.icoon, QMessageBox::NoIcon);
        QCOMPARE(b.knoppen, QStringList{"OK"});
        // The module stays without wires, its setting applied, and reading
        // goes on with the next line.
        QCOMPARE(bord(form), (QStringList{"3/1@10,10", "1/1@400,0"}));
        QCOMPARE(draad(form.modules[0], 1), kLos);
        QCOMPARE(qobject_cast<TVariabeleSpanningMod*>(form.modules[0])->regelaar->value(), 25);
        QCOMPARE(form.klokStopTeller(), 0);
    }

    void geenGetalInDraadveldStoptHetLezen_data() {
        QTest::addColumn<QByteArray>("foutRegel");
        QTest::addColumn<QString>("veld");
        QTest::newRow("letters") << QByteArray("0|200|0|9|1|1|x|1|") << "x";
        QTest::newRow("leeg veld") << QByteArray("0|200|0|9|1|1||1|") << "";
        QTest::newRow("ontbrekend veld") << QByteArray("0|200|0|9|1|1|1|") << "";
        QTest::newRow("komma") << QByteArray("0|200|0|9|1|1|1|1,0|") << "1,0";
    }
    void geenGetalInDraadveldStoptHetLezen() {
        QFETCH(QByteArray, foutRegel);
        QFETCH(QString, veld);
        TfKwintelvlak form;
        bool klokVastTijdensBericht = false;
        // Read the moment the message comes up, before it is answered.
        std::optional<BijTonen> kijker;
        kijker.emplace([&](QWidget* w) {
            if (qobject_cast<QMessageBox*>(w))
                klokVastTijdensBericht = klokGestopt;
        });
        const Bericht b = laad(form, "E|1\r\n"
                                     "0|400|1|1|0|\r\n"
                                     "0|0|0|1|1|1|1|1|\r\n" +
                                         foutRegel +
                                         "\r\n"
                                         "64|400|1|2|0|\r\n");
        kijker.reset();
        QVERIFY(b.getoond);
        QCOMPARE(b.icoon, QMessageBox::Critical);
        QVERIFY2(
            b.tekst.startsWith(
                QStringLiteral("Fout in regel 4 van \"test.brd\": \"%1\" is geen geheel getal.")
                    .arg(veld)),
            qPrintable(b.tekst));
        // What came before stays, the module of the bad line too (without a
        // half-set wire); nothing after it is read.
        QCOMPARE(bord(form), (QStringList{"1/1@400,0", "0/1@0,0", "0/2@200,0"}));
        QCOMPARE(draad(form.modules[1], 1), (QList<int>{1, 1, 1}));
        QCOMPARE(draad(form.modules[2], 1), kLos);
        QVERIFY(klokVastTijdensBericht);
        QCOMPARE(form.klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }

    void teVeelModules() {
        TfKwintelvlak form;
        // Lines that make nothing do not count.
        const Bericht b =
            laad(form, "E|1\r\n" + QByteArray("\r\n").repeated(5000) +
                           QByteArray("||1|\r\n").repeated(1000) + "5|5|0|1|1|-1|1|1|\r\n");
        QCOMPARE(b.tekst, QStringLiteral("Het bord in \"test.brd\" heeft meer dan 1000 modules; "
                                         "alleen de eerste 1000 zijn gelezen."));
        QCOMPARE(form.modules.size(), size_t(1000));
        QCOMPARE(form.zoekModuleAantal(soorten::drukSchakelaar), 0);
        QCOMPARE(form.klokStopTeller(), 0);
        form.nieuw();
        QVERIFY(form.modules.empty());
    }

    void zoemerEnGeluidSensorUitHetMenu() {
        TfKwintelvlak form;
        laad(form, "E|1\r\n0|0|14|1|0|\r\n200|0|15|1|1|-1|1|1|\r\n");
        QVERIFY(!form.miZoemer->isEnabled());
        QVERIFY(!form.miGeluidSensor->isEnabled());
        laad(form, "E|1\r\n0|0|1|1|0|\r\n");
        QVERIFY(form.miZoemer->isEnabled());
        QVERIFY(form.miGeluidSensor->isEnabled());
    }

    void insteekmodules() {
        TfKwintelvlak form;
        voegInsteekSoortToe(form, "eerste.so");
        voegInsteekSoortToe(form, "tweede.so");
        zetZwenkelBouwer([](TfKwintelvlak* owner, PModuleSoort) -> TModule* {
            return new TestModule(owner, 1, 2);
        });
        // "weg.so" was not loaded: its line is skipped without a word, and
        // the plug-in modules after it take numbers one lower; wires naming
        // them are read as they stand.
        const Bericht b = laad(form, "E|1\r\n"
                                     "10|10|eerste.so|1|2|20|3|1|-1|1|1||\r\n"
                                     "20|20|weg.so|2|2|-1|1|1|-1|1|1|x|\r\n"
                                     "30|30|tweede.so|3|2|-1|1|1|-1|1|1||\r\n"
                                     "40|40|Eerste.so|4|0||\r\n" // case counts
                                     "50|50|eerste.so|5|0||\r\n"
                                     "60|60|0|1|1|20|4|1|\r\n");
        QVERIFY(!b.getoond);
        QCOMPARE(bord(form), (QStringList{"20/1@10,10", "20/2@30,30", "20/3@50,50", "0/1@60,60"}));
        QCOMPARE(QByteArray(form.modules[0]->moduleSoort->naam), QByteArray("eerste.so"));
        QCOMPARE(QByteArray(form.modules[1]->moduleSoort->naam), QByteArray("tweede.so"));
        QCOMPARE(QByteArray(form.modules[2]->moduleSoort->naam), QByteArray("eerste.so"));
        QCOMPARE(draad(form.modules[0], 1), (QList<int>{20, 3, 1}));
        QCOMPARE(draad(form.modules[3], 1), (QList<int>{20, 4, 1}));
        // Written back under their new numbers, with their library names. (The
        // stand-ins have no library to ask for a setting; what real plug-in
        // modules store is tested with real libraries in tests/plugins.)
        QList<QByteArray> regels = form.bordTekst().split('\n');
        for (QByteArray& r : regels)
            if (r.contains(".so|"))
                r.truncate(r.lastIndexOf('|', r.size() - 3) + 1);
        QCOMPARE(regels, (QList<QByteArray>{
                             "EKWINTELVLAK V1.5|1\r", "10|10|eerste.so|1|2|20|3|1|-1|1|1|",
                             "30|30|tweede.so|2|2|-1|1|1|-1|1|1|",
                             "50|50|eerste.so|3|2|-1|1|1|-1|1|1|", "60|60|0|1|1|20|4|1|\r", ""}));
    }

    void insteekmoduleZonderBouwer() {
        TfKwintelvlak form;
        voegInsteekSoortToe(form, "eerste.so");
        const Bericht b = laad(form, "E|1\r\n10|10|eerste.so|1|0||\r\n0|0|1|1|0|\r\n");
        QCOMPARE(b.tekst, QStringLiteral("Module is nog niet geïmplementeerd!"));
        QCOMPARE(bord(form), QStringList{"1/1@0,0"});
    }

    void regeleindenUitEenBestand() {
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("bord.brd"));
        QFile f(pad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("SKWINTELVLAK V1.5|\r0|0|1|1|0|\n64|0|1|2|0|\r\n128|0|1|3|0|");
        f.close();
        TfKwintelvlak form;
        form.show();
        QVERIFY(!vangBericht([&] { form.openen(pad); }).getoond);
        QCOMPARE(bord(form), (QStringList{"1/1@0,0", "1/2@0,64", "1/3@0,128"}));
        QVERIFY(form.pKwintelvlak->isVisible());
        QVERIFY(!form.miTellerLatenDoorlopen->isChecked());
        QCOMPARE(form.klokStopTeller(), 0);
    }

    void onleesbaarBestand_data() {
        QTest::addColumn<QString>("soort");
        QTest::addColumn<QString>("reden");
        QTest::newRow("bestaat niet") << "weg"
                                      << "Het bestand bestaat niet.";
        QTest::newRow("een map") << "map"
                                 << "Dit is een map, geen bestand.";
        QTest::newRow("te groot") << "groot"
                                  << "Het is groter dan 1 MB; zo groot is geen bord.";
    }
    void onleesbaarBestand() {
        QFETCH(QString, soort);
        QFETCH(QString, reden);
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("bord.brd"));
        if (soort == QLatin1String("map")) {
            QVERIFY(QDir(map.path()).mkdir(QStringLiteral("bord.brd")));
        } else if (soort == QLatin1String("groot")) {
            QFile f(pad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("E|1\r\n" + QByteArray("0|0|1|1|0|\r\n").repeated(100000));
        }
        TfKwintelvlak form;
        form.show();
        laad(form, "SKWINTELVLAK V1.5|\r\n0|0|1|1|0|\r\n");
        bool klokVastTijdensBericht = false;
        // Read the moment the message comes up, before it is answered.
        std::optional<BijTonen> kijker;
        kijker.emplace([&](QWidget* w) {
            if (qobject_cast<QMessageBox*>(w))
                klokVastTijdensBericht = klokGestopt;
        });
        const Bericht b = vangBericht([&] { form.openen(pad); });
        kijker.reset();
        QVERIFY(b.getoond);
        QCOMPARE(b.icoon, QMessageBox::Critical);
        QCOMPARE(b.tekst, QStringLiteral("Het bestand \"%1\" kan niet worden gelezen.\n%2")
                              .arg(QDir::toNativeSeparators(pad), reden));
        // An empty board with the options of a cleared one, the clock free.
        QVERIFY(form.modules.empty());
        QVERIFY(form.pKwintelvlak->isHidden());
        QVERIFY(form.miTellerLatenDoorlopen->isChecked());
        QVERIFY(klokVastTijdensBericht);
        QCOMPARE(form.klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }
};

QTEST_MAIN(TestLezen)
#include "tst_lezen.moc"
