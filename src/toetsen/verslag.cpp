// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "toetsen/verslag.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

namespace verslag {

namespace {

QString html(const QString& tekst) {
    return toetsbestand::zichtbaar(tekst).toHtmlEscaped();
}

// A picture's file name from the board's: its place in the list, then the
// letters and digits of its name, so the page links it without escaping.
QString afbeeldingNaam(int nummer, const QString& bestand) {
    QString naam;
    for (const QChar c : QFileInfo(bestand).completeBaseName()) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
            c == u'-' || c == u'_')
            naam += c;
        else if (!naam.endsWith(QLatin1Char('_')))
            naam += QLatin1Char('_');
        if (naam.size() >= 40)
            break;
    }
    return QStringLiteral("bord-%1%2%3.png")
        .arg(nummer, 2, 10, QLatin1Char('0'))
        .arg(naam.isEmpty() ? QString() : QStringLiteral("-"), naam);
}

const char* const kStijl = R"(
body { font-family: "DejaVu Sans", Verdana, sans-serif; font-size: 20px; line-height: 1.4;
       color: #000; background: #fff; margin: 1em 2em; }
h1 { font-size: 1.8em; margin-bottom: 0.2em; }
h2 { font-size: 1.4em; margin-top: 1.5em; border-bottom: 3px solid #000; }
h3 { font-size: 1.25em; margin: 0 0 0.3em 0; }
.samenvatting { font-size: 1.3em; font-weight: bold; }
table { border-collapse: collapse; margin: 0.5em 0; }
th, td { border: 1px solid #444; padding: 0.25em 0.6em; text-align: left; vertical-align: top; }
th { background: #e8e8e8; }
td.getal { text-align: right; white-space: nowrap; }
.balk { width: 12em; background: #ddd; border: 1px solid #444; }
.balk div { height: 1em; background: #1a6d1a; }
.bord { border: 4px solid #444; border-radius: 6px; padding: 0.8em 1em; margin: 1em 0; }
.bord.geslaagd { border-color: #1a6d1a; }
.bord.gezakt { border-color: #b00000; }
.bord.onleesbaar { border-color: #666; border-style: dashed; }
.uitslag { font-weight: bold; }
.geslaagd .uitslag { color: #1a6d1a; }
.gezakt .uitslag { color: #b00000; }
.bord img { display: block; max-width: 100%; height: auto; border: 1px solid #444;
            margin-top: 0.6em; image-rendering: pixelated; }
ul { margin: 0.3em 0; }
td.onderdeel { background: #f4f4f4; font-weight: bold; }
table.overzicht td:first-child { overflow-wrap: anywhere; }
)";

// Whether a file in a report folder is one a report writes: the page and
// the pictures, and the hidden work folders of earlier versions.
bool isVerslagBestand(const QFileInfo& f) {
    const QString naam = f.fileName();
    if (f.isDir())
        return naam.startsWith(QStringLiteral(".verslag-")); // an older version's work
    return naam == QStringLiteral("index.html") ||
           (naam.startsWith(QStringLiteral("bord-")) && naam.endsWith(QStringLiteral(".png")));
}

} // namespace

QString pagina(const QString& toetsNaam, const toetsbestand::Toets& toets,
               const std::vector<toetsen::BordUitslag>& uitslagen) {
    QString s;
    s += QStringLiteral("<!DOCTYPE html>\n<html lang=\"nl\">\n<head>\n<meta charset=\"utf-8\">\n"
                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                        "<title>Verslag: ") +
         html(toetsNaam) + QStringLiteral("</title>\n<style>") + QString::fromUtf8(kStijl) +
         QStringLiteral("</style>\n</head>\n<body>\n");
    s += QStringLiteral("<h1>Verslag: ") + html(toetsNaam) + QStringLiteral("</h1>\n");
    s += QStringLiteral("<p class=\"samenvatting\">") + html(toetsen::samenvatting(uitslagen)) +
         QStringLiteral("</p>\n");

    // The class at a glance: the score, the grade, each section's score.
    const bool onderdelen = !toets.onderdelen.empty();
    s += QStringLiteral("<table class=\"overzicht\">\n<tr><th>Bord</th><th>Score</th>");
    if (toets.cijfer)
        s += QStringLiteral("<th>Cijfer</th>");
    s += QStringLiteral("<th>Uitslag</th>");
    if (onderdelen)
        for (const toetsbestand::Onderdeel& o : toets.onderdelen)
            s += QStringLiteral("<th>") + html(o.naam) +
                 (o.gewicht != 1 ? QStringLiteral(" (gewicht %1)").arg(o.gewicht) : QString()) +
                 QStringLiteral("</th>");
    s += QStringLiteral("</tr>\n");
    for (std::size_t i = 0; i < uitslagen.size(); ++i) {
        const toetsen::BordUitslag& u = uitslagen[i];
        s += QStringLiteral("<tr class=\"%1\"><td><a href=\"#bord-%2\">%3</a></td>"
                            "<td class=\"getal\">%4/%5</td>")
                 .arg(u.uitslag())
                 .arg(i + 1)
                 .arg(html(toetsen::bordNaam(u)))
                 .arg(u.behaald())
                 .arg(u.totaal());
        if (toets.cijfer)
            s += QStringLiteral("<td class=\"getal cijfer\">%1</td>")
                     .arg(toetsen::cijferTekst(
                         toetsen::cijfer(*toets.cijfer, toetsen::gewogenScore(toets, u))));
        s += QStringLiteral("<td class=\"uitslag\">%1</td>").arg(u.uitslag());
        if (onderdelen)
            for (const toetsen::OnderdeelScore& o : toetsen::onderdeelScores(toets, u))
                s += QStringLiteral("<td class=\"getal\">%1/%2</td>").arg(o.behaald).arg(o.totaal);
        s += QStringLiteral("</tr>\n");
    }
    s += QStringLiteral("</table>\n");

    // How many boards met each expectation.
    s += QStringLiteral("<h2>Per verwachting</h2>\n<table class=\"verwachtingen\">\n"
                        "<tr><th>Verwachting</th><th>Gehaald</th><th></th></tr>\n");
    // Section by section, each in the order of the file; a result's place
    // among a board's results is the expectation's among the check's.
    std::vector<std::pair<std::size_t, const toetsbestand::Regel*>> verwachtingen;
    for (const toetsbestand::Regel& r : toets.regels)
        if (r.isVerwachting())
            verwachtingen.emplace_back(verwachtingen.size(), &r);
    std::stable_sort(verwachtingen.begin(), verwachtingen.end(), [](const auto& a, const auto& b) {
        return a.second->onderdeel < b.second->onderdeel;
    });
    const int borden = int(uitslagen.size());
    int vorigOnderdeel = -1;
    for (const auto& [kolom, r] : verwachtingen) {
        if (onderdelen && r->onderdeel != vorigOnderdeel) {
            vorigOnderdeel = r->onderdeel;
            s +=
                QStringLiteral("<tr><td class=\"onderdeel\" colspan=\"3\">Onderdeel %1</td></tr>\n")
                    .arg(html(toets.onderdelen[std::size_t(r->onderdeel)].naam));
        }
        int gehaald = 0;
        for (const toetsen::BordUitslag& u : uitslagen)
            if (kolom < u.resultaten.size() && u.resultaten[kolom].ok)
                ++gehaald;
        const int procent = borden > 0 ? gehaald * 100 / borden : 0;
        s += QStringLiteral("<tr><td>%1</td><td class=\"getal\">%2 van %3</td>"
                            "<td><div class=\"balk\"><div style=\"width: %4%\"></div></div></td>"
                            "</tr>\n")
                 .arg(html(toetsen::kolomNaam(*r)))
                 .arg(gehaald)
                 .arg(borden)
                 .arg(procent);
    }
    s += QStringLiteral("</table>\n");

    s += QStringLiteral("<h2>Per bord</h2>\n");
    for (std::size_t i = 0; i < uitslagen.size(); ++i) {
        const toetsen::BordUitslag& u = uitslagen[i];
        const QString naam = html(toetsen::bordNaam(u));
        s += QStringLiteral("<section class=\"bord %1\" id=\"bord-%2\">\n<h3>%3</h3>\n"
                            "<p><span class=\"score\">%4/%5</span> &mdash; "
                            "<span class=\"uitslag\">%1</span></p>\n")
                 .arg(u.uitslag())
                 .arg(i + 1)
                 .arg(naam)
                 .arg(u.behaald())
                 .arg(u.totaal());
        if (toets.cijfer)
            s += QStringLiteral("<p class=\"cijfer\">Cijfer: %1</p>\n")
                     .arg(toetsen::cijferTekst(
                         toetsen::cijfer(*toets.cijfer, toetsen::gewogenScore(toets, u))));
        if (onderdelen) {
            s += QStringLiteral("<ul class=\"onderdelen\">\n");
            for (const toetsen::OnderdeelScore& o : toetsen::onderdeelScores(toets, u))
                s += QStringLiteral("<li>%1: %2/%3</li>\n")
                         .arg(html(o.naam))
                         .arg(o.behaald)
                         .arg(o.totaal);
            s += QStringLiteral("</ul>\n");
        }
        if (!u.leesbaar)
            s += QStringLiteral("<p>") + html(u.melding) + QStringLiteral("</p>\n");
        QStringList meldingen = u.opmerkingen;
        if (u.begrensd)
            meldingen << QStringLiteral("Te veel nummeringen om te proberen: de eigen nummering "
                                        "van het bord telt.");
        if (u.leesbaar && !u.toewijzing.empty())
            meldingen << QStringLiteral("De namen op de afbeelding zijn die van de toets:");
        for (const toetsen::Toewijzing& t : u.toewijzing)
            meldingen << (t.bord.isEmpty() ? t.toets + QStringLiteral(" = geen module op het bord")
                                           : t.toets + QStringLiteral(" = ") + t.bord +
                                                 QStringLiteral(" op het bord"));
        meldingen << u.stappen;
        if (!meldingen.isEmpty()) {
            s += QStringLiteral("<p>Meldingen:</p>\n<ul class=\"meldingen\">\n");
            for (const QString& m : std::as_const(meldingen))
                s += QStringLiteral("<li>") + html(m) + QStringLiteral("</li>\n");
            s += QStringLiteral("</ul>\n");
        }
        if (u.leesbaar && u.behaald() < u.totaal()) {
            s += QStringLiteral("<p>Niet gehaald:</p>\n<ul class=\"niet-gehaald\">\n");
            for (const toetsen::Resultaat& r : u.resultaten)
                if (!r.ok)
                    s +=
                        QStringLiteral("<li>r%1 %2</li>\n").arg(r.regelNummer).arg(html(r.tekst()));
            s += QStringLiteral("</ul>\n");
        }
        if (!u.afbeeldingNaam.isEmpty())
            s += QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" "
                                "alt=\"Het bord %4 aan het eind van de toets\">\n")
                     .arg(u.afbeeldingNaam)
                     .arg(u.afbeeldingMaat.width())
                     .arg(u.afbeeldingMaat.height())
                     .arg(naam);
        s += QStringLiteral("</section>\n");
    }
    s += QStringLiteral("</body>\n</html>\n");
    return s;
}

bool magSchrijven(const QString& map, QString& reden) {
    const QFileInfo info(map);
    const QString naam = QDir::toNativeSeparators(map);
    if (info.exists() && !info.isDir()) {
        reden = QStringLiteral("\"%1\" is een bestand; het verslag hoort in een map").arg(naam);
        return false;
    }
    const QString pad = QDir::cleanPath(info.absoluteFilePath());
    if (QFileInfo(pad).absolutePath() == pad || pad == QDir::currentPath()) {
        reden = QStringLiteral("het verslag vervangt de hele map \"%1\"; kies een map erin, "
                               "bijvoorbeeld \"verslag\"")
                    .arg(naam);
        return false;
    }
    if (!info.exists())
        return true;
    const QFileInfoList inhoud = QDir(pad).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& f : inhoud) {
        if (!isVerslagBestand(f)) {
            reden = QStringLiteral("de map \"%1\" bevat meer dan een verslag (zoals \"%2\"); het "
                                   "verslag vervangt de hele map, dus kies een nieuwe of lege map")
                        .arg(naam, f.fileName());
            return false;
        }
    }
    return true;
}

Schrijver::Schrijver(const QString& map)
    : m_map(QDir::cleanPath(QFileInfo(map).absoluteFilePath())) {}

Schrijver::~Schrijver() {
    // A run that did not finish leaves the old report as it was.
    if (!m_werk.isEmpty())
        QDir(m_werk).removeRecursively();
}

namespace {
// A free name beside the report's folder, hidden: ".verslag-nieuw-1", ...,
// made as a folder when maak is set. Empty when none can be had.
QString vrijeNaam(const QFileInfo& doel, const QString& soort, bool maak) {
    QDir ouder = doel.absoluteDir();
    for (int i = 1; i <= 1000; ++i) {
        const QString naam = QStringLiteral(".%1-%2-%3").arg(doel.fileName(), soort).arg(i);
        if (maak ? ouder.mkdir(naam) : !QFileInfo::exists(ouder.filePath(naam)))
            return ouder.filePath(naam);
    }
    return {};
}
} // namespace

bool Schrijver::begin(QString& reden) {
    const QFileInfo doel(m_map);
    if (!QDir().mkpath(doel.absolutePath())) {
        reden = QStringLiteral("de map \"%1\" kan niet worden gemaakt")
                    .arg(QDir::toNativeSeparators(doel.absolutePath()));
        return false;
    }
    // Beside the report's folder, so that it can take its place; made as
    // any new folder is, so the report can be read as the old one could.
    m_werk = vrijeNaam(doel, QStringLiteral("nieuw"), true);
    if (m_werk.isEmpty()) {
        reden = QStringLiteral("er kan geen map naast \"%1\" worden gemaakt")
                    .arg(QDir::toNativeSeparators(m_map));
        return false;
    }
    return true;
}

bool Schrijver::afbeelding(int nummer, toetsen::BordUitslag& u, QString& reden) {
    if (u.afbeelding.isNull())
        return true;
    const QString naam = afbeeldingNaam(nummer, u.bestand);
    // Encoded in memory and written at once; a lighter compression than
    // the default costs a little size and saves much of the time.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    u.afbeelding.save(&buffer, "PNG", 70);
    QSaveFile f(QDir(m_werk).filePath(naam));
    if (png.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(png) != png.size() ||
        !f.commit()) {
        reden = f.errorString();
        return false;
    }
    u.afbeeldingNaam = naam;
    return true;
}

bool Schrijver::sluit(const QString& toetsNaam, const toetsbestand::Toets& toets,
                      const std::vector<toetsen::BordUitslag>& uitslagen, QString& reden) {
    {
        QSaveFile f(QDir(m_werk).filePath(QStringLiteral("index.html")));
        if (!f.open(QIODevice::WriteOnly) ||
            f.write(pagina(toetsNaam, toets, uitslagen).toUtf8()) < 0 || !f.commit()) {
            reden = f.errorString();
            return false;
        }
    }
    // Whatever came into the old folder meanwhile is not thrown away.
    if (!magSchrijven(m_map, reden))
        return false;
    const QFileInfo doel(m_map);
    QDir ouder = doel.absoluteDir();
    if (!doel.exists()) {
        if (!ouder.rename(m_werk, m_map)) {
            reden = QStringLiteral("de map kan niet worden neergezet");
            return false;
        }
        m_werk.clear();
        return true;
    }
    // The old report steps aside under a free name, the new one takes its
    // place, and only then is the old one removed.
    const QString oud = vrijeNaam(doel, QStringLiteral("oud"), false);
    if (oud.isEmpty() || !ouder.rename(m_map, oud)) {
        reden = QStringLiteral("de oude map kan niet opzij worden gezet (is ze elders geopend?)");
        return false;
    }
    if (!ouder.rename(m_werk, m_map)) {
        ouder.rename(oud, m_map);
        reden = QStringLiteral("de map kan niet worden neergezet");
        return false;
    }
    m_werk.clear();
    QDir(oud).removeRecursively();
    return true;
}

} // namespace verslag
