// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The help as a reader meets it: searching pages by their words, the page
// of key words, the window's title, and the module pages' pictures checked
// against the program's own drawing of each page's board.
#include "app/afbeelding.h"
#include "app/helpvenster.h"
#include "app/kwintelvlak.h"
#include "app/zondergebruiker.h"
#include "support/kwinteltest.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

using namespace kwinteltest;

namespace {

std::unique_ptr<platform::HelpBestand> echteHelp() {
    return platform::openHelpBestand(QStringLiteral(KWINTEL_HELP_CHM));
}

QString lees(const platform::HelpBestand& help, const QString& pad) {
    return QString::fromUtf8(help.lees(pad).value_or(QByteArray()));
}

// A small help file in memory with its search data.
std::unique_ptr<platform::GeheugenHelp> kleineHelp() {
    auto help = std::make_unique<platform::GeheugenHelp>(QStringLiteral("/index.html"));
    const QList<std::array<const char*, 3>> paginas{
        {"index.html", "Kwintelvlak Help", "Welkom bij de help"},
        {"modules/geheugencel.html", "Geheugencel", "Onthoudt een puls tot reset"},
        {"modules/led.html", "LED", "Een lampje dat brandt bij hoog; onthoudt niets"},
        {"spanning.html", "Spanningen", "Hoog is 1,4 V of meer. Één tik duurt 10 ms."},
        {"lang.html",
         "Voor docenten: een heel lange titel die nooit in de smalle lijst met gevonden "
         "pagina's past",
         "zebrapad"}};
    QByteArray zoeken;
    for (const auto& [pad, titel, tekst] : paginas) {
        help->zet(QLatin1Char('/') + QLatin1String(pad),
                  QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
                      .arg(QString::fromUtf8(titel), QString::fromUtf8(tekst))
                      .toUtf8());
        zoeken += QByteArray(pad) + '\t' + titel + '\t' + tekst + '\n';
    }
    help->zet(QStringLiteral("/zoeken.txt"), zoeken);
    return help;
}

QStringList titels(const QListWidget* lijst) {
    QStringList uit;
    for (int i = 0; i < lijst->count(); ++i)
        uit << lijst->item(i)->text();
    return uit;
}

} // namespace

