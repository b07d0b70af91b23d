// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Grading a class with the real program, as a teacher does: boards in two
// numberings, the TAP read by prove, the grade sheet read back as a
// spreadsheet reads it, and the class report opened in a real browser.
#include "platform/bibliotheek.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kData = QStringLiteral(KWINTEL_TESTDATA "/");
const QString kVoorbeeld = QStringLiteral(KWINTEL_VOORBEELDEN "/drukknop_en_teller/");

struct Uitkomst {
    int status = -1;
    QString uit;
    QString fout;
};

Uitkomst start(const QString& programma, const QStringList& argumenten,
               const QString& map = QString(), int wacht = 60000) {
    QProcess p;
    QProcessEnvironment omgeving = QProcessEnvironment::systemEnvironment();
    omgeving.remove(QStringLiteral("DISPLAY"));
    omgeving.remove(QStringLiteral("WAYLAND_DISPLAY"));
    omgeving.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(omgeving);
    if (!map.isEmpty())
        p.setWorkingDirectory(map);
    p.start(programma, argumenten);
    if (!p.waitForFinished(wacht))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

Uitkomst kwintelvlak(const QStringList& argumenten, const QString& map = QString()) {
    return start(QStringLiteral(KWINTEL_PROGRAMMA), argumenten, map);
}

bool kopieer(const QString& van, const QString& naar) {
    QFile::remove(naar);
    return QFile::copy(van, naar);
}

// Cells of a text in RFC 4180 form with ";" between cells.
QList<QStringList> leesCsv(const QString& tekst) {
    QList<QStringList> rijen;
    QStringList rij;
    QString cel;
    bool aanhaling = false;
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        const QChar c = tekst[i];
        if (aanhaling) {
            if (c == u'"' && i + 1 < tekst.size() && tekst[i + 1] == u'"') {
                cel += c;
                ++i;
            } else if (c == u'"') {
                aanhaling = false;
            } else {
                cel += c;
            }
        } else if (c == u'"') {
            aanhaling = true;
        } else if (c == u';') {
            rij << cel;
            cel.clear();
        } else if (c == u'\r' && i + 1 < tekst.size() && tekst[i + 1] == u'\n') {
            rij << cel;
            cel.clear();
            rijen << rij;
            rij.clear();
            ++i;
        } else {
            cel += c;
        }
    }
    return rijen;
}

} // namespace

class TestNakijken : public QObject {
    Q_OBJECT

    QTemporaryDir m_map;
    // A class: two numberings of the right circuit, a wrong one, an empty
    // board, one with a missing plug-in, a name with "#" and one with ";"
    // and quotes, and a board that does not exist.
    QStringList m_borden;
    // The name with ";" and quotes: double quotes where the file system
    // allows them in a name, single ones where it does not (Windows).
    QString m_eva = QStringLiteral("eva;\"2\".brd");

private slots:
    void initTestCase() {
        QVERIFY(m_map.isValid());
        const QString d = m_map.path() + QLatin1Char('/');
        QVERIFY(kopieer(kData + "knoppen_a.brd", d + "anna.brd"));
        QVERIFY(kopieer(kData + "knoppen_b.brd", d + "bram.brd"));
        QVERIFY(kopieer(kData + "knoppen_fout.brd", d + "cem # TODO.brd"));
        QVERIFY(kopieer(kData + "leeg.brd", d + "dewi.brd"));
        if (!kopieer(kData + "zwenkel_weg.brd", d + m_eva)) {
            m_eva = QStringLiteral("eva;'2'.brd");
            QVERIFY(kopieer(kData + "zwenkel_weg.brd", d + m_eva));
        }
        m_borden =
            QStringList{"anna.brd", "bram.brd", "cem # TODO.brd", "dewi.brd", m_eva, "weg.brd"};
    }

