// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "toetsen/toetsbestand.h"

#include "boardfile/cp1252.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

namespace toetsbestand {

QString ModuleNaam::alsInToets() const {
    const QString n =
        naam.contains(QLatin1Char(' ')) ? QLatin1Char('"') + naam + QLatin1Char('"') : naam;
    return n + QLatin1Char(' ') + QString::number(nummer);
}

QString Regel::stapTekst() const {
    const QString m = module.alsInToets();
    switch (stap) {
    case Stap::Druk:
        return QStringLiteral("druk ") + m;
    case Stap::Los:
        return QStringLiteral("los ") + m;
    case Stap::Zet:
        return QStringLiteral("zet ") + m + QLatin1Char(' ') + weergave;
    case Stap::Geluid:
        return QStringLiteral("geluid %1").arg(getal);
    case Stap::Muis:
        return relatief ? QStringLiteral("muis %1 %2 %3").arg(m).arg(x).arg(y)
                        : QStringLiteral("muis %1 %2").arg(x).arg(y);
    case Stap::Tik:
        return QStringLiteral("tik %1").arg(getal);
    default:
        return QStringLiteral("verwacht ") + m;
    }
}

QString zichtbaar(QStringView tekst, qsizetype maxTekens) {
    QString uit;
    uit.reserve(tekst.size());
    qsizetype tekens = 0;
    for (const QChar c : tekst) {
        if (maxTekens >= 0 && tekens == maxTekens) {
            uit += QStringLiteral("...");
            break;
        }
        ++tekens;
        const char16_t u = c.unicode();
        if (u == u'\t')
            uit += QLatin1Char(' ');
        else if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            uit += QStringLiteral("\\x") +
                   QString::number(int(u), 16).rightJustified(2, QLatin1Char('0')).toUpper();
        else
            uit += c;
    }
    return uit;
}

std::optional<QString> alsTekst(QByteArrayView bytes) {
    QString tekst;
    const auto begintMet = [&bytes](const char* bom) { return bytes.startsWith(bom); };
    if (begintMet("\xEF\xBB\xBF")) {
        tekst = QString::fromUtf8(bytes.sliced(3));
    } else if (begintMet("\xFF\xFE") || begintMet("\xFE\xFF")) {
        QStringDecoder utf16(begintMet("\xFF\xFE") ? QStringConverter::Utf16LE
                                                   : QStringConverter::Utf16BE);
        tekst = utf16.decode(bytes.sliced(2));
    } else {
        // Text that is not UTF-8 is what Windows' "ANSI" editors write here.
        QStringDecoder utf8(QStringConverter::Utf8);
        tekst = utf8.decode(bytes);
        if (utf8.hasError())
            tekst = cp1252::naarTekst(bytes);
    }
    // A text file holds no zero character and few control characters; a
    // picture, a word-processor file or UTF-16 without its mark holds many.
    qsizetype stuur = 0;
    for (const QChar c : std::as_const(tekst)) {
        const char16_t u = c.unicode();
        if (u == 0)
            return std::nullopt;
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f') ||
            (u >= 0x7F && u <= 0x9F))
            ++stuur;
    }
    if (stuur > 0 && stuur * 10 >= tekst.size())
        return std::nullopt;
    return tekst;
}

int Toets::verwachtingen() const {
    int n = 0;
    for (const Regel& r : regels)
        if (r.isVerwachting())
            ++n;
    return n;
}

