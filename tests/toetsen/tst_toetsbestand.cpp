// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Check files read against the window's own menu captions, and checks run on
// real boards on the stepped clock: what each step does to a board and what
// each expectation reads from it.
#include "app/kwintelvlak.h"
#include "app/zondergebruiker.h"
#include "support/kwinteltest.h"
#include "toetsen/toetsbestand.h"
#include "toetsen/toetsen.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using toetsbestand::Stap;

class TestToetsbestand : public QObject {
    Q_OBJECT

    std::unique_ptr<ZonderGebruiker> m_omgeving;
    std::unique_ptr<TfKwintelvlak> m_form;
    QTemporaryDir m_map;

    // Runs a check file's text on a board's text; fails the test on a
    // mistake in the check file.
    toetsen::BordUitslag toets(const QByteArray& bord, const QString& stappen) {
        const toetsbestand::Toets t = toetsbestand::lees(stappen, toetsen::soortNamen(*m_form));
        for (const auto& f : t.fouten)
            qWarning("regel %d: %s", f.regelNummer, qPrintable(f.tekst));
        if (!t.fouten.empty())
            return {};
        const QString pad = m_map.filePath(QStringLiteral("bord.brd"));
        QFile f(pad);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bord) != bord.size())
            return {};
        f.close();
        return toetsen::toetsBord(*m_form, *m_omgeving, t, pad);
    }
    // The result lines of a check, "ok"/"not ok" and the description.
    static QStringList regels(const toetsen::BordUitslag& u) {
        QStringList uit;
        for (const auto& r : u.resultaten)
            uit << (r.ok ? QStringLiteral("ok ") : QStringLiteral("not ok ")) + r.tekst();
        return uit;
    }

