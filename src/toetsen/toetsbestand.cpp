#include "toetsen/toetsbestand.h"

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <optional>

namespace toetsbestand {

int Toets::verwachtingen() const {
    int n = 0;
    for (const Regel& r : regels)
        if (r.stap == Stap::VerwachtAanUit || r.stap == Stap::VerwachtTeller ||
            r.stap == Stap::VerwachtUitgang)
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

// One line taken apart into words; a word in double quotes may hold spaces.
// A "#" outside quotes starts a comment.
std::optional<QStringList> woorden(QStringView regel, QString& fout) {
    QStringList uit;
    QString woord;
    bool inWoord = false;
    bool inAanhaling = false;
    for (const QChar c : regel) {
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
        if (c == u'#')
            break;
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

private:
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
            return fout(QStringLiteral("'%1' is geen geheel getal").arg(w));
        if (n < minimum || n > maximum)
            return fout(QStringLiteral("%1 ligt buiten het bereik van %2 tot en met %3")
                            .arg(w)
                            .arg(minimum)
                            .arg(maximum));
        uit = int(n);
        return true;
    }
    bool module(int i, ModuleNaam& uit);
    bool zet(Regel& r);
    bool verwacht(Regel& r);

    const std::vector<Soortnaam>& m_soorten;
    Toets& m_toets;
    QStringList m_woorden;
    int m_nummer = 0;
};

bool Lezer::module(int i, ModuleNaam& uit) {
    if (m_woorden.size() <= i)
        return fout(
            QStringLiteral("er ontbreekt iets: na '%1' hoort een module").arg(m_woorden[0]));
    const QString& naam = m_woorden[i];
    for (const Soortnaam& s : m_soorten) {
        if (s.naam.compare(naam, Qt::CaseInsensitive) == 0) {
            uit.naam = s.naam;
            uit.entry = s.entry;
            if (m_woorden.size() <= i + 1)
                return fout(QStringLiteral("er ontbreekt iets: na '%1' hoort het nummer van de "
                                           "module")
                                .arg(naam));
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
                                .arg(naam, s.naam));
    }
    return fout(QStringLiteral("onbekende module '%1'").arg(naam));
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
        return fout(QStringLiteral("'%1' is geen getal").arg(m_woorden[3]));
    if (std::abs(waarde) > kMaxInstelling)
        return fout(QStringLiteral("%1 ligt buiten het bereik van -%2 tot en met %2")
                        .arg(m_woorden[3])
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
                            .arg(m_woorden[3]));
        if (stand < 0 || stand > 15)
            return fout(
                QStringLiteral("%1 ligt buiten het bereik van 0 tot en met F").arg(m_woorden[3]));
        r.weergave = QString::number(stand, 16).toUpper();
        return true;
    }
    return fout(QStringLiteral("na '%1' hoort aan, uit of uitgang").arg(r.module.tekst()));
}

void Lezer::regel(int nummer, QStringView tekst) {
    m_nummer = nummer;
    QString probleem;
    const std::optional<QStringList> w = woorden(tekst, probleem);
    if (!w) {
        fout(probleem);
        return;
    }
    m_woorden = *w;
    if (m_woorden.isEmpty())
        return;
    Regel r;
    r.regelNummer = nummer;
    const QString stap = m_woorden[0].toLower();
    bool goed = false;
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
        goed = genoeg(3, QStringLiteral("muis X Y")) && getal(1, -kMaxPositie, kMaxPositie, r.x) &&
               getal(2, -kMaxPositie, kMaxPositie, r.y);
    } else if (stap == QLatin1String("tik")) {
        r.stap = Stap::Tik;
        goed = genoeg(2, QStringLiteral("tik AANTAL")) && getal(1, 0, kMaxTikken, r.getal);
    } else if (stap == QLatin1String("verwacht")) {
        goed = verwacht(r);
    } else {
        fout(QStringLiteral("onbekende stap '%1'; de stappen zijn druk, los, zet, geluid, muis, "
                            "tik en verwacht")
                 .arg(m_woorden[0]));
    }
    if (goed)
        m_toets.regels.push_back(r);
}

} // namespace

Toets lees(QStringView tekst, const std::vector<Soortnaam>& soorten) {
    Toets toets;
    Lezer lezer(soorten, toets);
    int nummer = 0;
    for (const QStringView regel : tekst.split(u'\n')) {
        ++nummer;
        lezer.regel(nummer, regel.endsWith(u'\r') ? regel.chopped(1) : regel);
    }
    if (toets.fouten.empty() && toets.verwachtingen() == 0)
        toets.fouten.push_back(
            {0, QStringLiteral("het toetsbestand bevat geen enkele "
                               "'verwacht'-regel, dus er valt niets te toetsen")});
    return toets;
}

} // namespace toetsbestand