namespace {

// What the built-in kinds offer to the steps; plug-in kinds (20) are
// checked when the step runs, as only the module itself knows.
bool isIngebouwd(const ModuleNaam& m) {
    return m.entry->soort != soorten::zwenkel;
}
bool heeftKnop(int soort) {
    return soort == soorten::drukSchakelaar || soort == soorten::pulsenTeller;
}
bool heeftInstelling(int soort) {
    return soort == soorten::pulsGenerator || soort == soorten::variabeleSpanning ||
           soort == soorten::comparator;
}
bool heeftAanUit(int soort) {
    return soort == soorten::led || soort == soorten::zoemer || soort == soorten::relais;
}
int aantalIngangen(int soort) {
    switch (soort) {
    case soorten::drukSchakelaar:
    case soorten::pulsGenerator:
    case soorten::variabeleSpanning:
    case soorten::geluidSensor:
    case soorten::sensor:
        return 0;
    case soorten::ofPoort:
    case soorten::enPoort:
    case soorten::geheugenCel:
        return 2;
    case soorten::pulsenTeller:
    case soorten::relais:
        return 3;
    default:
        return 1;
    }
}
int aantalUitgangen(int soort) {
    switch (soort) {
    case soorten::led:
    case soorten::zoemer:
        return 0;
    case soorten::adOmzetter:
    case soorten::pulsenTeller:
        return 4;
    case soorten::split:
        return 3;
    case soorten::relais:
        return 2;
    default:
        return 1;
    }
}

// A word of the file in a message: no control characters, not too long.
QString toonWoord(const QString& woord) {
    return zichtbaar(woord, 40);
}

// One line taken apart into words; a word in double quotes may hold spaces.
// A "#" outside quotes starts a comment, which goes to commentaar.
std::optional<QStringList> woorden(QStringView regel, QString& fout, QString& commentaar) {
    QStringList uit;
    QString woord;
    bool inWoord = false;
    bool inAanhaling = false;
    for (qsizetype i = 0; i < regel.size(); ++i) {
        const QChar c = regel[i];
        if (inAanhaling) {
            if (c == u'"') {
                inAanhaling = false;
                uit << woord;
                woord.clear();
                inWoord = false;
            } else {
                woord += c;
            }
            continue;
        }
        if (c == u'#') {
            commentaar = zichtbaar(regel.mid(i + 1).toString().simplified());
            break;
        }
        if (c.isSpace()) {
            if (inWoord)
                uit << woord;
            woord.clear();
            inWoord = false;
        } else if (c == u'"') {
            if (inWoord)
                uit << woord;
            woord.clear();
            inAanhaling = true;
            inWoord = false;
        } else {
            woord += c;
            inWoord = true;
        }
    }
    if (inAanhaling) {
        fout = QStringLiteral("het aanhalingsteken wordt niet gesloten");
        return std::nullopt;
    }
    if (inWoord)
        uit << woord;
    return uit;
}

class Lezer {
public:
    Lezer(const std::vector<Soortnaam>& soorten, Toets& toets)
        : m_soorten(soorten), m_toets(toets) {}

    void regel(int nummer, QStringView tekst);
    // At the end of the file: a repeat still open is a mistake.
    void einde();

private:
    // An open repeat: its line, its count and the steps read so far.
    struct Blok {
        int regelNummer = 0;
        int keer = 1;
        std::vector<Regel> regels;
    };
    std::vector<Regel>& doel() {
        return m_blokken.empty() ? m_toets.regels : m_blokken.back().regels;
    }
    void sluitBlok();
    bool muis(Regel& r);
    // Each returns false after reporting what is wrong.
    bool fout(const QString& tekst) {
        m_toets.fouten.push_back({m_nummer, tekst});
        return false;
    }
    bool genoeg(int nodig, const QString& vorm) {
        if (m_woorden.size() < nodig)
            return fout(QStringLiteral("er ontbreekt iets: schrijf '%1'").arg(vorm));
        if (m_woorden.size() > nodig)
            return fout(QStringLiteral("te veel woorden: schrijf '%1'").arg(vorm));
        return true;
    }
    bool getal(int i, int minimum, int maximum, int& uit) {
        const QString& w = m_woorden[i];
        bool ok = false;
        const qlonglong n = w.toLongLong(&ok);
        if (!ok)
            return fout(QStringLiteral("'%1' is geen geheel getal").arg(toonWoord(w)));
        if (n < minimum || n > maximum)
            return fout(QStringLiteral("%1 ligt buiten het bereik van %2 tot en met %3")
                            .arg(toonWoord(w))
                            .arg(minimum)
                            .arg(maximum));
        uit = int(n);
        return true;
    }
    bool module(int i, ModuleNaam& uit);
    bool zet(Regel& r);
    bool verwacht(Regel& r);
    void onderdeel();
    void cijfer();
    bool kommaGetal(int i, double minimum, double maximum, double& uit);

