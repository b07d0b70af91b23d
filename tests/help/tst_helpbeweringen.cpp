// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
//
// The help held to the program. Every sentence of a module page that states
// a voltage, a frequency, a time, a colour, high or low, or a menu item is
// quoted in that page's check file (tests/help/PAGE.txt, "# help: ..."),
// which ctest runs with "kwintelvlak --toets" on PAGE.brd; a sentence the
// check file cannot reach names the test that checks it ("# elders: FILE
// FUNCTION"). Every menu path the pages name ("Opties > Teller laten
// doorlopen t/m F") is an item of the real menu bar.
#include "app/kwintelvlak.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace kwinteltest;

namespace {

const QString kHelp = QStringLiteral(KWINTEL_BRON "/help");
const QString kToetsen = QStringLiteral(KWINTEL_BRON "/tests/help");

QString leesTekst(const QString& pad) {
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The page's paragraphs, list items and headings as plain text, each on its
// own, without the breadcrumb.
QStringList blokken(const QString& html) {
    QString zonderKruimel = html;
    zonderKruimel.remove(QRegularExpression(QStringLiteral("<p class=\"kruimel\">.*?</p>")));
    QTextDocument doc;
    doc.setHtml(zonderKruimel);
    QStringList uit;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (const QString t = b.text().simplified(); !t.isEmpty())
            uit << t;
    return uit;
}

QStringList zinnen(const QString& html) {
    static const QRegularExpression grens(QStringLiteral("(?<=[.;:!?])\\s+(?=[A-Z])"));
    QStringList uit;
    for (const QString& blok : blokken(html))
        uit << blok.split(grens, Qt::SkipEmptyParts);
    return uit;
}

// A sentence that says something the program decides: a level with its
// unit, a time, a frequency, a colour, high or low, a menu item.
bool isBewering(const QString& zin) {
    static const QRegularExpression bewering(
        QStringLiteral("\\d+(,\\d+)?\\s?(V|Hz|hertz|ms|milliseconden)\\b|\\b(olijfgroen|geel|"
                       "grijs|wit|donkerblauw|blauw|zwart|rood|donker|menu-item|hoog|laag)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return bewering.match(zin).hasMatch();
}

// A caption as the menu shows it: without the access key's "&".
QString opschrift(QString t) {
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove(QLatin1Char('&'));
    t.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return t;
}

} // namespace

class TestHelpBeweringen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void elkeBeweringWordtGetoetst_data() {
        QTest::addColumn<QString>("pagina");
        const QStringList paginas =
            QDir(kHelp + QStringLiteral("/modules")).entryList({QStringLiteral("*.html")});
        QVERIFY(paginas.size() >= 18);
        for (const QString& p : paginas)
            QTest::newRow(qPrintable(p)) << p;
    }
    void elkeBeweringWordtGetoetst() {
        QFETCH(QString, pagina);
        const QString naam = pagina.chopped(5);
        const QString html = leesTekst(kHelp + QStringLiteral("/modules/") + pagina);
        QVERIFY(!html.isEmpty());
        const QString toets =
            leesTekst(kToetsen + QLatin1Char('/') + naam + QStringLiteral(".txt"));
        QVERIFY2(!toets.isEmpty(), qPrintable("tests/help/" + naam + ".txt ontbreekt"));
        QVERIFY(QFile::exists(kToetsen + QLatin1Char('/') + naam + QStringLiteral(".brd")));

        QStringList geciteerd;
        int verwachtingen = 0;
        for (const QString& regel : toets.split(QLatin1Char('\n'))) {
            const QString r = regel.trimmed();
            if (r.startsWith(QLatin1String("# help: ")))
                geciteerd << r.mid(8).simplified();
            else if (r.startsWith(QLatin1String("verwacht ")))
                ++verwachtingen;
            else if (r.startsWith(QLatin1String("# elders: "))) {
                // The test named there exists and holds the function named.
                const QStringList delen = r.mid(10).split(QLatin1Char(' '), Qt::SkipEmptyParts);
                QVERIFY2(delen.size() == 2, qPrintable(r));
                const QString bron = leesTekst(QStringLiteral(KWINTEL_BRON "/") + delen[0]);
                QVERIFY2(bron.contains(QStringLiteral("void %1(").arg(delen[1])), qPrintable(r));
            }
        }
        const QStringList paginaZinnen = zinnen(html);
        for (const QString& zin : paginaZinnen)
            if (isBewering(zin))
                QVERIFY2(geciteerd.contains(zin),
                         qPrintable(QStringLiteral("niet getoetst: \"%1\"").arg(zin)));
        // A quote the page no longer holds is a check of nothing.
        for (const QString& c : geciteerd)
            QVERIFY2(paginaZinnen.contains(c),
                     qPrintable(QStringLiteral("staat niet (meer) op de pagina: \"%1\"").arg(c)));
        QVERIFY(verwachtingen > 0 || toets.contains(QLatin1String("# elders: ")));
    }

    // "Opties > Teller laten doorlopen t/m F", "menu Invoer > AD-Omzetter":
    // the menu of the menu bar, then one of its items (the longest caption
    // that fits), and a shortcut named right after it is the item's.
    void menuPadenBestaan() {
        TfKwintelvlak form;
        QMap<QString, QMenu*> menus;
        for (QAction* a : form.menuBar()->actions())
            if (a->menu())
                menus.insert(opschrift(a->text()), a->menu());
        QVERIFY(menus.contains(QStringLiteral("Uitvoer")));
        QStringList paginas;
        for (const QString& p : QDir(kHelp).entryList({QStringLiteral("*.html")}))
            paginas << kHelp + QLatin1Char('/') + p;
        for (const QString& p :
             QDir(kHelp + QStringLiteral("/modules")).entryList({QStringLiteral("*.html")}))
            paginas << kHelp + QStringLiteral("/modules/") + p;
        int paden = 0;
        for (const QString& pagina : paginas) {
            const QString tekst = blokken(leesTekst(pagina)).join(QLatin1Char('\n'));
            for (auto m = menus.cbegin(); m != menus.cend(); ++m) {
                const QString begin = m.key() + QStringLiteral(" > ");
                for (qsizetype i = tekst.indexOf(begin); i >= 0; i = tekst.indexOf(begin, i + 1)) {
                    const QString rest = tekst.mid(i + begin.size());
                    QAction* item = nullptr;
                    for (QAction* a : m.value()->actions()) {
                        const QString o = opschrift(a->text());
                        if (!a->isSeparator() && rest.startsWith(o) &&
                            !(rest.size() > o.size() && rest.at(o.size()).isLetterOrNumber()) &&
                            (!item || o.size() > opschrift(item->text()).size()))
                            item = a;
                    }
                    const QString waar =
                        QFileInfo(pagina).fileName() + QStringLiteral(": ") + begin + rest.left(40);
                    QVERIFY2(item, qPrintable(waar));
                    static const QRegularExpression sneltoets(
                        QStringLiteral("^ \\((Ctrl\\+\\S+)\\)"));
                    const auto s = sneltoets.match(rest.mid(opschrift(item->text()).size()));
                    if (s.hasMatch())
                        QVERIFY2(item->shortcut().toString() == s.captured(1), qPrintable(waar));
                    ++paden;
                }
            }
        }
        QVERIFY(paden >= 25);
    }
};

QTEST_MAIN(TestHelpBeweringen)
#include "tst_helpbeweringen.moc"