private slots:
    void initTestCase() {
        kwinteltest::initProces();
        m_omgeving = std::make_unique<ZonderGebruiker>();
        m_form = std::make_unique<TfKwintelvlak>();
    }
    void cleanupTestCase() {
        m_form.reset();
        m_omgeving.reset();
    }

    void fouten_data() {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<int>("regel");
        QTest::addColumn<QString>("melding");
        const QString v = QStringLiteral("verwacht LED 1 aan\n");
        QTest::newRow("onbekende stap") << v + "drukk Drukschakelaar 1" << 2
                                        << "onbekende stap 'drukk'; de stappen zijn druk, los, "
                                           "zet, geluid, muis, tik, verwacht, herhaal, einde, "
                                           "onderdeel en cijfer";
        // What the file holds is echoed without its control characters and
        // not at any length.
        QTest::newRow("stuurteken")
            << v + "druk \x1b[2J\x07 1" << 2 << "onbekende module '\\x1B[2J\\x07'";
        QTest::newRow("lang woord") << v + "tik " + QString(300, u'9') << 2
                                    << "'" + QString(40, u'9') + "...' is geen geheel getal";
        QTest::newRow("onderdeel zonder naam")
            << v + "onderdeel gewicht 2" << 2
            << "er ontbreekt iets: schrijf 'onderdeel NAAM of onderdeel NAAM gewicht N'";
        QTest::newRow("onderdeel zonder verwachting")
            << v + "onderdeel Leeg\ntik 1" << 2
            << "onderdeel 'Leeg' heeft geen enkele 'verwacht'-regel";
        QTest::newRow("ander gewicht")
            << "onderdeel A gewicht 2\n" + v + "onderdeel B\n" + v + "onderdeel A gewicht 3\n" + v
            << 5 << "onderdeel 'A' heeft op regel 1 al gewicht 2";
        QTest::newRow("alles gewicht 0")
            << "onderdeel A gewicht 0\n" + v << 1
            << "elk onderdeel heeft gewicht 0, dus er valt niets te tellen";
        QTest::newRow("cijfer omgekeerd")
            << "cijfer 10 1\n" + v << 1
            << "het laagste cijfer hoort voor het hoogste: bijvoorbeeld 'cijfer 1 10'";
        QTest::newRow("tweede cijfer") << "cijfer 1 10\n" + v + "cijfer 0 100" << 3
                                       << "er staat al een cijfer-regel op regel 1";
        QTest::newRow("onbekende module") << v + "druk Lamp 1" << 2 << "onbekende module 'Lamp'";
        QTest::newRow("naam met spatie zonder aanhalingstekens")
            << v + "zet Puls generator 1 5" << 2
            << "onbekende module 'Puls'; zet een naam met een spatie tussen aanhalingstekens: "
               "\"Puls generator\"";
        QTest::newRow("nummer 0") << v + "\nverwacht LED 0 aan" << 3
                                  << "0 ligt buiten het bereik van 1 tot en met 1000";
        QTest::newRow("geluid te hard")
            << v + "geluid 40000" << 2 << "40000 ligt buiten het bereik van 0 tot en met 32768";
        QTest::newRow("uitgang die de soort niet heeft")
            << v + "verwacht Invertor 1 uitgang 2 50" << 2
            << "2 ligt buiten het bereik van 1 tot en met 1";
        QTest::newRow("niveau boven 50") << v + "verwacht Split 1 uitgang 3 51" << 2
                                         << "51 ligt buiten het bereik van 0 tot en met 50";
        QTest::newRow("nummer ontbreekt") << v + "druk Drukschakelaar" << 2
                                          << "er ontbreekt iets: na 'Drukschakelaar' hoort het "
                                             "nummer van de module";
        QTest::newRow("module ontbreekt")
            << v + "los" << 2 << "er ontbreekt iets: na 'los' hoort een module";
        QTest::newRow("tik zonder aantal")
            << v + "tik" << 2 << "er ontbreekt iets: schrijf 'tik AANTAL'";
        QTest::newRow("waarde ontbreekt")
            << v + "zet \"Variabele spanning\" 1" << 2
            << "er ontbreekt iets: schrijf 'zet MODULE NUMMER WAARDE'";
        QTest::newRow("te veel") << v + "tik 1 2" << 2 << "te veel woorden: schrijf 'tik AANTAL'";
        QTest::newRow("geen getal") << v + "tik veel" << 2 << "'veel' is geen geheel getal";
        QTest::newRow("muis half getal") << v + "muis 10 2,5" << 2 << "'2,5' is geen geheel getal";
        QTest::newRow("geen instellingswaarde")
            << v + "zet Comparator 1 hoog" << 2 << "'hoog' is geen getal";
        QTest::newRow("hertz in hele getallen")
            << v + "zet \"puls generator\" 1 2,5" << 2
            << "'2,5' is geen geheel getal: Puls generator wordt in hele hertz gezet";
        QTest::newRow("spanning in tienden") << v + "zet \"Variabele spanning\" 1 2,55" << 2
                                             << "'2,55' heeft meer dan een cijfer achter de komma";
        QTest::newRow("geen stand") << v + "verwacht Pulsenteller 1 G" << 2
                                    << "'G' is geen stand van de pulsenteller (0 tot en met F)";
        QTest::newRow("stand te groot") << v + "verwacht Pulsenteller 1 10" << 2
                                        << "10 ligt buiten het bereik van 0 tot en met F";
        QTest::newRow("led zonder uitgang")
            << v + "verwacht LED 1 uitgang 1 0" << 2 << "LED heeft geen uitgangen";
        QTest::newRow("knop op een led") << v + "druk LED 1" << 2 << "LED heeft geen knop";
        QTest::newRow("instelling van een led")
            << v + "zet LED 1 3" << 2 << "LED heeft geen instelling";
        QTest::newRow("invertor is niet aan of uit")
            << v + "verwacht Invertor 1 aan" << 2
            << "Invertor is niet aan of uit; dat zijn een LED, een zoemer en een relais";
        QTest::newRow("onbekende verwachting")
            << v + "verwacht LED 1 rood" << 2 << "na 'LED 1' hoort aan, uit of uitgang";
        QTest::newRow("aanhalingsteken open")
            << v + "zet \"Variabele spanning 1 5" << 2 << "het aanhalingsteken wordt niet gesloten";
        QTest::newRow("niets te verwachten") << "# alleen uitleg\ntik 5\r\n"
                                             << 0
                                             << "het toetsbestand bevat geen enkele "
                                                "'verwacht'-regel, dus er valt niets te toetsen";
    }

    void fouten() {
        QFETCH(QString, tekst);
        QFETCH(int, regel);
        QFETCH(QString, melding);
        const toetsbestand::Toets t = toetsbestand::lees(tekst, toetsen::soortNamen(*m_form));
        QCOMPARE(t.fouten.size(), size_t(1));
        QCOMPARE(t.fouten[0].regelNummer, regel);
        QCOMPARE(t.fouten[0].tekst, melding);
    }

    void namenUitDeMenus() {
        // Any case, without the access key, quotes around spaces; a comment
        // may follow a step; the small inverter has a name of its own.
        const toetsbestand::Toets t =
            toetsbestand::lees(QStringLiteral("VERWACHT led 2 AAN   # de tweede LED\n"
                                              "verwacht \"invertor (KLEIN)\" 1 uitgang 1 0\n"
                                              "verwacht AD-Omzetter 3 uitgang 4 50\n"
                                              "zet \"Variabele spanning\" 1 2.5\n"
                                              "  # alleen uitleg\n"
                                              "druk pulsenteller 1\r\n"),
                               toetsen::soortNamen(*m_form));
        QCOMPARE(t.fouten.size(), size_t(0));
        QCOMPARE(t.regels.size(), size_t(5));
        QCOMPARE(t.regels[0].module.tekst(), QStringLiteral("LED 2"));
        QVERIFY(t.regels[0].aan);
        QCOMPARE(t.regels[1].module.tekst(), QStringLiteral("Invertor (klein) 1"));
        QCOMPARE(t.regels[1].module.entry->soort, soorten::invertor);
        QVERIFY(t.regels[1].module.entry->variant);
        QCOMPARE(t.regels[2].module.entry->soort, soorten::adOmzetter);
        QCOMPARE(t.regels[2].getal, 4);
        QCOMPARE(t.regels[3].waarde, 2.5);
        QCOMPARE(t.regels[4].stap, Stap::Druk);
        QCOMPARE(t.regels[4].regelNummer, 6);
    }

    void pulsGeneratorTeltVastOpDeTikken() {
        // 10 Hz: a pulse on the first tick after the generator is made, then
        // every eleventh tick (more than 100 ms must pass): ticks 1, 12, ...,
        // 100 give ten pulses. 1 Hz: ticks 1 and 102.
        const QByteArray bord = "EKWINTELVLAK V1.5|1\r\n"
                                "10|10|2|1|1|6|1|1|10|\r\n"
                                "10|300|6|1|4|-1|1|1|-1|1|1|-1|1|1|-1|1|1|\r\n"
                                "150|10|2|2|1|6|2|1|1|\r\n"
                                "150|300|6|2|4|-1|1|1|-1|1|1|-1|1|1|-1|1|1|\r\n";
        const QString stappen = QStringLiteral("tik 1\n"
                                               "verwacht \"Puls generator\" 1 uitgang 1 50\n"
                                               "verwacht \"Puls generator\" 2 uitgang 1 50\n"
                                               "tik 1\n"
                                               "verwacht \"Puls generator\" 1 uitgang 1 0\n"
                                               "tik 98\n"
                                               "verwacht Pulsenteller 1 A\n"
                                               "tik 1\n"
                                               "verwacht Pulsenteller 2 1\n"
                                               "tik 1\n"
                                               "verwacht Pulsenteller 2 2\n");
        const toetsen::BordUitslag eerste = toets(bord, stappen);
        QCOMPARE(
            regels(eerste),
            QStringList({"ok Puls generator 1 uitgang 1 50", "ok Puls generator 2 uitgang 1 50",
                         "ok Puls generator 1 uitgang 1 0", "ok Pulsenteller 1 A",
                         "ok Pulsenteller 2 1", "ok Pulsenteller 2 2"}));
        // The same board again, later on the same clock: the same results.
        QCOMPARE(regels(toets(bord, stappen)), regels(eerste));
    }

    void stappenOpHetBord() {
        // Settings clamp as the control does; the sound and the pointer are
        // what the sensors read; a pressed counter key resets it.
        const QByteArray bord = "EKWINTELVLAK V1.5|1\r\n"
                                "10|10|3|1|1|-1|1|1|0|\r\n"
                                "80|10|15|1|1|-1|1|1|\r\n"
                                "150|10|16|1|1|-1|1|1|\r\n"
                                "220|10|2|1|1|6|1|1|10|\r\n"
                                "220|300|6|1|4|-1|1|1|-1|1|1|-1|1|1|-1|1|1|\r\n"
                                "10|300|3|2|1|14|1|1|50|\r\n"
                                "80|300|14|1|0|\r\n"
                                "150|300|3|3|1|13|1|1|3|\r\n"
                                "400|300|13|1|0|\r\n";
        const toetsen::BordUitslag u =
            toets(bord, QStringLiteral("zet \"Variabele spanning\" 1 7,5\n"
                                       "tik 1\n"
                                       "verwacht \"Variabele spanning\" 1 uitgang 1 50\n"
                                       "zet \"Variabele spanning\" 1 -1\n"
                                       "tik 1\n"
                                       "verwacht \"Variabele spanning\" 1 uitgang 1 0\n"
                                       "zet \"Variabele spanning\" 1 1,4\n"
                                       "tik 1\n"
                                       "verwacht \"Variabele spanning\" 1 uitgang 1 14\n"
                                       "verwacht \"Geluid sensor\" 1 uitgang 1 0\n"
                                       "geluid 32767\n"
                                       "tik 1\n"
                                       "verwacht \"Geluid sensor\" 1 uitgang 1 45\n"
                                       "verwacht Sensor 1 uitgang 1 0\n"
                                       "muis 10 150\n"
                                       "tik 1\n"
                                       "verwacht Sensor 1 uitgang 1 50\n"
                                       "verwacht Zoemer 1 aan\n"
                                       "verwacht Relais 1 aan\n"
                                       "tik 30\n" // 35 ticks: pulses at 1, 12, 23 and 34
                                       "verwacht Pulsenteller 1 4\n"
                                       "druk Pulsenteller 1\n"
                                       "tik 1\n"
                                       "verwacht Pulsenteller 1 0\n"
                                       "los Pulsenteller 1\n"
                                       "tik 12\n"
                                       "verwacht Pulsenteller 1 1\n"));
        QVERIFY(u.leesbaar);
        QStringList fout;
        for (const auto& r : u.resultaten)
            if (!r.ok)
                fout << QString::number(r.regelNummer) + QLatin1Char(' ') + r.tekst();
        QCOMPARE(fout.join(QLatin1Char('\n')), QString());
        QCOMPARE(u.resultaten.size(), size_t(12));
    }

    void ontbrekendeStapKostAlleenWatErvanAfhangt() {
        // A step on a module the board lacks is said once and skipped; an
        // expectation on a missing module fails, every other one is judged on
        // the board as it stands. Each expectation gives exactly one result.
        const toetsen::BordUitslag u = toets("EKWINTELVLAK V1.5|1\r\n10|10|1|1|0|\r\n",
                                             QStringLiteral("verwacht LED 1 uit\n"
                                                            "verwacht \"EN-Poort\" 1 uitgang 1 50\n"
                                                            "herhaal 2\n"
                                                            "druk Drukschakelaar 1\n"
                                                            "zet \"Puls generator\" 1 5\n"
                                                            "tik 1\n"
                                                            "einde\n"
                                                            "verwacht LED 1 uit\n"
                                                            "verwacht Pulsenteller 1 0\n"));
        QCOMPARE(regels(u),
                 QStringList({"ok LED 1 uit",
                              "not ok EN-Poort 1 uitgang 1 50: EN-Poort 1 ontbreekt op het bord",
                              "ok LED 1 uit",
                              "not ok Pulsenteller 1 0: Pulsenteller 1 ontbreekt op het bord"}));
        // Echoed as the check file writes it, quotes and all.
        QCOMPARE(u.stappen,
                 QStringList({"regel 4: druk Drukschakelaar 1 kan niet: Drukschakelaar 1 "
                              "ontbreekt op het bord",
                              "regel 5: zet \"Puls generator\" 1 5 kan niet: Puls generator 1 "
                              "ontbreekt op het bord"}));
        QCOMPARE(u.behaald(), 2);
    }

    void gedeeltelijkWerk_data() {
        // Three circuits on one board (examples/drie_schakelingen):
        // key -> inverter -> LED 1, pulse generator -> counter -> LED 2,
        // sensor -> LED 3; six expectations each, the counter's weighing 2.
        QTest::addColumn<QString>("bord");
        QTest::addColumn<QList<int>>("perOnderdeel");
        QTest::addColumn<QStringList>("toewijzing");
        QTest::addColumn<QString>("cijfer");
        QTest::newRow("compleet") << "leerling_compleet.brd" << QList<int>{6, 6, 6} << QStringList()
                                  << "10,0";
        // The key's steps cannot run: its LED stays lit, so only the
        // expectations of a lit LED are met; the other circuits all.
        QTest::newRow("zonder drukknop")
            << "leerling_zonder_knop.brd" << QList<int>{3, 6, 6} << QStringList() << "8,9";
        QTest::newRow("zonder sensor")
            << "leerling_zonder_sensor.brd" << QList<int>{6, 6, 3} << QStringList() << "8,9";
        // The counter's LED missing: the board calls the sensor's LED "LED 2";
        // the missing LED is the counter's, not the sensor's.
        QTest::newRow("zonder LED bij de teller")
            << "leerling_zonder_teller_led.brd" << QList<int>{6, 3, 6}
            << QStringList{"LED 2 = ", "LED 3 = LED 2"} << "7,8";
    }

    void gedeeltelijkWerk() {
        QFETCH(QString, bord);
        QFETCH(QList<int>, perOnderdeel);
        QFETCH(QStringList, toewijzing);
        QFETCH(QString, cijfer);
        const QString map = QStringLiteral(KWINTEL_VOORBEELDEN "/drie_schakelingen/");
        QFile f(map + QStringLiteral("opdracht.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const toetsbestand::Toets t =
            toetsbestand::lees(*toetsbestand::alsTekst(f.readAll()), toetsen::soortNamen(*m_form));
        QCOMPARE(t.fouten.size(), size_t(0));
        const toetsen::BordUitslag u = toetsen::toetsBord(*m_form, *m_omgeving, t, map + bord);
        QList<int> gehaald;
        for (const toetsen::OnderdeelScore& o : toetsen::onderdeelScores(t, u)) {
            QCOMPARE(o.totaal, 6);
            gehaald << o.behaald;
        }
        QCOMPARE(gehaald, perOnderdeel);
        QStringList gezien;
        for (const toetsen::Toewijzing& w : u.toewijzing)
            gezien << w.toets + QStringLiteral(" = ") + w.bord;
        QCOMPARE(gezien, toewijzing);
        QCOMPARE(toetsen::cijferTekst(toetsen::cijfer(*t.cijfer, toetsen::gewogenScore(t, u))),
                 cijfer);
    }

    void herhalingen() {
        // Rounds are written out, outermost first; each keeps its own line.
        const toetsbestand::Toets t =
            toetsbestand::lees(QStringLiteral("herhaal 2\n"
                                              "  tik 1\n"
                                              "  herhaal 3\n"
                                              "    verwacht LED 1 aan   # brandt\n"
                                              "  einde\n"
                                              "einde\n"
                                              "verwacht LED 1 uit\n"),
                               toetsen::soortNamen(*m_form));
        QCOMPARE(t.fouten.size(), size_t(0));
        QCOMPARE(t.regels.size(), size_t(2 * (1 + 3) + 1));
        QCOMPARE(t.verwachtingen(), 7);
        QStringList rondes;
        for (const auto& r : t.regels)
            rondes << QString::number(r.regelNummer) + QLatin1Char('/') + r.ronde;
        QCOMPARE(rondes, QStringList({"2/1", "4/1.1", "4/1.2", "4/1.3", "2/2", "4/2.1", "4/2.2",
                                      "4/2.3", "7/"}));
        QCOMPARE(t.regels[1].commentaar, QStringLiteral("brandt"));
        QCOMPARE(t.regels.back().commentaar, QString());
    }

    void foutenInHerhalingen_data() {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<QList<int>>("regelsMetFout");
        QTest::addColumn<QString>("eersteMelding");
        const QString v = QStringLiteral("verwacht LED 1 aan\n");
        QTest::newRow("einde zonder herhaal")
            << v + "einde" << QList<int>{2} << "'einde' zonder 'herhaal' ervoor";
        QTest::newRow("herhaal zonder einde")
            << v + "herhaal 2\ntik 1" << QList<int>{2} << "bij deze 'herhaal' hoort een 'einde'";
        QTest::newRow("herhaal 0") << v + "herhaal 0\ntik 1\neinde" << QList<int>{2}
                                   << "0 ligt buiten het bereik van 1 tot en met 10000";
        QTest::newRow("fouten in het blok met hun eigen regel")
            << v + "herhaal 2\n  tik veel\n  druk Lamp 1\neinde" << QList<int>{3, 4}
            << "'veel' is geen geheel getal";
        QTest::newRow("te veel stappen")
            << v + "herhaal 10000\nherhaal 10000\nverwacht LED 1 aan\neinde\neinde" << QList<int>{2}
            << "deze herhaling maakt meer dan 100000 stappen; zo lang is geen toets";
        QTest::newRow("te lang")
            << v + "herhaal 7\ntik 60000\neinde" << QList<int>{2}
            << "deze herhaling laat de klok meer dan een uur lopen (360000 tikken); zo lang is "
               "geen toets";
        QTest::newRow("muis zonder verschuiving")
            << v + "muis Sensor 1 10" << QList<int>{2}
            << "er ontbreekt iets: schrijf 'muis MODULE NUMMER DX DY'";
    }

    void foutenInHerhalingen() {
        QFETCH(QString, tekst);
        QFETCH(QList<int>, regelsMetFout);
        QFETCH(QString, eersteMelding);
        const toetsbestand::Toets t = toetsbestand::lees(tekst, toetsen::soortNamen(*m_form));
        QList<int> regels;
        for (const auto& f : t.fouten)
            regels << f.regelNummer;
        QCOMPARE(regels, regelsMetFout);
        QCOMPARE(t.fouten[0].tekst, eersteMelding);
    }

    void eerlijkeNummering_data() {
        // Two keys and two LEDs: the top key lights the top LED, the bottom
        // key the bottom one. "a": placed top first. "b": the top LED saved
        // last, so the board calls it LED 2. "fout": the bottom key is not
        // wired, so no numbering can pass.
        QTest::addColumn<QByteArray>("bord");
        QTest::addColumn<bool>("geslaagd");
        QTest::addColumn<int>("toewijzingen");
        QTest::newRow("a") << QByteArray("EKWINTELVLAK V1.5|1\r\n"
                                         "20|20|0|1|1|1|1|1|\r\n"
                                         "200|20|0|2|1|1|2|1|\r\n"
                                         "20|200|1|1|0|\r\n"
                                         "200|200|1|2|0|\r\n")
                           << true << 0;
        QTest::newRow("b") << QByteArray("EKWINTELVLAK V1.5|1\r\n"
                                         "20|20|0|1|1|1|2|1|\r\n"
                                         "200|20|0|2|1|1|1|1|\r\n"
                                         "200|200|1|1|0|\r\n"
                                         "20|200|1|2|0|\r\n")
                           << true << 2;
        QTest::newRow("fout") << QByteArray("EKWINTELVLAK V1.5|1\r\n"
                                            "20|20|0|1|1|1|1|1|\r\n"
                                            "200|20|0|2|1|-1|1|1|\r\n"
                                            "20|200|1|1|0|\r\n"
                                            "200|200|1|2|0|\r\n")
                              << false << 0;
    }

    void eerlijkeNummering() {
        QFETCH(QByteArray, bord);
        QFETCH(bool, geslaagd);
        QFETCH(int, toewijzingen);
        const QString stappen = QStringLiteral("druk Drukschakelaar 1\ntik 2\n"
                                               "verwacht LED 1 aan\nverwacht LED 2 uit\n"
                                               "los Drukschakelaar 1\ndruk Drukschakelaar 2\n"
                                               "tik 2\nverwacht LED 1 uit\nverwacht LED 2 aan\n");
        const toetsen::BordUitslag u = toets(bord, stappen);
        QCOMPARE(u.geslaagd(), geslaagd);
        QCOMPARE(u.totaal(), 4);
        QCOMPARE(int(u.toewijzing.size()), toewijzingen);
        if (toewijzingen > 0) {
            // Either the LEDs or the keys swapped: two of one kind.
            QCOMPARE(u.toewijzing[0].toets.section(' ', 0, 0),
                     u.toewijzing[1].toets.section(' ', 0, 0));
            QVERIFY(u.toewijzing[0].bord != u.toewijzing[0].toets);
        }
        if (!geslaagd) {
            // Both numberings of the keys were run (the LEDs are only looked
            // at, so they are matched, not run) and none passed; the best
            // meets three of four.
            QCOMPARE(u.geprobeerd, 2);
            QCOMPARE(u.behaald(), 3);
        }
        // The board's own numbering first: a passing board in its own
        // numbering is run once.
        if (toewijzingen == 0 && geslaagd)
            QCOMPARE(u.geprobeerd, 1);
    }

    void zoekenIsBegrensd() {
        // Eight keys pressed by the check: 8! numberings to run, more than
        // the bound; only the board's own is run, and that is said. Eight
        // LEDs only looked at are matched however many there are: the board
        // numbers its LEDs in reverse, and they are still found.
        QByteArray bord = "EKWINTELVLAK V1.5|1\r\n";
        QString stappen;
        for (int i = 1; i <= 8; ++i) {
            bord += QByteArray::number(10 + 60 * i) + "|10|0|1|1|1|" + QByteArray::number(9 - i) +
                    "|1|\r\n";
            bord += QByteArray::number(10 + 60 * i) + "|200|1|1|0|\r\n";
        }
        for (int i = 1; i <= 8; ++i)
            stappen += QStringLiteral("druk Drukschakelaar %1\ntik 1\nverwacht LED %2 aan\n")
                           .arg(i)
                           .arg(9 - i);
        const toetsen::BordUitslag u = toets(bord, stappen);
        QVERIFY(u.begrensd);
        QVERIFY(u.alleenEigenNummering());
        QCOMPARE(u.geprobeerd, 1);
        QCOMPARE(u.behaald(), 8);
        QVERIFY(toetsen::alsTap({}, {u}).contains(
            QStringLiteral("# meer dan 5040 nummeringen mogelijk: alleen de eigen nummering")));
    }

    void muisBijDeModule() {
        // The same sensor 380 px lower: the pointer at its corner reads the
        // same from the relative step, not from a fixed point.
        const QString relatief = QStringLiteral("muis Sensor 1 0 0\ntik 1\n"
                                                "verwacht Sensor 1 uitgang 1 50\n");
        const QString vast = QStringLiteral("muis 10 10\ntik 1\nverwacht Sensor 1 uitgang 1 50\n");
        const QByteArray boven = "EKWINTELVLAK V1.5|1\r\n10|10|16|1|1|-1|1|1|\r\n";
        const QByteArray onder = "EKWINTELVLAK V1.5|1\r\n390|10|16|1|1|-1|1|1|\r\n";
        QVERIFY(toets(boven, relatief).geslaagd());
        QVERIFY(toets(onder, relatief).geslaagd());
        QVERIFY(toets(boven, vast).geslaagd());
        QVERIFY(!toets(onder, vast).geslaagd());
        // A sensor the board lacks: the step cannot run.
        const toetsen::BordUitslag leeg = toets("EKWINTELVLAK V1.5|1\r\n", relatief);
        QCOMPARE(leeg.stappen.size(), qsizetype(1));
        QCOMPARE(leeg.totaal(), 1);
    }

    void onleesbaarBordKrijgtHetHelePlan() {
        const toetsen::BordUitslag u =
            toets("EKWINTELVLAK V1.5|1\r\n10|10|0|1|1|x|1|1|\r\n",
                  QStringLiteral("herhaal 2\nverwacht LED 1 aan # brandt\neinde\n"
                                 "verwacht Pulsenteller 1 0\n"));
        QVERIFY(!u.leesbaar);
        QCOMPARE(u.uitslag(), QStringLiteral("onleesbaar"));
        QCOMPARE(regels(u),
                 QStringList({"not ok LED 1 aan: het bord is onleesbaar (ronde 1) -- brandt",
                              "not ok LED 1 aan: het bord is onleesbaar (ronde 2) -- brandt",
                              "not ok Pulsenteller 1 0: het bord is onleesbaar"}));
        // Not "what was read stays on the board": nothing is judged.
        QVERIFY2(!u.melding.contains(QStringLiteral("blijft op het bord")), qPrintable(u.melding));
        QVERIFY(u.melding.contains(QStringLiteral("\"x\" is geen geheel getal")));
    }

    void ontbrekendeZwenkelWordtGemeld() {
        // A plug-in library this computer lacks, and a kind nobody knows:
        // both named under the board.
        const toetsen::BordUitslag u = toets("EKWINTELVLAK V1.5|1\r\n"
                                             "10|10|1|1|0|\r\n"
                                             "10|100|weg.so|1|0||\r\n"
                                             "10|200|19|1|0|\r\n",
                                             QStringLiteral("verwacht LED 1 uit\n"));
        QVERIFY(u.geslaagd());
        QCOMPARE(u.opmerkingen,
                 QStringList({"regel 3: de zwenkel-bibliotheek \"weg.so\" ontbreekt op deze "
                              "computer; die module staat niet op het bord",
                              "regel 4: onbekende soort module 19; die regel is overgeslagen"}));
        const QString tap = toetsen::alsTap({}, {u});
        QVERIFY(tap.contains(QStringLiteral("    # melding van het bord: regel 3: de "
                                            "zwenkel-bibliotheek \"weg.so\"")));
    }

    void tapNamenEnCsv() {
        // "#" and "\\" escaped in descriptions; the CSV quotes what needs it.
        toetsen::BordUitslag u;
        u.bestand = QStringLiteral("cem # TODO\\a;b \"c\".brd");
        u.resultaten.push_back({false, 3, "LED 1 aan", "aan", "uit", true, "zie #2", ""});
        QVERIFY(toetsen::alsTap({}, {u}).contains(
            QStringLiteral("not ok 1 - cem \\# TODO\\\\a;b \"c\".brd (0/1)\n")));
        QVERIFY(toetsen::alsTap({}, {u}).contains(
            QStringLiteral("    not ok 1 - LED 1: verwacht aan, gezien uit -- zie \\#2\n")));
    }
    void meldingenBijHetLezen() {
        // More triples than outputs: the board is read (without those wires)
        // and the message is kept as a remark, not shown in a box.
        const toetsen::BordUitslag u = toets("EKWINTELVLAK V1.5|1\r\n10|10|1|1|1|1|1|1|\r\n",
                                             QStringLiteral("verwacht LED 1 uit\n"));
        QVERIFY(u.leesbaar);
        QVERIFY(u.geslaagd());
        QCOMPARE(u.opmerkingen,
                 QStringList{QStringLiteral(
                     "regel 2: Gegeven aantal uitgangen is groter dan verwachte aantal "
                     "uitgangen! (LED 1 heeft 0 uitgangen, de regel noemt er 1; de draden van "
                     "die regel zijn niet gelezen)")});
    }
};

QTEST_MAIN(TestToetsbestand)
#include "tst_toetsbestand.moc"