    const std::vector<Soortnaam>& m_soorten;
    Toets& m_toets;
    QStringList m_woorden;
    int m_nummer = 0;
    std::vector<Blok> m_blokken;
    bool m_teGroot = false; // a repeat made too much; reported once
    int m_onderdeel = -1;   // the section of the expectations read now
    bool m_onderdeelRegels = false;

public:
    // After the last line: sections without expectations, weights that sum
    // to nothing; without section lines, no sections.
    void sluitOnderdelen();
};

// A kind's name as the check file gives it: the caption, or for a plug-in
// kind also its library's file name, with or without the suffix.
bool noemt(const Soortnaam& s, const QString& naam) {
    if (s.naam.compare(naam, Qt::CaseInsensitive) == 0)
        return true;
    if (s.entry->soort != soorten::zwenkel || s.entry->naam[0] == '\0')
        return false;
    const QString bestand = QString::fromUtf8(s.entry->naam);
    if (bestand.compare(naam, Qt::CaseInsensitive) == 0)
        return true;
    const qsizetype punt = bestand.lastIndexOf(QLatin1Char('.'));
    return punt > 0 && QStringView(bestand).left(punt).compare(naam, Qt::CaseInsensitive) == 0;
}

qint64 tikkenIn(const std::vector<Regel>& regels) {
    qint64 n = 0;
    for (const Regel& r : regels)
        if (r.stap == Stap::Tik)
            n += r.getal;
    return n;
}

void Lezer::sluitBlok() {
    Blok blok = std::move(m_blokken.back());
    m_blokken.pop_back();
    std::vector<Regel>& uit = doel();
    const qint64 stappen = qint64(uit.size()) + qint64(blok.regels.size()) * blok.keer;
    const qint64 tikken = tikkenIn(uit) + tikkenIn(blok.regels) * blok.keer;
    if (m_teGroot)
        return;
    if (stappen > kMaxStappen || tikken > kMaxTotaalTikken) {
        m_teGroot = true;
        m_toets.fouten.push_back(
            {blok.regelNummer,
             stappen > kMaxStappen
                 ? QStringLiteral("deze herhaling maakt meer dan %1 stappen; zo lang is geen toets")
                       .arg(kMaxStappen)
                 : QStringLiteral("deze herhaling laat de klok meer dan een uur lopen (%1 "
                                  "tikken); zo lang is geen toets")
                       .arg(kMaxTotaalTikken)});
        return;
    }
    for (int keer = 1; keer <= blok.keer; ++keer) {
        for (const Regel& r : blok.regels) {
            Regel kopie = r;
            kopie.ronde = r.ronde.isEmpty() ? QString::number(keer)
                                            : QString::number(keer) + QLatin1Char('.') + r.ronde;
            uit.push_back(std::move(kopie));
        }
    }
}

void Lezer::einde() {
    while (!m_blokken.empty()) {
        m_toets.fouten.push_back(
            {m_blokken.back().regelNummer, QStringLiteral("bij deze 'herhaal' hoort een 'einde'")});
        m_blokken.pop_back();
    }
}

bool Lezer::muis(Regel& r) {
    // "muis X Y" on the board, or "muis MODULE N DX DY" from a module's corner.
    bool getalEerst = false;
    if (m_woorden.size() > 1)
        m_woorden[1].toLongLong(&getalEerst);
    if (getalEerst || m_woorden.size() <= 1)
        return genoeg(3, QStringLiteral("muis X Y of muis MODULE NUMMER DX DY")) &&
               getal(1, -kMaxPositie, kMaxPositie, r.x) && getal(2, -kMaxPositie, kMaxPositie, r.y);
    r.relatief = true;
    return module(1, r.module) && genoeg(5, QStringLiteral("muis MODULE NUMMER DX DY")) &&
           getal(3, -kMaxPositie, kMaxPositie, r.x) && getal(4, -kMaxPositie, kMaxPositie, r.y);
}

bool Lezer::module(int i, ModuleNaam& uit) {
    if (m_woorden.size() <= i)
        return fout(QStringLiteral("er ontbreekt iets: na '%1' hoort een module")
                        .arg(toonWoord(m_woorden[0])));
    const QString& naam = m_woorden[i];
    for (const Soortnaam& s : m_soorten) {
        if (noemt(s, naam)) {
            uit.naam = s.naam;
            uit.entry = s.entry;
            if (m_woorden.size() <= i + 1)
                return fout(QStringLiteral("er ontbreekt iets: na '%1' hoort het nummer van de "
                                           "module")
                                .arg(toonWoord(naam)));
            return getal(i + 1, 1, kMaxNummer, uit.nummer);
        }
    }
    // "Puls generator 1" without quotes: say how to write it.
    if (i + 1 < m_woorden.size()) {
        const QString samen = naam + QLatin1Char(' ') + m_woorden[i + 1];
        for (const Soortnaam& s : m_soorten)
            if (s.naam.compare(samen, Qt::CaseInsensitive) == 0)
                return fout(QStringLiteral("onbekende module '%1'; zet een naam met een spatie "
                                           "tussen aanhalingstekens: \"%2\"")
                                .arg(toonWoord(naam), s.naam));
    }
    return fout(QStringLiteral("onbekende module '%1'").arg(toonWoord(naam)));
}

bool Lezer::kommaGetal(int i, double minimum, double maximum, double& uit) {
    // A decimal comma, as the program writes it, or a point.
    QString w = m_woorden[i];
    w.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double waarde = QLocale::c().toDouble(w, &ok);
    if (!ok || !std::isfinite(waarde))
        return fout(QStringLiteral("'%1' is geen getal").arg(toonWoord(m_woorden[i])));
    if (waarde < minimum || waarde > maximum)
        return fout(QStringLiteral("%1 ligt buiten het bereik van %2 tot en met %3")
                        .arg(toonWoord(m_woorden[i]))
                        .arg(minimum)
                        .arg(maximum));
    uit = waarde;
    return true;
}

void Lezer::onderdeel() {
    // "onderdeel NAAM [gewicht N]"; the name may be several words.
    const QString vorm = QStringLiteral("onderdeel NAAM of onderdeel NAAM gewicht N");
    qsizetype eindeNaam = m_woorden.size();
    int gewicht = -1;
    if (m_woorden.size() >= 3 && m_woorden[m_woorden.size() - 2].compare(
                                     QLatin1String("gewicht"), Qt::CaseInsensitive) == 0) {
        eindeNaam = m_woorden.size() - 2;
        if (!getal(int(m_woorden.size() - 1), 0, kMaxGewicht, gewicht))
            return;
    }
    if (eindeNaam < 2) {
        fout(QStringLiteral("er ontbreekt iets: schrijf '%1'").arg(vorm));
        return;
    }
    const QString naam = m_woorden.mid(1, eindeNaam - 1).join(QLatin1Char(' '));
    m_onderdeelRegels = true;
    // A section named again goes on where it was.
    for (std::size_t i = 0; i < m_toets.onderdelen.size(); ++i) {
        Onderdeel& o = m_toets.onderdelen[i];
        if (o.regelNummer == 0 || o.naam != naam)
            continue;
        if (gewicht >= 0 && gewicht != o.gewicht) {
            fout(QStringLiteral("onderdeel '%1' heeft op regel %2 al gewicht %3")
                     .arg(toonWoord(naam))
                     .arg(o.regelNummer)
                     .arg(o.gewicht));
            return;
        }
        m_onderdeel = int(i);
        return;
    }
    m_toets.onderdelen.push_back({naam, gewicht < 0 ? 1 : gewicht, m_nummer});
    m_onderdeel = int(m_toets.onderdelen.size()) - 1;
}

void Lezer::cijfer() {
    if (m_toets.cijfer) {
        fout(QStringLiteral("er staat al een cijfer-regel op regel %1")
                 .arg(m_toets.cijfer->regelNummer));
        return;
    }
    Cijfer c;
    c.regelNummer = m_nummer;
    if (!genoeg(3, QStringLiteral("cijfer LAAGSTE HOOGSTE")) ||
        !kommaGetal(1, 0, kMaxCijfer, c.laag) || !kommaGetal(2, 0, kMaxCijfer, c.hoog))
        return;
    if (c.laag >= c.hoog) {
        fout(QStringLiteral("het laagste cijfer hoort voor het hoogste: bijvoorbeeld 'cijfer 1 "
                            "10'"));
        return;
    }
    m_toets.cijfer = c;
}

void Lezer::sluitOnderdelen() {
    if (!m_onderdeelRegels) {
        m_toets.onderdelen.clear();
        for (Regel& r : m_toets.regels)
            r.onderdeel = 0;
        return;
    }
    std::vector<int> aantal(m_toets.onderdelen.size(), 0);
    for (const Regel& r : m_toets.regels)
        if (r.isVerwachting())
            ++aantal[std::size_t(r.onderdeel)];
    int gewicht = 0;
    for (std::size_t i = 0; i < m_toets.onderdelen.size(); ++i) {
        const Onderdeel& o = m_toets.onderdelen[i];
        if (aantal[i] == 0 && o.regelNummer > 0)
            m_toets.fouten.push_back(
                {o.regelNummer, QStringLiteral("onderdeel '%1' heeft geen enkele 'verwacht'-regel")
                                    .arg(toonWoord(o.naam))});
        gewicht += o.gewicht;
    }
    if (gewicht == 0)
        m_toets.fouten.push_back(
            {m_toets.onderdelen.back().regelNummer,
             QStringLiteral("elk onderdeel heeft gewicht 0, dus er valt niets te tellen")});
}

bool Lezer::zet(Regel& r) {
    if (!module(1, r.module) || !genoeg(4, QStringLiteral("zet MODULE NUMMER WAARDE")))
        return false;
    const int soort = r.module.entry->soort;
    if (isIngebouwd(r.module) && !heeftInstelling(soort))
        return fout(QStringLiteral("%1 heeft geen instelling").arg(r.module.naam));
    // A decimal comma, as the program writes it, or a point.
    QString w = m_woorden[3];
    w.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double waarde = QLocale::c().toDouble(w, &ok);
    if (!ok || !std::isfinite(waarde))
        return fout(QStringLiteral("'%1' is geen getal").arg(toonWoord(m_woorden[3])));
    if (std::abs(waarde) > kMaxInstelling)
        return fout(QStringLiteral("%1 ligt buiten het bereik van -%2 tot en met %2")
                        .arg(toonWoord(m_woorden[3]))
                        .arg(kMaxInstelling));
    // Pulse generators are set in whole hertz, voltages in tenths of a volt.
    if (soort == soorten::pulsGenerator && waarde != std::trunc(waarde))
        return fout(QStringLiteral("'%1' is geen geheel getal: %2 wordt in hele hertz gezet")
                        .arg(m_woorden[3], r.module.naam));
    const double tienden = waarde * 10.0;
    if (std::abs(tienden - std::round(tienden)) > 1e-6)
        return fout(
            QStringLiteral("'%1' heeft meer dan een cijfer achter de komma").arg(m_woorden[3]));
    r.waarde = waarde;
    r.weergave = m_woorden[3];
    return true;
}

bool Lezer::verwacht(Regel& r) {
    const QString vorm = QStringLiteral("verwacht MODULE NUMMER aan|uit, verwacht Pulsenteller "
                                        "NUMMER STAND of verwacht MODULE NUMMER uitgang U NIVEAU");
    if (!module(1, r.module))
        return false;
    if (m_woorden.size() < 4)
        return fout(QStringLiteral("er ontbreekt iets: schrijf '%1'").arg(vorm));
    const int soort = r.module.entry->soort;
    const bool ingebouwd = isIngebouwd(r.module);
    const QString wat = m_woorden[3].toLower();
    if (wat == QLatin1String("ingang") ||
        (wat == QLatin1String("uitgang") && m_woorden.size() == 6 &&
         aansluitingKleur(m_woorden[5]))) {
        // The colour of a terminal: "ingang K KLEUR" or "uitgang U KLEUR".
        r.stap = Stap::VerwachtKleur;
        r.ingang = wat == QLatin1String("ingang");
        if (!genoeg(6, QStringLiteral("verwacht MODULE NUMMER %1 NUMMER KLEUR").arg(wat)))
            return false;
        const int aantal =
            ingebouwd ? (r.ingang ? aantalIngangen(soort) : aantalUitgangen(soort)) : 10;
        if (aantal == 0)
            return fout(QStringLiteral("%1 heeft geen %2en").arg(r.module.naam, wat));
        if (!getal(4, 1, aantal, r.getal))
            return false;
        const std::optional<TColor> kleur = aansluitingKleur(m_woorden[5]);
        if (!kleur)
            return fout(QStringLiteral("'%1' is geen kleur van een aansluiting; dat zijn zwart, "
                                       "wit, grijs, geel, olijfgroen, blauw en donkerblauw")
                            .arg(m_woorden[5]));
        r.kleur = *kleur;
        r.weergave = m_woorden[5].toLower();
        return true;
    }
    if (wat == QLatin1String("uitgang")) {
        r.stap = Stap::VerwachtUitgang;
        if (!genoeg(6, QStringLiteral("verwacht MODULE NUMMER uitgang U NIVEAU")))
            return false;
        const int uitgangen = ingebouwd ? aantalUitgangen(soort) : 10;
        if (uitgangen == 0)
            return fout(QStringLiteral("%1 heeft geen uitgangen").arg(r.module.naam));
        return getal(4, 1, uitgangen, r.getal) && getal(5, 0, 50, r.niveau);
    }
    if (wat == QLatin1String("aan") || wat == QLatin1String("uit")) {
        r.stap = Stap::VerwachtAanUit;
        if (!genoeg(4, QStringLiteral("verwacht MODULE NUMMER aan|uit")))
            return false;
        if (ingebouwd && !heeftAanUit(soort))
            return fout(QStringLiteral("%1 is niet aan of uit; dat zijn een LED, een zoemer en "
                                       "een relais")
                            .arg(r.module.naam));
        r.aan = wat == QLatin1String("aan");
        return true;
    }
    if (ingebouwd && soort == soorten::pulsenTeller) {
        r.stap = Stap::VerwachtTeller;
        if (!genoeg(4, QStringLiteral("verwacht Pulsenteller NUMMER STAND")))
            return false;
        // The display shows one hexadecimal digit.
        bool ok = false;
        const int stand = m_woorden[3].toInt(&ok, 16);
        if (!ok)
            return fout(QStringLiteral("'%1' is geen stand van de pulsenteller (0 tot en met F)")
                            .arg(toonWoord(m_woorden[3])));
        if (stand < 0 || stand > 15)
            return fout(QStringLiteral("%1 ligt buiten het bereik van 0 tot en met F")
                            .arg(toonWoord(m_woorden[3])));
        r.weergave = QString::number(stand, 16).toUpper();
        return true;
    }
    return fout(QStringLiteral("na '%1' hoort aan, uit of uitgang").arg(r.module.tekst()));
}

void Lezer::regel(int nummer, QStringView tekst) {
    m_nummer = nummer;
    QString probleem;
    QString commentaar;
    const std::optional<QStringList> w = woorden(tekst, probleem, commentaar);
    if (!w) {
        fout(probleem);
        return;
    }
    m_woorden = *w;
    if (m_woorden.isEmpty())
        return;
    Regel r;
    r.regelNummer = nummer;
    r.commentaar = commentaar;
    const QString stap = m_woorden[0].toLower();
    bool goed = false;
    if (stap == QLatin1String("onderdeel")) {
        onderdeel();
        return;
    }
    if (stap == QLatin1String("cijfer")) {
        cijfer();
        return;
    }
    if (stap == QLatin1String("herhaal")) {
        Blok blok;
        blok.regelNummer = nummer;
        if (genoeg(2, QStringLiteral("herhaal AANTAL")) && getal(1, 1, kMaxHerhaling, blok.keer))
            m_blokken.push_back(std::move(blok));
        else
            m_blokken.push_back(Blok{nummer, 1, {}}); // its "einde" still closes it
        return;
    }
    if (stap == QLatin1String("einde")) {
        if (!genoeg(1, QStringLiteral("einde")))
            return;
        if (m_blokken.empty()) {
            fout(QStringLiteral("'einde' zonder 'herhaal' ervoor"));
            return;
        }
        sluitBlok();
        return;
    }
    if (stap == QLatin1String("druk") || stap == QLatin1String("los")) {
        r.stap = stap == QLatin1String("druk") ? Stap::Druk : Stap::Los;
        goed = module(1, r.module) && genoeg(3, stap + QStringLiteral(" MODULE NUMMER"));
        if (goed && isIngebouwd(r.module) && !heeftKnop(r.module.entry->soort))
            goed = fout(QStringLiteral("%1 heeft geen knop").arg(r.module.naam));
    } else if (stap == QLatin1String("zet")) {
        r.stap = Stap::Zet;
        goed = zet(r);
    } else if (stap == QLatin1String("geluid")) {
        r.stap = Stap::Geluid;
        goed = genoeg(2, QStringLiteral("geluid NIVEAU")) && getal(1, 0, kMaxGeluid, r.getal);
    } else if (stap == QLatin1String("muis")) {
        r.stap = Stap::Muis;
        goed = muis(r);
    } else if (stap == QLatin1String("tik")) {
        r.stap = Stap::Tik;
        goed = genoeg(2, QStringLiteral("tik AANTAL")) && getal(1, 0, kMaxTikken, r.getal);
    } else if (stap == QLatin1String("verwacht")) {
        goed = verwacht(r);
        if (goed && m_onderdeel < 0) {
            // Above the first section line: a section of their own.
            m_toets.onderdelen.push_back({QStringLiteral("zonder onderdeel"), 1, 0});
            m_onderdeel = int(m_toets.onderdelen.size()) - 1;
        }
        r.onderdeel = std::max(m_onderdeel, 0);
    } else {
        fout(QStringLiteral("onbekende stap '%1'; de stappen zijn druk, los, zet, geluid, muis, "
                            "tik, verwacht, herhaal, einde, onderdeel en cijfer")
                 .arg(toonWoord(m_woorden[0])));
    }
    if (goed)
        doel().push_back(std::move(r));
}

} // namespace

