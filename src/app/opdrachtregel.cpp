// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "app/opdrachtregel.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <optional>

#include "platform/platform.h"

namespace opdrachtregel {

namespace {

const char* const kVersie = "Kwintelvlak 1.50";

// Qt's own options, taken by QApplication itself. They are declared so that
// the program's reading does not call them unknown.
const char* const kQtMetWaarde[] = {"platform",        "platformpluginpath",
                                    "platformtheme",   "plugin",
                                    "qwindowgeometry", "qwindowtitle",
                                    "qwindowicon",     "style",
                                    "stylesheet",      "display",
                                    "geometry",        "session"};
const char* const kQtZonderWaarde[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

Opdracht klaar(const QString& tekst, int status) {
    Opdracht o;
    o.modus = Modus::Klaar;
    o.uitvoer = tekst;
    o.status = status;
    o.naarFoutUitvoer = status != 0;
    return o;
}

Opdracht fout(const QString& tekst) {
    return klaar(
        QStringLiteral("kwintelvlak: %1\nZie 'kwintelvlak --help' voor de mogelijkheden.\n")
            .arg(tekst),
        2);
}

// A whole number from minimum to maximum, or nothing.
std::optional<int> geheel(const QString& tekst, int minimum, int maximum) {
    bool ok = false;
    const int n = tekst.trimmed().toInt(&ok);
    if (!ok || n < minimum || n > maximum)
        return std::nullopt;
    return n;
}

} // namespace

QString hulpTekst() {
    return QStringLiteral(
        "Gebruik:\n"
        "  kwintelvlak [--schaal N] [BORD.brd]\n"
        "  kwintelvlak --toets TOETS.txt [--json] [--csv BLAD.csv] [--verslag MAP]\n"
        "              [--tijdslimiet SECONDEN] [--schaal N] [--bijsnijden]\n"
        "              BORD.brd [BORD.brd ...]\n"
        "  kwintelvlak --afbeelding UIT.png [--tikken N] [--schaal N] [--bijsnijden]\n"
        "              [--nummers] BORD.brd\n"
        "\n"
        "Zonder opties opent Kwintelvlak het venster met het standaardbord, of met\n"
        "het genoemde bord.\n"
        "\n"
        "Opties:\n"
        "  --toets TOETS.txt     Controleer elk genoemd bord met de stappen van het\n"
        "                        toetsbestand, zonder venster; per verwachting een\n"
        "                        regel in het Test Anything Protocol, dan een\n"
        "                        samenvatting; elk bord zodra het nagekeken is.\n"
        "                        Een bord slaagt ook als de leerling de modules\n"
        "                        anders genummerd heeft.\n"
        "  --json                Geef de uitslag van --toets als een JSON-document.\n"
        "  --csv BLAD.csv        Schrijf bij --toets ook een cijferblad: per bord een\n"
        "                        regel met de score en per verwachting 1 of 0\n"
        "                        (puntkomma's, UTF-8), voor een rekenblad; met\n"
        "                        onderdelen de score per onderdeel, met een\n"
        "                        cijfer-regel in de toets ook het cijfer.\n"
        "  --verslag MAP         Schrijf bij --toets ook een klassenverslag: MAP/index.html\n"
        "                        met per bord de score, wat niet klopte en een\n"
        "                        afbeelding van het bord aan het eind van de toets,\n"
        "                        met de naam van elke module zoals de toets haar noemt.\n"
        "  --tijdslimiet SECONDEN\n"
        "                        Hoeveel gesimuleerde tijd de toets per bord mag\n"
        "                        kosten, alle nummeringen samen (standaard 3600); is\n"
        "                        die op, dan telt wat er gelopen heeft.\n"
        "  --afbeelding UIT.png  Schrijf een PNG-afbeelding van het bord, zoals het\n"
        "                        venster het toont, en stop.\n"
        "  --tikken N            Laat de klok eerst N tikken (van 10 ms) lopen\n"
        "                        (bij --afbeelding; standaard 0).\n"
        "  --bijsnijden          Snijd de afbeelding bij tot de modules op het bord\n"
        "                        (bij --afbeelding en --verslag).\n"
        "  --nummers             Zet bij --afbeelding op elke module haar soort en\n"
        "                        nummer, zoals een toetsbestand ze noemt.\n"
        "  --schaal N            Teken alles N keer zo groot (1 tot en met 4), voor\n"
        "                        de beamer of voor afdrukken (ook de afbeeldingen\n"
        "                        van --verslag).\n"
        "  -h, --help            Toon deze hulp.\n"
        "  -v, --version         Toon de versie.\n"
        "\n"
        "Uitgangsstatus bij --toets: 0 als elk bord slaagt, 1 als een verwachting\n"
        "niet uitkomt, een bord onleesbaar is of het cijferblad of verslag niet\n"
        "geschreven kan worden, 2 bij een fout in het toetsbestand of in de\n"
        "opdrachtregel. Bij --afbeelding: 0 als de afbeelding geschreven\n"
        "is, 1 als het bord niet gelezen of de afbeelding niet geschreven kan worden,\n"
        "2 bij een fout in de opdrachtregel.\n");
}

Opdracht lees(const QStringList& argumenten) {
    QCommandLineParser p;
    // Qt's own options are single-dash words; so are ours when typed that way.
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption hulp(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versie(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption toets(QStringLiteral("toets"), QString(), QStringLiteral("bestand"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption afbeelding(QStringLiteral("afbeelding"), QString(),
                                        QStringLiteral("bestand"));
    const QCommandLineOption tikken(QStringLiteral("tikken"), QString(), QStringLiteral("n"));
    const QCommandLineOption schaal(QStringLiteral("schaal"), QString(), QStringLiteral("n"));
    const QCommandLineOption bijsnijden(QStringLiteral("bijsnijden"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("bestand"));
    const QCommandLineOption verslag(QStringLiteral("verslag"), QString(), QStringLiteral("map"));
    const QCommandLineOption nummers(QStringLiteral("nummers"));
    const QCommandLineOption tijdslimiet(QStringLiteral("tijdslimiet"), QString(),
                                         QStringLiteral("seconden"));
    p.addOptions({hulp, versie, toets, json, afbeelding, tikken, schaal, bijsnijden, csv, verslag,
                  nummers, tijdslimiet});
    QStringList metWaarde = {QStringLiteral("toets"),      QStringLiteral("afbeelding"),
                             QStringLiteral("tikken"),     QStringLiteral("schaal"),
                             QStringLiteral("csv"),        QStringLiteral("verslag"),
                             QStringLiteral("tijdslimiet")};
    for (const char* naam : kQtMetWaarde) {
        QCommandLineOption o(QString::fromLatin1(naam), QString(), QStringLiteral("waarde"));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        p.addOption(o);
        metWaarde << QString::fromLatin1(naam);
    }
    for (const char* naam : kQtZonderWaarde) {
        QCommandLineOption o(QString::fromLatin1(naam));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        p.addOption(o);
    }

    if (!p.parse(argumenten)) {
        if (!p.unknownOptionNames().isEmpty()) {
            const QString naam = p.unknownOptionNames().constFirst();
            return fout(
                QStringLiteral("onbekende optie '%1%2'")
                    .arg(naam.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), naam));
        }
        // The only other complaint the parser has: an option without its value.
        for (const QString& naam : std::as_const(metWaarde)) {
            const QString lang = QStringLiteral("--") + naam;
            const QString kort = QStringLiteral("-") + naam;
            if (!argumenten.isEmpty() &&
                (argumenten.constLast() == lang || argumenten.constLast() == kort))
                return fout(QStringLiteral("bij de optie '--%1' hoort een waarde").arg(naam));
        }
        return fout(QStringLiteral("de opdrachtregel klopt niet"));
    }
    if (p.isSet(hulp))
        return klaar(hulpTekst(), 0);
    if (p.isSet(versie))
        return klaar(QString::fromLatin1(kVersie) + QLatin1Char('\n'), 0);

    Opdracht o;
    o.borden = p.positionalArguments();
    o.json = p.isSet(json);
    o.bijsnijden = p.isSet(bijsnijden);
    o.nummers = p.isSet(nummers);
    // An option given twice: the last one counts, as with most tools.
    if (p.isSet(schaal)) {
        const auto n = geheel(p.values(schaal).constLast(), 1, kMaxSchaal);
        if (!n)
            return fout(QStringLiteral("--schaal verwacht een geheel getal van 1 tot en met %1, "
                                       "niet '%2'")
                            .arg(kMaxSchaal)
                            .arg(p.values(schaal).constLast()));
        o.schaal = *n;
    }
    if (p.isSet(tikken)) {
        const auto n = geheel(p.values(tikken).constLast(), 0, kMaxTikken);
        if (!n)
            return fout(QStringLiteral("--tikken verwacht een geheel getal van 0 tot en met %1, "
                                       "niet '%2'")
                            .arg(kMaxTikken)
                            .arg(p.values(tikken).constLast()));
        o.tikken = *n;
    }
    if (p.isSet(tijdslimiet)) {
        const auto n = geheel(p.values(tijdslimiet).constLast(), 1, kMaxTijdslimiet);
        if (!n)
            return fout(QStringLiteral("--tijdslimiet verwacht een geheel aantal seconden van 1 "
                                       "tot en met %1, niet '%2'")
                            .arg(kMaxTijdslimiet)
                            .arg(p.values(tijdslimiet).constLast()));
        o.tijdslimiet = *n;
    }
    if (p.isSet(nummers) && !p.isSet(afbeelding))
        return fout(QStringLiteral("--nummers hoort bij --afbeelding; het verslag van --toets "
                                   "zet de namen altijd op de afbeeldingen"));
    if (p.isSet(tijdslimiet) && !p.isSet(toets))
        return fout(QStringLiteral("--tijdslimiet hoort bij --toets"));

    if (p.isSet(toets) && p.isSet(afbeelding))
        return fout(QStringLiteral("--toets en --afbeelding gaan niet samen"));
    if (p.isSet(toets)) {
        o.modus = Modus::Toets;
        o.toetsBestand = p.values(toets).constLast();
        if (o.borden.isEmpty())
            return fout(QStringLiteral("--toets verwacht na het toetsbestand een of meer borden"));
        if (p.isSet(csv))
            o.csv = p.values(csv).constLast();
        if (p.isSet(verslag))
            o.verslag = p.values(verslag).constLast();
        if (p.isSet(tikken))
            return fout(QStringLiteral("--tikken hoort bij --afbeelding; bij --toets staan de "
                                       "tikken in het toetsbestand"));
        if (o.verslag.isEmpty() && (p.isSet(bijsnijden) || p.isSet(schaal)))
            return fout(QStringLiteral("--bijsnijden en --schaal gaan bij --toets over de "
                                       "afbeeldingen van --verslag"));
        if ((p.isSet(csv) && o.csv.isEmpty()) || (p.isSet(verslag) && o.verslag.isEmpty()))
            return fout(QStringLiteral("--csv en --verslag verwachten een naam"));
        return o;
    }
    if (p.isSet(afbeelding)) {
        o.modus = Modus::Afbeelding;
        o.afbeelding = p.values(afbeelding).constLast();
        if (o.borden.size() != 1)
            return fout(QStringLiteral("--afbeelding verwacht precies een bord"));
        if (o.json || p.isSet(csv) || p.isSet(verslag))
            return fout(QStringLiteral("--json, --csv en --verslag horen bij --toets"));
        return o;
    }
    if (o.json || p.isSet(csv) || p.isSet(verslag))
        return fout(QStringLiteral("--json, --csv en --verslag horen bij --toets"));
    if (p.isSet(tikken) || o.bijsnijden)
        return fout(QStringLiteral("--tikken en --bijsnijden horen bij --afbeelding"));
    return o;
}

} // namespace opdrachtregel

namespace opdrachtregel {

namespace {
QtMessageHandler g_standaardMelder = nullptr;

// Without a user the standard error stream carries only the program's own
// messages: Qt's notes about the platform (no runtime folder, a window
// feature the offscreen platform lacks) are dropped; its errors still show.
void alleenFouten(QtMsgType soort, const QMessageLogContext& plaats, const QString& tekst) {
    if (soort == QtCriticalMsg || soort == QtFatalMsg)
        g_standaardMelder(soort, plaats, tekst);
}
} // namespace

void bereidOmgevingVoor(const Opdracht& opdracht) {
    const bool zonderVenster =
        opdracht.modus == Modus::Toets || opdracht.modus == Modus::Afbeelding;
    // Pictures and checks come out the same with or without a display server.
    if (zonderVenster && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Checks draw nothing but the report's pictures.
    if (opdracht.schaal > 1 && (opdracht.modus != Modus::Toets || !opdracht.verslag.isEmpty()))
        qputenv("QT_SCALE_FACTOR", QByteArray::number(opdracht.schaal));
    if (zonderVenster) {
        platform::zetGeluidUit(true);
        g_standaardMelder = qInstallMessageHandler(alleenFouten);
    }
}

} // namespace opdrachtregel
