// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The help window with a real compiled help file: the default topic, links
// between pages, pictures, going back and forward, and help files that are
// missing or damaged.
#include "app/helpvenster.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace kwinteltest;

namespace {

const QString kProef = QStringLiteral(KWINTEL_PROEF_CHM);

QByteArray leesProef() {
    QFile f(kProef);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Activates the n-th link of the page shown (from 1), as a reader does with
// the keyboard.
void volgLink(THelpTekst* tekst, int n) {
    tekst->setFocus();
    tekst->moveCursor(QTextCursor::Start);
    for (int i = 0; i < n; ++i)
        QTest::keyClick(tekst, Qt::Key_Tab);
    QTest::keyClick(tekst, Qt::Key_Return);
}

// How many pixels of the browser's view show pure green, the colour of the
// test picture.
int groenePixels(THelpTekst* tekst) {
    const QImage beeld = tekst->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < beeld.height(); ++y)
        for (int x = 0; x < beeld.width(); ++x)
            n += beeld.pixel(x, y) == qRgb(0, 255, 0);
    return n;
}

} // namespace

class TestHelpVenster : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initProces();
        QVERIFY2(QFile::exists(kProef), qPrintable(kProef));
    }

    void opentHetStandaardOnderwerpEnVolgtLinks() {
        QWidget eigenaar;
        THelpVenster* venster = toonHelp(&eigenaar, kProef);
        QVERIFY(venster);
        QVERIFY(QTest::qWaitForWindowExposed(venster));
        THelpTekst* tekst = venster->tekst;
        QCOMPARE(tekst->source(), QUrl(QStringLiteral("chm:/start.html")));
        QCOMPARE(venster->windowTitle(), QStringLiteral("Kwintelvlak Help - Eerste pagina"));
        QVERIFY(tekst->toPlainText().contains(QStringLiteral("Een ë en een é blijven heel.")));
        QVERIFY(!venster->acVorige->isEnabled());
        QCOMPARE(groenePixels(tekst), 0);

        // A relative link into a subfolder, and the picture beside that page.
        volgLink(tekst, 1);
        QCOMPARE(tekst->source(), QUrl(QStringLiteral("chm:/sub/twee.html")));
        QVERIFY(tekst->toPlainText().contains(QStringLiteral("Terug naar het begin")));
        QTRY_COMPARE(groenePixels(tekst), 40 * 30);

        // "../" leads back out of the subfolder.
        volgLink(tekst, 1);
        QCOMPARE(tekst->source(), QUrl(QStringLiteral("chm:/start.html")));

        venster->acVorige->trigger();
        QCOMPARE(tekst->source(), QUrl(QStringLiteral("chm:/sub/twee.html")));
        venster->acVorige->trigger();
        QCOMPARE(tekst->source(), QUrl(QStringLiteral("chm:/start.html")));
        QVERIFY(!venster->acVorige->isEnabled());
        QVERIFY(venster->acVolgende->isEnabled());
        venster->acVolgende->trigger();
        QCOMPARE(tekst->source(), QUrl(QStringLiteral("chm:/sub/twee.html")));
        venster->acInhoud->trigger();
        QCOMPARE(tekst->source(), QUrl(QStringLiteral("chm:/start.html")));
    }

    void hetVensterWordtHergebruikt() {
        QWidget eigenaar;
        THelpVenster* eerste = toonHelp(&eigenaar, kProef);
        QVERIFY(eerste);
        volgLink(eerste->tekst, 1);
        eerste->close();
        // Asked again, the same window comes back on the page last read.
        QCOMPARE(toonHelp(&eigenaar, kProef), eerste);
        QVERIFY(eerste->isVisible());
        QCOMPARE(eerste->tekst->source(), QUrl(QStringLiteral("chm:/sub/twee.html")));
        QCOMPARE(eigenaar.findChildren<THelpVenster*>().size(), 1);
    }

    void ontbrekendBestandGeeftDeFoutmelding() {
        QWidget eigenaar;
        std::optional<THelpVenster*> venster;
        const Bericht b = vangBericht(
            [&] { venster = toonHelp(&eigenaar, QStringLiteral("/bestaat/niet/kwintel.chm")); });
        QVERIFY(venster.has_value() && *venster == nullptr);
        QVERIFY(b.getoond);
        QCOMPARE(b.titel, QStringLiteral("Fout"));
        QCOMPARE(b.icoon, QMessageBox::Critical);
        QCOMPARE(b.eigenaar, &eigenaar);
        QCOMPARE(b.tekst, QStringLiteral("Het helpbestand kon niet gevonden worden. Zorg ervoor\n"
                                         "dat het bestand \"kwintel.chm\" aanwezig is in dezelfde "
                                         "map\nals het Kwintelvlak programma."));
    }

    void beschadigdBestand_data() {
        QTest::addColumn<QByteArray>("inhoud");
        const QByteArray goed = leesProef();
        QVERIFY(goed.size() > 1000);
        QTest::newRow("leeg") << QByteArray();
        QTest::newRow("tekst") << QByteArray("EKWINTELVLAK V1.5|1\r\n");
        QTest::newRow("alleen de kop") << goed.left(96);
        QTest::newRow("afgekapt") << goed.left(goed.size() / 2);
        QByteArray verknoeid = goed;
        for (qsizetype i = 0x60; i < verknoeid.size(); i += 7)
            verknoeid[i] = char(verknoeid[i] ^ 0x5a);
        QTest::newRow("verknoeid") << verknoeid;
        QTest::newRow("een map") << QByteArray("map");
    }

    void beschadigdBestand() {
        QFETCH(QByteArray, inhoud);
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("kwintel.chm"));
        if (inhoud == "map") {
            QVERIFY(QDir(map.path()).mkdir(QStringLiteral("kwintel.chm")));
        } else {
            QFile f(pad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(inhoud);
        }
        QWidget eigenaar;
        THelpVenster* venster = nullptr;
        const Bericht b = vangBericht([&] { venster = toonHelp(&eigenaar, pad); });
        QVERIFY(!venster);
        QVERIFY(b.getoond);
        QCOMPARE(b.titel, QStringLiteral("Fout"));
        QCOMPARE(b.icoon, QMessageBox::Critical);
        QVERIFY2(b.tekst.contains(QStringLiteral("beschadigd")) ||
                     b.tekst.contains(QStringLiteral("niet gevonden")),
                 qPrintable(b.tekst));
    }

    // The program's own help file, as the build made it: every link from the
    // start page leads to a page in the file, every picture decodes, and every
    // module kind has its page with its panel's picture.
    void hetHelpbestandIsHeel() {
        platform::HelpFout fout = platform::HelpFout::Geen;
        const auto help = platform::openHelpBestand(QStringLiteral(KWINTEL_HELP_CHM), &fout);
        QVERIFY(help);
        QCOMPARE(help->standaardOnderwerp(), QStringLiteral("/index.html"));
        const QRegularExpression verwijzing(QStringLiteral("(href|src)=\"([^\"#]+)"));
        QStringList teDoen{help->standaardOnderwerp()};
        QSet<QString> gezien{help->standaardOnderwerp()};
        QMap<QString, QSize> plaatjes;
        while (!teDoen.isEmpty()) {
            const QString pagina = teDoen.takeFirst();
            const std::optional<QByteArray> html = help->lees(pagina);
            QVERIFY2(html, qPrintable(pagina));
            for (const auto& m : verwijzing.globalMatch(QString::fromUtf8(*html))) {
                const QUrl doel = THelpTekst::adres(pagina).resolved(QUrl(m.captured(2)));
                if (doel.scheme() != QLatin1String("chm") || gezien.contains(doel.path()))
                    continue;
                gezien.insert(doel.path());
                const std::optional<QByteArray> inhoud = help->lees(doel.path());
                QVERIFY2(inhoud, qPrintable(pagina + QStringLiteral(" -> ") + doel.path()));
                if (doel.path().endsWith(QLatin1String(".html"))) {
                    teDoen << doel.path();
                } else if (doel.path().endsWith(QLatin1String(".png"))) {
                    QImage beeld;
                    QVERIFY2(beeld.loadFromData(*inhoud), qPrintable(doel.path()));
                    plaatjes.insert(doel.path(), beeld.size());
                }
            }
        }
        // The panels, cut from the program's own rendering of one-module boards.
        const QList<std::pair<const char*, QSize>> modules{
            {"drukschakelaar", {192, 64}}, {"led", {192, 64}},
            {"pulsgenerator", {192, 64}},  {"variabele-spanning", {192, 64}},
            {"ad-omzetter", {192, 64}},    {"comparator", {168, 128}},
            {"pulsenteller", {336, 128}},  {"of-poort", {168, 128}},
            {"en-poort", {168, 128}},      {"split", {168, 64}},
            {"geheugencel", {168, 128}},   {"invertor", {168, 128}},
            {"transistor", {168, 128}},    {"relais", {192, 128}},
            {"zoemer", {192, 128}},        {"geluidsensor", {192, 64}},
            {"sensor", {192, 96}}};
        for (const auto& [naam, maat] : modules) {
            QVERIFY2(gezien.contains(QStringLiteral("/modules/%1.html").arg(naam)), naam);
            QCOMPARE(plaatjes.value(QStringLiteral("/beelden/%1.png").arg(naam)), maat);
        }
        for (const char* pagina : {"/beginnen.html", "/bedrading.html", "/bestanden.html",
                                   "/docenten.html", "/zwenkel.html"})
            QVERIFY2(gezien.contains(QLatin1String(pagina)), pagina);
    }

    void ontbrekendePaginaEnVreemdeLinks() {
        auto bestand = std::make_unique<platform::GeheugenHelp>(QStringLiteral("/a.html"));
        bestand->zet(QStringLiteral("/a.html"),
                     "<html><body><a href=\"weg.html\">weg</a> <img src=\"kapot.png\"></body>"
                     "</html>");
        bestand->zet(QStringLiteral("/kapot.png"), "geen plaatje");
        THelpTekst tekst(std::move(bestand));
        tekst.resize(400, 300);
        tekst.show();
        tekst.toonStandaard();
        QVERIFY(tekst.toPlainText().startsWith(QStringLiteral("weg")));
        // A picture that does not decode is simply not shown.
        QVERIFY(
            !tekst
                 .loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chm:/kapot.png")))
                 .isValid());
        // Only the help file is read, never a file on the disk.
        QVERIFY(!tekst
                     .loadResource(QTextDocument::HtmlResource,
                                   QUrl::fromLocalFile(QStringLiteral(KWINTEL_PROEF_CHM)))
                     .isValid());
        volgLink(&tekst, 1);
        QCOMPARE(tekst.source(), QUrl(QStringLiteral("chm:/weg.html")));
        QVERIFY(tekst.toPlainText().contains(QStringLiteral("/weg.html")));
        QCOMPARE(tekst.documentTitle(), QStringLiteral("Pagina ontbreekt"));
    }
};

QTEST_MAIN(TestHelpVenster)
#include "tst_helpvenster.moc"