    void tapVoorProve() {
        const Uitkomst u = kwintelvlak(
            QStringList{QStringLiteral("--toets"), kData + "knoppen.txt"} + m_borden, m_map.path());
        QCOMPARE(u.status, 1);
        QCOMPARE(u.fout, QString());
        QVERIFY(u.uit.startsWith(QStringLiteral("TAP version 13\n")));
        // Both numberings pass; the second says how its modules were read.
        QVERIFY(u.uit.contains(QStringLiteral("\nok 1 - anna.brd (8/8)\n")));
        QVERIFY(u.uit.contains(QStringLiteral("\nok 2 - bram.brd (8/8)\n")));
        QVERIFY(u.uit.contains(QRegularExpression(
            QStringLiteral("# (LED|Drukschakelaar) 1 = (LED|Drukschakelaar) 2 op het bord\n"))));
        QVERIFY(u.uit.contains(QStringLiteral("\nnot ok 3 - cem \\# TODO.brd (6/8)\n")));
        // The empty board: its full plan, the missing key said once.
        QVERIFY(u.uit.contains(QStringLiteral("    # regel 4: druk Drukschakelaar 1 kan niet: "
                                              "Drukschakelaar 1 ontbreekt op het bord\n")));
        QCOMPARE(u.uit.count(QStringLiteral("# regel 4: druk Drukschakelaar 1 kan niet")), 1);
        QVERIFY(u.uit.contains(QStringLiteral("\nnot ok 4 - dewi.brd (0/8)\n")));
        QVERIFY(u.uit.contains(QStringLiteral("    # melding van het bord: regel 4: de "
                                              "zwenkel-bibliotheek \"weg.so\" ontbreekt")));
        QVERIFY(u.uit.contains(QStringLiteral("\nnot ok 6 - weg.brd (onleesbaar)\n")));
        // Every board has the same plan.
        QCOMPARE(u.uit.count(QStringLiteral("\n    1..8\n")), 6);
        QVERIFY(u.uit.endsWith(QStringLiteral("1..6\n# 2 van 6 borden geslaagd, 3 gezakt, 1 "
                                              "onleesbaar\n")));

        // A stored result, read by Perl's own TAP harness.
        if (QStringLiteral(KWINTEL_PROVE).isEmpty())
            QSKIP("prove is not installed");
        const QString tap = m_map.filePath(QStringLiteral("uitslag.tap"));
        QFile f(tap);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(u.uit.toUtf8());
        f.close();
        const Uitkomst prove =
            start(QStringLiteral(KWINTEL_PROVE),
                  {QStringLiteral("--exec"), QStringLiteral("cat"), QStringLiteral("uitslag.tap")},
                  m_map.path());
        QVERIFY2(prove.status == 1, qPrintable(prove.uit + prove.fout));
        QVERIFY2(prove.uit.contains(QStringLiteral("Failed 4/6 subtests")), qPrintable(prove.uit));
        QVERIFY2(prove.uit.contains(QStringLiteral("Failed tests:  3-6")), qPrintable(prove.uit));
        QVERIFY(!prove.fout.contains(QStringLiteral("version")));
    }

    void json() {
        const Uitkomst u =
            kwintelvlak({QStringLiteral("--toets"), kData + "knoppen.txt", QStringLiteral("--json"),
                         QStringLiteral("bram.brd"), m_eva},
                        m_map.path());
        QCOMPARE(u.status, 1);
        const QJsonArray borden = QJsonDocument::fromJson(u.uit.toUtf8())["borden"].toArray();
        QCOMPARE(borden.size(), 2);
        const QJsonObject bram = borden[0].toObject();
        QCOMPARE(bram["behaald"].toInt(), 8);
        QCOMPARE(bram["totaal"].toInt(), 8);
        QCOMPARE(bram["eigenNummering"].toBool(), false);
        QCOMPARE(bram["toewijzing"].toArray().size(), 2);
        const QJsonObject r = bram["resultaten"].toArray()[0].toObject();
        QCOMPARE(r["regel"].toInt(), 6);
        QCOMPARE(r["commentaar"].toString(), QStringLiteral("bovenste knop: bovenste LED"));
        QCOMPARE(r["ronde"].toString(), QStringLiteral("1"));
        QCOMPARE(r["verwacht"].toString(), QStringLiteral("aan"));
        QCOMPARE(r["gezien"].toString(), QStringLiteral("aan"));
        const QJsonArray meldingen = borden[1]["meldingen"].toArray();
        QCOMPARE(meldingen.size(), 1);
        QVERIFY(meldingen[0].toString().contains(QStringLiteral("\"weg.so\"")));
    }