class TestHelpZoeken : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    // Searching the program's own help: every word must be in the page,
    // case and accents do not count, and a word may be part of a longer one.
    void zoektInDeEchteHelp_data() {
        QTest::addColumn<QString>("vraag");
        QTest::addColumn<QString>("eerste");
        QTest::newRow("twee delen van een woord") << "geheugen cel"
                                                  << "/modules/geheugencel.html";
        QTest::newRow("hoofdletters") << "TRANSISTOR"
                                      << "/modules/transistor.html";
        QTest::newRow("titel gaat voor") << "pulsenteller"
                                         << "/modules/pulsenteller.html";
        QTest::newRow("woord uit de tekst") << "110 ms"
                                            << "/modules/pulsgenerator.html";
        QTest::newRow("plug-in") << "plug-in contract"
                                 << "/zwenkel.html";
        // A key word ranks the sound sensor's page ("Geluid sensor") above
        // the teachers' page, whose text names it.
        QTest::newRow("trefwoord gaat voor tekst") << "Geluidsensor"
                                                   << "/modules/geluidsensor.html";
        QTest::newRow("trefwoord ongedaan") << "ctrl+z"
                                            << "/ongedaan.html";
        QTest::newRow("niets") << "zebrapad"
                               << "";
    }
    void zoektInDeEchteHelp() {
        QFETCH(QString, vraag);
        QFETCH(QString, eerste);
        const auto help = echteHelp();
        QVERIFY(help);
        THelpZoeker zoeker;
        QVERIFY(zoeker.laad(help->lees(QStringLiteral("/zoeken.txt")).value_or(QByteArray())));
        // Every page of the help is searchable, the key words' page too.
        QVERIFY(zoeker.aantalPaginas() >= 26);
        const QList<THelpZoeker::Treffer> treffers = zoeker.zoek(vraag);
        QCOMPARE(treffers.isEmpty() ? QString() : treffers.first().pad, eerste);
        for (const THelpZoeker::Treffer& t : treffers) {
            QVERIFY2(help->lees(t.pad), qPrintable(t.pad));
            QVERIFY(!t.titel.isEmpty());
        }
    }

    // "één" finds the pages where it stands as a word, not every page with
    // the article "een" or a word like "geen".
    void eenMetAccenten() {
        const auto help = echteHelp();
        QVERIFY(help);
        THelpZoeker zoeker;
        QVERIFY(zoeker.laad(help->lees(QStringLiteral("/zoeken.txt")).value_or(QByteArray())));
        const QList<THelpZoeker::Treffer> treffers = zoeker.zoek(QStringLiteral("één"));
        QVERIFY(treffers.size() >= 3);
        QVERIFY(treffers.size() < zoeker.aantalPaginas() / 2);
        const QRegularExpression woord(QStringLiteral("(^|\\W)één(\\W|$)"),
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::UseUnicodePropertiesOption);
        QStringList paden;
        for (const THelpZoeker::Treffer& t : treffers) {
            QTextDocument doc;
            doc.setHtml(lees(*help, t.pad));
            QVERIFY2(woord.match(doc.toPlainText()).hasMatch(), qPrintable(t.pad));
            paden << t.pad;
        }
        QVERIFY(paden.contains(QStringLiteral("/modules/geheugencel.html"))); // "Onthoudt één bit"
        QVERIFY(!paden.contains(QStringLiteral("/modules/led.html")));        // only "Een lampje"
        // Without accents the word is found with and without them.
        QVERIFY(zoeker.zoek(QStringLiteral("een")).size() > treffers.size());
    }

    void vouwenEnAlleWoorden() {
        THelpZoeker zoeker;
        QVERIFY(zoeker.laad("spanning.html\tSpanningen\tÉén tik duurt 10 ms\n"
                            "kapotte regel zonder tabs\n"
                            "led.html\tLED\tbrandt bij hoog\n"));
        QCOMPARE(zoeker.aantalPaginas(), 2);
        QCOMPARE(THelpZoeker::vouw(QStringLiteral("Één Ça")), QStringLiteral("een ca"));
        QCOMPARE(zoeker.zoek(QStringLiteral("een TIK")).size(), 1);
        QCOMPARE(zoeker.zoek(QStringLiteral("  ")).size(), 0);
        // All words, not any of them.
        QCOMPARE(zoeker.zoek(QStringLiteral("tik hoog")).size(), 0);
        QCOMPARE(zoeker.zoek(QStringLiteral("led")).value(0).pad, QStringLiteral("/led.html"));
        QVERIFY(!THelpZoeker().laad("geen gegevens"));

        // Title and key words before the text, whole words before parts.
        QVERIFY(zoeker.laad("a.html\tTikken\t\tniets\n"
                            "b.html\tB\t\tde tikken tellen\n"
                            "c.html\tC\t\téén tik\n"
                            "d.html\tD\tklok, tik\tandere tekst\n"));
        QCOMPARE(zoeker.aantalPaginas(), 4);
        QStringList volgorde;
        for (const auto& t : zoeker.zoek(QStringLiteral("tik")))
            volgorde << t.pad;
        QCOMPARE(volgorde, (QStringList{"/d.html", "/a.html", "/c.html", "/b.html"}));
    }

    // The search field lists the pages found by title; Return opens the
    // current one, the arrows move through the list, a click opens a page.
    void hetZoekveld() {
        QWidget eigenaar;
        THelpVenster venster(kleineHelp(), &eigenaar);
        venster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&venster));
        QVERIFY(venster.zoekVeld->isEnabled());
        QVERIFY(venster.trefferLijst->isHidden());
        // Ctrl+F puts the cursor in the field.
        venster.tekst->setFocus();
        QTest::keyClick(&venster, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(venster.zoekVeld->hasFocus());

        QTest::keyClicks(venster.zoekVeld, QStringLiteral("onthoudt"));
        QVERIFY(venster.trefferLijst->isVisible());
        QCOMPARE(titels(venster.trefferLijst), (QStringList{"Geheugencel", "LED"}));
        QTest::keyClick(venster.zoekVeld, Qt::Key_Down);
        QTest::keyClick(venster.zoekVeld, Qt::Key_Return);
        QCOMPARE(venster.tekst->source(), THelpTekst::adres(QStringLiteral("/modules/led.html")));
        QCOMPARE(venster.windowTitle(), QStringLiteral("Kwintelvlak Help - LED"));

        venster.zoekVeld->clear();
        QTest::keyClicks(venster.zoekVeld, QStringLiteral("een tik"));
        QCOMPARE(titels(venster.trefferLijst), QStringList{"Spanningen"});
        QListWidget* lijst = venster.trefferLijst;
        QTest::mouseClick(lijst->viewport(), Qt::LeftButton, {},
                          lijst->visualItemRect(lijst->item(0)).center());
        QCOMPARE(venster.tekst->source(), THelpTekst::adres(QStringLiteral("/spanning.html")));

        // A long title wraps within the list: no scrolling sideways.
        venster.zoekVeld->clear();
        QTest::keyClicks(venster.zoekVeld, QStringLiteral("zebrapad"));
        QCOMPARE(venster.trefferLijst->count(), 1);
        QTRY_VERIFY(lijst->visualItemRect(lijst->item(0)).height() >
                    2 * lijst->fontMetrics().height());
        QVERIFY(lijst->visualItemRect(lijst->item(0)).right() <= lijst->viewport()->width());
        QVERIFY(!lijst->horizontalScrollBar()->isVisible());

        venster.zoekVeld->clear();
        QTest::keyClicks(venster.zoekVeld, QStringLiteral("olifantenpad"));
        QCOMPARE(titels(venster.trefferLijst), QStringList{"Niets gevonden"});
        QTest::keyClick(venster.zoekVeld, Qt::Key_Return);
        QCOMPARE(venster.tekst->source(), THelpTekst::adres(QStringLiteral("/spanning.html")));
        QTest::keyClick(venster.zoekVeld, Qt::Key_Escape);
        QVERIFY(venster.zoekVeld->text().isEmpty());
        QVERIFY(venster.trefferLijst->isHidden());

        // The start page's title is the window's, once.
        venster.acInhoud->trigger();
        QCOMPARE(venster.windowTitle(), QStringLiteral("Kwintelvlak Help"));
    }

    void zonderZoekgegevensIsHetVeldUit() {
        QWidget eigenaar;
        auto help = std::make_unique<platform::GeheugenHelp>(QStringLiteral("/a.html"));
        help->zet(QStringLiteral("/a.html"), "<html><body>a</body></html>");
        THelpVenster venster(std::move(help), &eigenaar);
        QVERIFY(!venster.zoekVeld->isEnabled());
    }

    // The page of key words, made from the pages: the module names and the
    // words a pupil looks for, each leading to pages that exist.
    void trefwoorden() {
        const auto help = echteHelp();
        QVERIFY(help);
        QVERIFY(lees(*help, QStringLiteral("/index.html")).contains("href=\"trefwoorden.html\""));
        const QString pagina = lees(*help, QStringLiteral("/trefwoorden.html"));
        QVERIFY(!pagina.isEmpty());
        for (const char* woord :
             {"draad", "aansluiting", "hoog", "laag", "toets", "plug-in", "Drukschakelaar", "LED",
              "Geheugencel", "Transistor", "Pulsgenerator", "Relais", "Zoemer", "Split"})
            QVERIFY2(pagina.contains(QStringLiteral("<dt>%1</dt>").arg(QLatin1String(woord))),
                     woord);
        const QRegularExpression link(QStringLiteral("<dd><a href=\"([^\"]+)\">"));
        int links = 0;
        for (const auto& m : link.globalMatch(pagina)) {
            QVERIFY2(help->lees(QLatin1Char('/') + m.captured(1)), qPrintable(m.captured(1)));
            ++links;
        }
        QVERIFY(links >= 40);
    }

    // Every module page shows the program's own drawing of its board after
    // the board has settled, as a pupil sees the module.
    void modulePlaatjes_data() {
        QTest::addColumn<QString>("bord");
        const QDir borden(QStringLiteral(KWINTEL_HELP_BORDEN));
        const QStringList namen = borden.entryList({QStringLiteral("*.brd")}, QDir::Files);
        QVERIFY(namen.size() >= 17);
        for (const QString& naam : namen)
            QTest::newRow(qPrintable(naam)) << borden.filePath(naam);
    }
    void modulePlaatjes() {
        QFETCH(QString, bord);
        const QString naam = QFileInfo(bord).completeBaseName();
        const auto help = echteHelp();
        QVERIFY(help);
        const QString pagina = lees(*help, QStringLiteral("/modules/%1.html").arg(naam));
        QVERIFY2(pagina.contains(QStringLiteral("src=\"../beelden/%1.png\"").arg(naam)),
                 qPrintable(naam));
        QImage inHelp;
        QVERIFY(inHelp.loadFromData(
            help->lees(QStringLiteral("/beelden/%1.png").arg(naam)).value_or(QByteArray())));

        ZonderGebruiker omgeving;
        TfKwintelvlak form;
        omgeving.neemMeldingen();
        form.openen(bord);
        QVERIFY(omgeving.neemMeldingen().empty());
        omgeving.tik(KWINTEL_HELP_TIKKEN);
        const QImage gezet = afbeelding::bordAfbeelding(form, true);
        QCOMPARE(inHelp.convertToFormat(QImage::Format_RGB32),
                 gezet.convertToFormat(QImage::Format_RGB32));
        // Settled: another tick changes nothing a picture shows.
        omgeving.tik(1);
        QCOMPARE(afbeelding::bordAfbeelding(form, true).convertToFormat(QImage::Format_RGB32),
                 gezet.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestHelpZoeken)
#include "tst_helpzoeken.moc"