std::optional<TColor> aansluitingKleur(const QString& naam) {
    static const std::pair<const char*, TColor> namen[] = {
        {"zwart", kleuren::zwart},       {"wit", kleuren::wit},          {"grijs", kleuren::grijs},
        {"geel", kleuren::geel},         {"olijfgroen", kleuren::olijf}, {"blauw", kleuren::blauw},
        {"donkerblauw", kleuren::marine}};
    for (const auto& [n, k] : namen)
        if (naam.compare(QLatin1String(n), Qt::CaseInsensitive) == 0)
            return k;
    return std::nullopt;
}

Toets lees(QStringView tekst, const std::vector<Soortnaam>& soorten) {
    Toets toets;
    Lezer lezer(soorten, toets);
    int nummer = 0;
    for (const QStringView regel : tekst.split(u'\n')) {
        ++nummer;
        lezer.regel(nummer, regel.endsWith(u'\r') ? regel.chopped(1) : regel);
    }
    lezer.einde();
    lezer.sluitOnderdelen();
    if (toets.fouten.empty() && tikkenIn(toets.regels) > kMaxTotaalTikken)
        toets.fouten.push_back(
            {0, QStringLiteral("de toets laat de klok meer dan een uur lopen (%1 "
                               "tikken); zo lang is geen toets")
                    .arg(kMaxTotaalTikken)});
    std::stable_sort(toets.fouten.begin(), toets.fouten.end(),
                     [](const Fout& a, const Fout& b) { return a.regelNummer < b.regelNummer; });
    if (toets.fouten.empty() && toets.verwachtingen() == 0)
        toets.fouten.push_back(
            {0, QStringLiteral("het toetsbestand bevat geen enkele "
                               "'verwacht'-regel, dus er valt niets te toetsen")});
    return toets;
}

} // namespace toetsbestand