    void cijferblad() {
        const Uitkomst u =
            kwintelvlak(QStringList{QStringLiteral("--toets"), kData + "knoppen.txt",
                                    QStringLiteral("--csv"), QStringLiteral("blad.csv")} +
                            m_borden,
                        m_map.path());
        QCOMPARE(u.status, 1);
        QFile f(m_map.filePath(QStringLiteral("blad.csv")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rijen = leesCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(rijen.size(), 7);
        QCOMPARE(rijen[0].size(), 5 + 8);
        QCOMPARE(rijen[0].mid(0, 5),
                 QStringList({"bord", "geslaagd", "totaal", "uitslag", "alleen eigen nummering"}));
        QCOMPARE(rijen[0][5],
                 QStringLiteral("r6 LED 1 aan (ronde 1): bovenste knop: bovenste LED"));
        QCOMPARE(rijen[0][12],
                 QStringLiteral("r12 LED 2 aan (ronde 2): onderste knop; \"onderste\" LED"));
        QCOMPARE(rijen[1], QStringList({"anna.brd", "8", "8", "geslaagd", "nee", "1", "1", "1", "1",
                                        "1", "1", "1", "1"}));
        QCOMPARE(rijen[3].mid(0, 4), QStringList({"cem # TODO.brd", "6", "8", "gezakt"}));
        QCOMPARE(rijen[5].mid(0, 4), QStringList({m_eva, "4", "8", "gezakt"}));
        QCOMPARE(rijen[6].mid(0, 4), QStringList({"weg.brd", "0", "8", "onleesbaar"}));
        for (const QStringList& rij : rijen)
            QCOMPARE(rij.size(), 13);
    }

    void verslagInDeBrowser() {
        if (QStringLiteral(KWINTEL_CHROMIUM).isEmpty())
            QSKIP("chromium is not installed");
        const QString map = m_map.filePath(QStringLiteral("verslag"));
        const Uitkomst u =
            kwintelvlak(QStringList{QStringLiteral("--toets"), kData + "knoppen.txt",
                                    QStringLiteral("--verslag"), QStringLiteral("verslag")} +
                            m_borden,
                        m_map.path());
        QCOMPARE(u.status, 1);
        QCOMPARE(u.fout, QString());
        // Written whole: the page, a picture per readable board, no work left.
        QStringList bestanden =
            QDir(map).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(bestanden.size(), 1 + 5);
        QVERIFY(bestanden.contains(QStringLiteral("index.html")));
        for (const QString& b : std::as_const(bestanden))
            QVERIFY2(!b.startsWith(QLatin1Char('.')), qPrintable(b));

        // The page as a browser shows it. A copy with a script of the test's
        // own tells whether each picture loaded; the page itself has none.
        QFile pagina(map + "/index.html");
        QVERIFY(pagina.open(QIODevice::ReadOnly));
        QString html = QString::fromUtf8(pagina.readAll());
        QVERIFY(!html.contains(QStringLiteral("<script")));
        html.replace(QStringLiteral("</body>"),
                     QStringLiteral("<script>window.addEventListener('load', function () {"
                                    "var t = [];"
                                    "for (const i of document.images)"
                                    " t.push((i.complete && i.naturalWidth > 0 ? 'geladen ' : "
                                    "'kapot ') + i.getAttribute('src'));"
                                    "var p = document.createElement('pre'); p.id = 'beeldtest';"
                                    "p.textContent = t.join('\\n'); document.body.appendChild(p);"
                                    "});</script></body>"));
        QFile proef(map + "/proef.html");
        QVERIFY(proef.open(QIODevice::WriteOnly));
        proef.write(html.toUtf8());
        proef.close();

        const QStringList vast{QStringLiteral("--headless"),
                               QStringLiteral("--no-sandbox"),
                               QStringLiteral("--disable-gpu"),
                               QStringLiteral("--disable-quic"),
                               QStringLiteral("--no-first-run"),
                               QStringLiteral("--disable-background-networking"),
                               QStringLiteral("--disable-component-update"),
                               QStringLiteral("--disable-sync"),
                               QStringLiteral("--virtual-time-budget=5000")};
        QTemporaryDir profiel;
        const Uitkomst dom =
            start(QStringLiteral(KWINTEL_CHROMIUM),
                  vast + QStringList{QStringLiteral("--user-data-dir=") + profiel.path(),
                                     QStringLiteral("--dump-dom"),
                                     QUrl::fromLocalFile(map + "/proef.html").toString()},
                  QString(), 120000);
        QCOMPARE(dom.status, 0);
        const QRegularExpression beeldtest(QStringLiteral("<pre id=\"beeldtest\">([^<]*)</pre>"));
        const QRegularExpressionMatch m = beeldtest.match(dom.uit);
        QVERIFY2(m.hasMatch(), qPrintable(dom.uit.left(2000)));
        const QStringList beelden = m.captured(1).split(QLatin1Char('\n'));
        QCOMPARE(beelden.size(), 5);
        for (const QString& b : beelden)
            QVERIFY2(b.startsWith(QStringLiteral("geladen bord-")), qPrintable(b));
        // Every board named, with its score; the summary at the top.
        for (const QString& bord : {QStringLiteral("anna.brd"), QStringLiteral("bram.brd"),
                                    QStringLiteral("cem # TODO.brd"), QStringLiteral("dewi.brd"),
                                    m_eva, QStringLiteral("weg.brd")})
            QVERIFY2(dom.uit.contains(QStringLiteral("<h3>") + bord + QStringLiteral("</h3>")),
                     qPrintable(bord));
        QVERIFY(
            dom.uit.contains(QStringLiteral("2 van 6 borden geslaagd, 3 gezakt, 1 onleesbaar")));
        QVERIFY(dom.uit.contains(QStringLiteral("r12 LED 2 aan (ronde 2): onderste knop; "
                                                "\"onderste\" LED</td><td class=\"getal\">2 van "
                                                "6</td>")));

        // The page itself, shown: not blank, the pictures' colours in it.
        const QString schermbeeld = m_map.filePath(QStringLiteral("scherm.png"));
        const Uitkomst foto =
            start(QStringLiteral(KWINTEL_CHROMIUM),
                  vast + QStringList{QStringLiteral("--user-data-dir=") + profiel.path(),
                                     QStringLiteral("--window-size=1280,2000"),
                                     QStringLiteral("--screenshot=") + schermbeeld,
                                     QUrl::fromLocalFile(map + "/index.html").toString()},
                  QString(), 120000);
        QCOMPARE(foto.status, 0);
        const QImage beeld(schermbeeld);
        QCOMPARE(beeld.size(), QSize(1280, 2000));
        QSet<QRgb> kleuren;
        for (int y = 0; y < beeld.height(); y += 4)
            for (int x = 0; x < beeld.width(); x += 4)
                kleuren.insert(beeld.pixel(x, y));
        QVERIFY2(kleuren.size() > 20, qPrintable(QString::number(kleuren.size())));
        // The first board's picture: a lit LED's red.
        QVERIFY(kleuren.contains(qRgb(255, 0, 0)));
    }

    void verslagNietInEenBestand() {
        // A file where the folder should be: said at once, nothing checked.
        QFile f(m_map.filePath(QStringLiteral("bezet")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const Uitkomst u = kwintelvlak({QStringLiteral("--toets"), kData + "knoppen.txt",
                                        QStringLiteral("--verslag"), QStringLiteral("bezet"),
                                        QStringLiteral("anna.brd")},
                                       m_map.path());
        QCOMPARE(u.status, 2);
        QCOMPARE(u.uit, QString());
        QVERIFY(u.fout.contains(QStringLiteral("het verslag hoort in een map")));
        const Uitkomst blad =
            kwintelvlak({QStringLiteral("--toets"), kData + "knoppen.txt", QStringLiteral("--csv"),
                         QStringLiteral("weg/blad.csv"), QStringLiteral("anna.brd")},
                        m_map.path());
        QCOMPARE(blad.status, 2);
        QVERIFY(blad.fout.contains(QStringLiteral("bestaat niet")));
    }

    void onderdelenEnCijferInHetBlad() {
        // Three circuits, each a section, the counter's weighing twice, and a
        // grade from 1 to 10; boards that lack one module each get credit for
        // the circuits that work, read back from the sheet as a spreadsheet
        // reads it.
        const QString blad = m_map.filePath(QStringLiteral("drie.csv"));
        const Uitkomst u =
            kwintelvlak({QStringLiteral("--toets"), QStringLiteral("opdracht.txt"),
                         QStringLiteral("--csv"), blad, QStringLiteral("leerling_compleet.brd"),
                         QStringLiteral("leerling_zonder_knop.brd"),
                         QStringLiteral("leerling_zonder_teller_led.brd")},
                        QStringLiteral(KWINTEL_VOORBEELDEN "/drie_schakelingen"));
        QCOMPARE(u.status, 1);
        QCOMPARE(u.fout, QString());
        QFile f(blad);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QStringList> rijen = leesCsv(QString::fromUtf8(f.readAll().mid(3)));
        QCOMPARE(rijen.size(), 4);
        QCOMPARE(rijen[0].mid(0, 9),
                 QStringList({"bord", "geslaagd", "totaal", "uitslag", "cijfer",
                              "onderdeel Knop en invertor (van 6)",
                              "onderdeel Teller (van 6, gewicht 2)", "onderdeel Sensor (van 6)",
                              "alleen eigen nummering"}));
        QCOMPARE(rijen[0].size(), 9 + 18);
        QCOMPARE(rijen[1].mid(0, 9), QStringList({"leerling_compleet.brd", "18", "18", "geslaagd",
                                                  "10,0", "6", "6", "6", "nee"}));
        // Without the key its LED stays lit: half the key's section.
        QCOMPARE(rijen[2].mid(0, 9), QStringList({"leerling_zonder_knop.brd", "15", "18", "gezakt",
                                                  "8,9", "3", "6", "6", "nee"}));
        // (1 x 6/6 + 2 x 3/6 + 1 x 6/6) / 4 = 0,75: 1 + 9 x 0,75 = 7,75.
        QCOMPARE(rijen[3].mid(0, 9), QStringList({"leerling_zonder_teller_led.brd", "15", "18",
                                                  "gezakt", "7,8", "6", "3", "6", "nee"}));
        // The same in TAP, as diagnostics under each board.
        QVERIFY(
            u.uit.contains(QStringLiteral("    # onderdeel Teller: 3/6 (gewicht 2)\n"
                                          "    # onderdeel Sensor: 6/6\n"
                                          "    # cijfer 7,8\n"
                                          "not ok 3 - leerling_zonder_teller_led.brd (15/18)\n")));
    }

    void tapZodraEenBordKlaarIs() {
        // The last board is a pipe that gets its text only once the first
        // board's block has been read: the block comes while the program
        // still runs, before the last board is graded.
        const QString pijp = m_map.filePath(QStringLiteral("later.brd"));
        QFile::remove(pijp);
        if (QProcess::execute(QStringLiteral("mkfifo"), {pijp}) != 0)
            QSKIP("mkfifo is not available");
        QProcess p;
        QProcessEnvironment omgeving = QProcessEnvironment::systemEnvironment();
        omgeving.remove(QStringLiteral("DISPLAY"));
        omgeving.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(omgeving);
        p.setWorkingDirectory(m_map.path());
        p.start(QStringLiteral(KWINTEL_PROGRAMMA),
                {QStringLiteral("--toets"), kData + "knoppen.txt", QStringLiteral("anna.brd"),
                 QStringLiteral("later.brd")});
        QByteArray gelezen;
        while (!gelezen.contains("\nok 1 - anna.brd (8/8)\n") && p.waitForReadyRead(60000))
            gelezen += p.readAllStandardOutput();
        QVERIFY2(gelezen.contains("\nok 1 - anna.brd (8/8)\n"), gelezen.constData());
        QCOMPARE(p.state(), QProcess::Running);
        QVERIFY(!gelezen.contains("later.brd"));
        QFile bord(pijp);
        QVERIFY(bord.open(QIODevice::WriteOnly));
        QFile b(kData + "knoppen_b.brd");
        QVERIFY(b.open(QIODevice::ReadOnly));
        bord.write(b.readAll());
        bord.close();
        QVERIFY(p.waitForFinished(60000));
        gelezen += p.readAllStandardOutput();
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(gelezen.endsWith("ok 2 - later.brd (8/8)\n1..2\n# 2 van 2 borden geslaagd, 0 "
                                  "gezakt, 0 onleesbaar\n"),
                 gelezen.constData());
    }

    void langeToetsBlijftBinnenDeTijdslimiet() {
        // An hour of simulated time on a board with seven LEDs and two keys,
        // neither wired, so no numbering passes. The LEDs are only looked at
        // and cost nothing to renumber; the keys' two numberings together
        // would take two hours, more than the limit. The board is graded on
        // what ran, and says so.
        QTemporaryDir map;
        QByteArray bord = "EKWINTELVLAK V1.5|1\r\n20|20|0|1|1|-1|1|1|\r\n20|150|0|2|1|-1|1|1|\r\n";
        QByteArray toets = "druk Drukschakelaar 1\n";
        for (int i = 1; i <= 7; ++i)
            bord += "200|" + QByteArray::number(20 + 90 * i) + "|1|" + QByteArray::number(i) +
                    "|0|\r\n";
        for (int i = 1; i <= 6; ++i)
            toets += "tik 60000\nverwacht LED " + QByteArray::number(i) + " uit\n";
        toets += "verwacht LED 7 aan\n";
        for (const auto& [naam, tekst] : {std::pair{"zeven.brd", bord}, {"lang.txt", toets}}) {
            QFile f(map.filePath(QString::fromLatin1(naam)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(tekst);
        }
        const Uitkomst u = kwintelvlak(
            {QStringLiteral("--toets"), QStringLiteral("lang.txt"), QStringLiteral("zeven.brd")},
            map.path());
        QCOMPARE(u.status, 1);
        QVERIFY2(u.uit.contains(QStringLiteral("    # de tijdslimiet van 3600 s gesimuleerde tijd "
                                               "is bereikt na 1 van 2 nummeringen; het bord is "
                                               "nagekeken op wat er gelopen heeft\n")),
                 qPrintable(u.uit));
        QVERIFY(u.uit.contains(QStringLiteral("\nnot ok 1 - zeven.brd (6/7)\n")));
        // A smaller limit cuts the board's own run short: what was not
        // reached is not met.
        const Uitkomst kort = kwintelvlak({QStringLiteral("--toets"), QStringLiteral("lang.txt"),
                                           QStringLiteral("--tijdslimiet"), QStringLiteral("1500"),
                                           QStringLiteral("zeven.brd")},
                                          map.path());
        QCOMPARE(kort.status, 1);
        QVERIFY(kort.uit.contains(QStringLiteral("    ok 2 - LED 2 uit\n"
                                                 "    not ok 3 - LED 3 uit: niet bereikt: de "
                                                 "tijdslimiet was op\n")));
        QVERIFY(kort.uit.contains(QStringLiteral("\nnot ok 1 - zeven.brd (2/7)\n")));
    }

    void verslagVervangtDeHeleMap() {
        // A report written again holds only the new run's pictures; a folder
        // that holds anything else is refused before any board is checked.
        const QString map = m_map.filePath(QStringLiteral("klas"));
        const QStringList toets{QStringLiteral("--toets"), kData + "knoppen.txt",
                                QStringLiteral("--verslag"), QStringLiteral("klas")};
        QCOMPARE(kwintelvlak(toets + QStringList{"anna.brd", "bram.brd", "dewi.brd"}, m_map.path())
                     .status,
                 1);
        QCOMPARE(QDir(map).entryList(QDir::Files).size(), 4);
        const Uitkomst weer = kwintelvlak(toets + QStringList{"bram.brd"}, m_map.path());
        QCOMPARE(weer.status, 0);
        QCOMPARE(QDir(map).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"bord-01-bram.png", "index.html"}));
        // Nothing left beside it.
        QCOMPARE(QDir(m_map.path())
                     .entryList({QStringLiteral(".klas*")}, QDir::AllEntries | QDir::Hidden),
                 QStringList());
        QFile eigen(map + QStringLiteral("/aantekeningen.txt"));
        QVERIFY(eigen.open(QIODevice::WriteOnly));
        eigen.close();
        const Uitkomst geweigerd = kwintelvlak(toets + QStringList{"anna.brd"}, m_map.path());
        QCOMPARE(geweigerd.status, 2);
        QCOMPARE(geweigerd.uit, QString());
        QVERIFY2(geweigerd.fout.contains(QStringLiteral("(zoals \"aantekeningen.txt\")")),
                 qPrintable(geweigerd.fout));
        QCOMPARE(QDir(map).entryList(QDir::Files),
                 QStringList({"aantekeningen.txt", "bord-01-bram.png", "index.html"}));
    }

    void stapDieNietKanRaaktAlleenWatErachterZit() {
        // The example plug-in has no key: pressing it cannot run, so the LED
        // it feeds cannot be judged; the other LED can.
        QTemporaryDir map;
        QFile bord(map.filePath(QStringLiteral("xof.brd")));
        QVERIFY(bord.open(QIODevice::WriteOnly));
        bord.write("EKWINTELVLAK V1.5|1\r\n10|10|xof" +
                   platform::bibliotheekAchtervoegsel().toUtf8() +
                   "|1|1|1|1|1||\r\n10|200|1|1|0|\r\n100|200|1|2|0|\r\n");
        bord.close();
        QFile t(map.filePath(QStringLiteral("t.txt")));
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("druk xof 1\ntik 1\nverwacht LED 1 uit\nverwacht LED 2 uit\n");
        t.close();
        const Uitkomst u = kwintelvlak(
            {QStringLiteral("--toets"), QStringLiteral("t.txt"), QStringLiteral("xof.brd")},
            map.path());
        QCOMPARE(u.status, 1);
        QVERIFY2(u.uit.contains(QStringLiteral(
                     "    # regel 1: druk \"OF-poort, exclusief (XOF)\" 1 kan niet: OF-poort, "
                     "exclusief (XOF) heeft geen knop\n"
                     "    not ok 1 - LED 1 uit: hangt af van regel 1 (druk \"OF-poort, "
                     "exclusief (XOF)\" 1), die niet kon worden uitgevoerd\n"
                     "    ok 2 - LED 2 uit\n")),
                 qPrintable(u.uit));
    }

    void zwenkelBijDeBibliotheeknaam() {
        // "xof" and "xof.so" ("xof.dll") name the example plug-in as its
        // caption does.
        QTemporaryDir map;
        QFile t(map.filePath(QStringLiteral("t.txt")));
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("verwacht xof 1 uitgang 1 0\nverwacht XOF" +
                platform::bibliotheekAchtervoegsel().toUpper().toUtf8() + " 2 uitgang 1 0\n");
        t.close();
        const Uitkomst u =
            kwintelvlak({QStringLiteral("--toets"), t.fileName(), kData + "leeg.brd"});
        QCOMPARE(u.status, 1);
        QVERIFY2(
            u.uit.contains(QStringLiteral("OF-poort, exclusief (XOF) 2 ontbreekt op het bord")),
            qPrintable(u.uit + u.fout));
    }
};

QTEST_MAIN(TestNakijken)
#include "tst_nakijken.moc"
