// Check files read against the window's own menu captions, and checks run on
// real boards on the stepped clock: what each step does to a board and what
// each expectation reads from it.
#include "app/kwintelvlak.h"
#include "toetsen/toetsbestand.h"
#include "toetsen/toetsen.h"
#include "app/zondergebruiker.h"
#include "support/kwinteltest.h"

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
                                           "zet, geluid, muis, tik en verwacht";
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

    void ontbrekendeModulesZakken() {
        // A step on a module the board lacks fails as a result of its own;
        // the check goes on.
        const toetsen::BordUitslag u = toets("EKWINTELVLAK V1.5|1\r\n10|10|1|1|0|\r\n",
                                             QStringLiteral("druk Drukschakelaar 1\n"
                                                            "tik 1\n"
                                                            "verwacht LED 2 aan\n"
                                                            "verwacht LED 1 uit\n"
                                                            "verwacht Pulsenteller 1 0\n"));
        QCOMPARE(regels(u),
                 QStringList({"not ok druk Drukschakelaar 1: Drukschakelaar 1 staat "
                              "niet op het bord",
                              "not ok LED 2: verwacht aan, gezien geen LED 2", "ok LED 1 uit",
                              "not ok Pulsenteller 1: verwacht 0, gezien geen "
                              "Pulsenteller 1"}));
        QVERIFY(!u.geslaagd());
    }

    void meldingenBijHetLezen() {
        // More triples than outputs: the board is read (without those wires)
        // and the message is kept as a remark, not shown in a box.
        const toetsen::BordUitslag u = toets("EKWINTELVLAK V1.5|1\r\n10|10|1|1|1|1|1|1|\r\n",
                                             QStringLiteral("verwacht LED 1 uit\n"));
        QVERIFY(u.leesbaar);
        QVERIFY(u.geslaagd());
        QCOMPARE(u.opmerkingen, QStringList{QStringLiteral(
                                    "Gegeven aantal uitgangen is groter dan verwachte aantal "
                                    "uitgangen!")});
    }
};

QTEST_MAIN(TestToetsbestand)
#include "tst_toetsbestand.moc"
