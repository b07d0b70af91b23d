#include "toetsen/toetsen.h"

#include "app/afbeelding.h"
#include "app/kwintelvlak.h"
#include "app/opdrachtregel.h"
#include "app/zondergebruiker.h"
#include "boardfile/bordbestand.h"
#include "boardfile/cp1252.h"
#include "controls/spinknoppen.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "modules/soorten/pulsenteller.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/zoemer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace toetsen {

using toetsbestand::Regel;
using toetsbestand::Stap;

QString Resultaat::tekst() const {
    QString uit;
    if (ok)
        uit = wat;
    else if (!beoordeeld || verwacht.isEmpty())
        uit = wat + QStringLiteral(": ") + gezien;
    else
        uit = wat.section(QLatin1Char(' '), 0, -2) + QStringLiteral(": verwacht ") + verwacht +
              QStringLiteral(", gezien ") + gezien;
    if (!ronde.isEmpty())
        uit += QStringLiteral(" (ronde ") + ronde + QLatin1Char(')');
    if (!commentaar.isEmpty())
        uit += QStringLiteral(" -- ") + commentaar;
    return uit;
}

QString verwachtingWat(const Regel& r) {
    QString wat = r.module.tekst() + QLatin1Char(' ');
    switch (r.stap) {
    case Stap::VerwachtAanUit:
        return wat + (r.aan ? QStringLiteral("aan") : QStringLiteral("uit"));
    case Stap::VerwachtTeller:
        return wat + r.weergave;
    case Stap::VerwachtKleur:
        return wat + (r.ingang ? QStringLiteral("ingang %1 %2") : QStringLiteral("uitgang %1 %2"))
                         .arg(r.getal)
                         .arg(r.weergave);
    default:
        return wat + QStringLiteral("uitgang %1 %2").arg(r.getal).arg(r.niveau);
    }
}

int BordUitslag::behaald() const {
    int n = 0;
    for (const Resultaat& r : resultaten)
        n += r.ok ? 1 : 0;
    return n;
}

bool BordUitslag::geslaagd() const {
    return leesbaar && behaald() == totaal();
}

QString BordUitslag::uitslag() const {
    return !leesbaar    ? QStringLiteral("onleesbaar")
           : geslaagd() ? QStringLiteral("geslaagd")
                        : QStringLiteral("gezakt");
}

std::vector<toetsbestand::Soortnaam> soortNamen(const TfKwintelvlak& form) {
    std::vector<toetsbestand::Soortnaam> namen;
    for (const auto& entry : form.moduleSoorten) {
        const QAction* item = form.menuItemVoor(entry.get());
        if (!item)
            continue; // the small split: only board files make it
        // "&&" stands for an "&" that is no access key.
        QString naam = item->text();
        naam.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        naam.remove(QLatin1Char('&'));
        naam.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        namen.push_back({naam, entry.get()});
    }
    return namen;
}

namespace {

// The help's name of a terminal colour, or its $BBGGRR value.
QString toetsKleurNaam(TColor k) {
    for (const char* naam : {"zwart", "wit", "grijs", "geel", "olijfgroen", "blauw", "donkerblauw"})
        if (toetsbestand::aansluitingKleur(QLatin1String(naam)) == k)
            return QLatin1String(naam);
    return QStringLiteral("$%1").arg(k, 6, 16, QLatin1Char('0')).toUpper();
}

QString opEenRegel(QString tekst) {
    return tekst.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

// ---- Numberings -------------------------------------------------------------
//
// The check names modules by kind and number; a numbering gives each name a
// module of that kind on the board. Built-in kinds number their variants
// together (the small inverter is an inverter); plug-in kinds share kind 20,
// so each library is a group of its own.

struct Groep {
    int soort = 0;
    PModuleSoort zwenkel = nullptr; // the library, for plug-in kinds
    std::vector<int> namen;         // indices into Namen::lijst, by number
    bool bevat(const TModule* m) const {
        return zwenkel ? m->moduleSoort == zwenkel : m->moduleSoort->soort == soort;
    }
};

struct Namen {
    std::vector<toetsbestand::ModuleNaam> lijst; // every module name the check uses
    std::vector<int> groepVan;                   // per name
    std::vector<int> perRegel;                   // per step: its name, or -1
    std::vector<Groep> groepen;
};

Namen verzamelNamen(const toetsbestand::Toets& toets) {
    Namen n;
    n.perRegel.reserve(toets.regels.size());
    for (const Regel& r : toets.regels) {
        if (!r.module.entry || (r.stap == Stap::Muis && !r.relatief)) {
            n.perRegel.push_back(-1);
            continue;
        }
        const int soort = r.module.entry->soort;
        const PModuleSoort zwenkel = soort == soorten::zwenkel ? r.module.entry : nullptr;
        int g = 0;
        while (g < int(n.groepen.size()) &&
               !(n.groepen[g].soort == soort && n.groepen[g].zwenkel == zwenkel))
            ++g;
        if (g == int(n.groepen.size()))
            n.groepen.push_back({soort, zwenkel, {}});
        int k = 0;
        while (k < int(n.lijst.size()) &&
               !(n.groepVan[k] == g && n.lijst[k].nummer == r.module.nummer))
            ++k;
        if (k == int(n.lijst.size())) {
            n.lijst.push_back(r.module);
            n.groepVan.push_back(g);
            n.groepen[g].namen.push_back(k);
        }
        n.perRegel.push_back(k);
    }
    for (Groep& g : n.groepen)
        std::sort(g.namen.begin(), g.namen.end(),
                  [&n](int a, int b) { return n.lijst[a].nummer < n.lijst[b].nummer; });
    return n;
}

// The board's modules of each group, by their own number.
std::vector<std::vector<TModule*>> kandidaten(const TfKwintelvlak& form, const Namen& namen) {
    std::vector<std::vector<TModule*>> uit(namen.groepen.size());
    for (TModule* m : form.modules)
        for (std::size_t g = 0; g < namen.groepen.size(); ++g)
            if (namen.groepen[g].bevat(m))
                uit[g].push_back(m);
    for (auto& lijst : uit)
        std::stable_sort(lijst.begin(), lijst.end(), [](const TModule* a, const TModule* b) {
            return int(a->nummer) < int(b->nummer);
        });
    return uit;
}

// n!/(n-k)!, or more than grens.
qint64 variaties(int n, int k, qint64 grens) {
    qint64 uit = 1;
    for (int i = 0; i < k; ++i) {
        uit *= n - i;
        if (uit > grens)
            return grens + 1;
    }
    return uit;
}

// Every way to give a group's names distinct modules (indices into its
// candidates; -1 for none, only as many as there are names too many),
// the board's own numbering first.
std::vector<std::vector<int>> keuzesVoorGroep(const std::vector<int>& eigen, int modules) {
    const int namen = int(eigen.size());
    const int geen = std::max(0, namen - modules);
    std::vector<std::vector<int>> uit{eigen};
    std::vector<int> keuze(std::size_t(namen), -1);
    std::vector<bool> bezet(std::size_t(modules), false);
    const auto stap = [&](auto&& zelf, int i, int geenOver) -> void {
        if (i == namen) {
            if (keuze != eigen)
                uit.push_back(keuze);
            return;
        }
        for (int m = 0; m < modules; ++m) {
            if (bezet[std::size_t(m)])
                continue;
            bezet[std::size_t(m)] = true;
            keuze[std::size_t(i)] = m;
            zelf(zelf, i + 1, geenOver);
            bezet[std::size_t(m)] = false;
        }
        if (geenOver > 0) {
            keuze[std::size_t(i)] = -1;
            zelf(zelf, i + 1, geenOver - 1);
        }
    };
    stap(stap, 0, geen);
    return uit;
}

// ---- Running the steps --------------------------------------------------------

class Uitvoerder {
public:
    Uitvoerder(TfKwintelvlak& form, ZonderGebruiker& omgeving,
               const std::vector<TModule*>& naarBord, const Namen& namen)
        : m_form(form), m_omgeving(omgeving), m_naarBord(naarBord), m_namen(namen) {}

    // Runs the whole check; gives up as soon as missers expectations are
    // not met. The number not met, or -1 after giving up.
    int voerUit(const toetsbestand::Toets& toets, int grens, BordUitslag& uitslag);

private:
    TModule* module(std::size_t regel) const {
        const int k = m_namen.perRegel[regel];
        return k < 0 ? nullptr : m_naarBord[std::size_t(k)];
    }
    void resultaat(const Regel& r, bool ok, const QString& wat, const QString& verwacht,
                   const QString& gezien, bool beoordeeld = true) {
        m_uitslag->resultaten.push_back(
            {ok, r.regelNummer, wat, verwacht, gezien, beoordeeld, r.commentaar, r.ronde});
        if (!ok)
            ++m_missers;
    }
    // A step that cannot run on this board: said once, and every
    // expectation after it is not met.
    void kanNiet(const Regel& r, const QString& stap, const QString& waarom) {
        if (!m_kapot)
            m_kapot = QStringLiteral("regel %1 (%2) kon niet worden uitgevoerd")
                          .arg(r.regelNummer)
                          .arg(stap);
        const QString melding =
            QStringLiteral("regel %1: %2 kan niet: %3").arg(r.regelNummer).arg(stap, waarom);
        if (!m_uitslag->stappen.contains(melding))
            m_uitslag->stappen << melding;
    }
    static QString ontbreekt(const Regel& r) {
        return r.module.tekst() + QStringLiteral(" ontbreekt op het bord");
    }
    void stap(std::size_t i, const Regel& r);
    void verwachting(std::size_t i, const Regel& r);

    TfKwintelvlak& m_form;
    ZonderGebruiker& m_omgeving;
    const std::vector<TModule*>& m_naarBord;
    const Namen& m_namen;
    BordUitslag* m_uitslag = nullptr;
    std::optional<QString> m_kapot;
    int m_missers = 0;
};

int Uitvoerder::voerUit(const toetsbestand::Toets& toets, int grens, BordUitslag& uitslag) {
    m_uitslag = &uitslag;
    m_kapot.reset();
    m_missers = 0;
    for (std::size_t i = 0; i < toets.regels.size(); ++i) {
        const Regel& r = toets.regels[i];
        if (r.isVerwachting())
            verwachting(i, r);
        else
            stap(i, r);
        if (m_missers >= grens)
            return -1;
    }
    return m_missers;
}

void Uitvoerder::stap(std::size_t i, const Regel& r) {
    switch (r.stap) {
    case Stap::Tik:
        m_omgeving.tik(r.getal);
        return;
    case Stap::Geluid:
        // The sound sensor hears this level, as if a microphone gave it.
        audioBeschikbaar = true;
        geluidNiveau = r.getal;
        return;
    case Stap::Muis: {
        if (!r.relatief)
            return m_omgeving.zetMuis(m_form, QPoint(r.x, r.y));
        TModule* m = module(i);
        const QString stap = QStringLiteral("muis ") + r.module.tekst() + QLatin1Char(' ') +
                             QString::number(r.x) + QLatin1Char(' ') + QString::number(r.y);
        if (!m)
            return kanNiet(r, stap, ontbreekt(r));
        // From the module's top-left corner on the board.
        return m_omgeving.zetMuis(m_form, m->geometry().topLeft() + QPoint(r.x, r.y));
    }
    case Stap::Druk:
    case Stap::Los: {
        const QString stap =
            (r.stap == Stap::Druk ? QStringLiteral("druk ") : QStringLiteral("los ")) +
            r.module.tekst();
        TModule* m = module(i);
        if (!m)
            return kanNiet(r, stap, ontbreekt(r));
        auto* knop = m->findChild<TSchakelaar*>();
        if (!knop)
            return kanNiet(r, stap, r.module.naam + QStringLiteral(" heeft geen knop"));
        // What a left click on the key does.
        if (r.stap == Stap::Druk)
            m_form.sSchakelaarMouseDown(knop, Qt::LeftButton);
        else
            m_form.sSchakelaarMouseUp(knop, Qt::LeftButton);
        return;
    }
    case Stap::Zet: {
        const QString stap =
            QStringLiteral("zet ") + r.module.tekst() + QLatin1Char(' ') + r.weergave;
        TModule* m = module(i);
        if (!m)
            return kanNiet(r, stap, ontbreekt(r));
        auto* regelaar = m->findChild<TSpinEdit*>();
        if (!regelaar)
            return kanNiet(r, stap, r.module.naam + QStringLiteral(" heeft geen instelling"));
        // The control clamps the value to its range, as when it is stepped.
        if (qobject_cast<TCommaSpinEdit*>(regelaar))
            regelaar->setValue(int(std::lround(r.waarde * 10)));
        else if (r.waarde == std::trunc(r.waarde))
            regelaar->setValue(int(r.waarde));
        else
            return kanNiet(r, stap, r.module.naam + QStringLiteral(" neemt alleen hele getallen"));
        return;
    }
    case Stap::VerwachtAanUit:
    case Stap::VerwachtTeller:
    case Stap::VerwachtUitgang:
    case Stap::VerwachtKleur:
        return;
    }
}

void Uitvoerder::verwachting(std::size_t i, const Regel& r) {
    const QString wat = verwachtingWat(r);
    const QString verwacht = wat.section(QLatin1Char(' '), -1);
    if (m_kapot)
        return resultaat(r, false, wat, verwacht, *m_kapot, false);
    TModule* m = module(i);
    if (!m)
        return resultaat(r, false, wat, verwacht, ontbreekt(r), false);
    QString gezien;
    switch (r.stap) {
    case Stap::VerwachtAanUit: {
        bool aan = false;
        if (auto* z = qobject_cast<TZoemerMod*>(m))
            aan = z->zoemt;
        else if (auto* rl = qobject_cast<TRelaisMod*>(m))
            aan = rl->bekrachtigd;
        else if (auto* led = m->findChild<TLED*>())
            aan = led->brushKleur() == TLED::aan;
        else
            return resultaat(r, false, wat, verwacht,
                             r.module.naam + QStringLiteral(" is niet aan of uit"), false);
        gezien = aan ? QStringLiteral("aan") : QStringLiteral("uit");
        break;
    }
    case Stap::VerwachtTeller: {
        auto* teller = qobject_cast<TPulsenTellerMod*>(m);
        if (!teller)
            return resultaat(r, false, wat, verwacht, ontbreekt(r), false);
        gezien = teller->stTelstand->text();
        break;
    }
    case Stap::VerwachtKleur: {
        // What the terminal is filled with, by the help's name for it.
        const TVorm* aansluiting = nullptr;
        if (r.ingang && r.getal <= int(m->ingangenLijst().size()))
            aansluiting = m->ingangenLijst()[std::size_t(r.getal - 1)];
        else if (!r.ingang && r.getal <= int(m->uitgangenLijst().size()))
            aansluiting = m->uitgangenLijst()[std::size_t(r.getal - 1)];
        if (!aansluiting)
            return resultaat(r, false, wat, verwacht,
                             r.module.tekst() +
                                 (r.ingang ? QStringLiteral(" heeft geen ingang ")
                                           : QStringLiteral(" heeft geen uitgang ")) +
                                 QString::number(r.getal),
                             false);
        const TColor k = aansluiting->brushKleur();
        gezien = k == r.kleur ? r.weergave : toetsKleurNaam(k);
        break;
    }
    default: {
        const auto& uitgangen = m->uitgangenLijst();
        if (r.getal > int(uitgangen.size()))
            return resultaat(r, false, wat, verwacht,
                             r.module.tekst() + QStringLiteral(" heeft geen uitgang ") +
                                 QString::number(r.getal),
                             false);
        gezien = QString::number(uitgangen[std::size_t(r.getal - 1)]->laatsteNiveau);
        break;
    }
    }
    resultaat(r, gezien == verwacht, wat, verwacht, gezien);
}

// The board's own messages about records it could not place: a plug-in
// library this computer lacks, a kind it does not know.
QStringList overgeslagen(const TfKwintelvlak& form, QByteArrayView tekst) {
    QStringList uit;
    const bordbestand::BordInhoud inhoud = bordbestand::ontleed(tekst);
    for (const bordbestand::ModuleRegel& r : inhoud.modules) {
        const QString naam = cp1252::naarTekst(r.naam);
        const QByteArray naamUtf8 = naam.toUtf8();
        if (!r.naam.contains('\0') &&
            form.zoekLoadedModule(r.soort, naamUtf8.constData(), r.variant))
            continue;
        if (r.soort == soorten::zwenkel)
            uit << QStringLiteral("regel %1: de zwenkel-bibliotheek \"%2\" ontbreekt op deze "
                                  "computer; die module staat niet op het bord")
                       .arg(r.regelNummer)
                       .arg(opEenRegel(naam));
        else
            uit << QStringLiteral("regel %1: onbekende soort module %2; die regel is overgeslagen")
                       .arg(r.regelNummer)
                       .arg(r.soort);
    }
    return uit;
}

// A board file's text, or nothing when the window's own reading should say
// why it cannot be read.
std::optional<QByteArray> leesBord(const QString& bestand) {
    QFile f(bestand);
    constexpr qint64 kMaxGrootte = 1024 * 1024;
    if (QFileInfo(bestand).isDir() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray tekst = f.read(kMaxGrootte + 1);
    if (f.error() != QFileDevice::NoError || tekst.size() > kMaxGrootte)
        return std::nullopt;
    return tekst;
}

void beginOpnieuw(ZonderGebruiker& omgeving) {
    // Every board starts alike: silence and the pointer away from the board.
    geluidNiveau = 0;
    omgeving.muisWeg();
}

} // namespace

BordUitslag toetsBord(TfKwintelvlak& form, ZonderGebruiker& omgeving,
                      const toetsbestand::Toets& toets, const QString& bestand,
                      const Keuzes& keuzes) {
    BordUitslag uitslag;
    uitslag.bestand = bestand;
    omgeving.neemMeldingen();
    const std::optional<QByteArray> tekst = leesBord(bestand);
    if (tekst)
        form.openenUitTekst(*tekst, bestand);
    else
        form.openen(bestand);
    for (const ZonderGebruiker::Melding& m : omgeving.neemMeldingen()) {
        // An error stops the reading: what stands on the board is not the
        // pupil's board, so it is not judged.
        QString regel = opEenRegel(m.tekst);
        if (m.icoon == QMessageBox::Critical && uitslag.leesbaar) {
            uitslag.leesbaar = false;
            uitslag.melding =
                regel.replace(QStringLiteral("; wat tot dan toe gelezen was, blijft op het bord."),
                              QStringLiteral("; het bord is niet nagekeken."));
        } else {
            uitslag.opmerkingen << regel;
        }
    }
    if (tekst)
        uitslag.opmerkingen << overgeslagen(form, *tekst);
    if (!uitslag.leesbaar) {
        // The same plan as every other board, each expectation not met.
        for (const Regel& r : toets.regels) {
            if (!r.isVerwachting())
                continue;
            Resultaat res;
            res.regelNummer = r.regelNummer;
            res.wat = verwachtingWat(r);
            res.verwacht = res.wat.section(QLatin1Char(' '), -1);
            res.gezien = QStringLiteral("het bord is onleesbaar");
            res.beoordeeld = false;
            res.commentaar = r.commentaar;
            res.ronde = r.ronde;
            uitslag.resultaten.push_back(res);
        }
        return uitslag;
    }

    const Namen namen = verzamelNamen(toets);
    std::vector<std::vector<TModule*>> bordModules = kandidaten(form, namen);
    // The board's own numbering: each name to the module of that number.
    std::vector<std::vector<int>> eigen(namen.groepen.size());
    qint64 aantal = 1;
    for (std::size_t g = 0; g < namen.groepen.size(); ++g) {
        for (const int k : namen.groepen[g].namen) {
            int gevonden = -1;
            for (std::size_t c = 0; c < bordModules[g].size() && gevonden < 0; ++c)
                if (int(bordModules[g][c]->nummer) == namen.lijst[std::size_t(k)].nummer)
                    gevonden = int(c);
            eigen[g].push_back(gevonden);
        }
        const int n = int(eigen[g].size()), m = int(bordModules[g].size());
        aantal *= variaties(std::max(n, m), std::min(n, m), keuzes.maxToewijzingen);
        aantal = std::min<qint64>(aantal, qint64(keuzes.maxToewijzingen) + 1);
    }
    uitslag.begrensd = aantal > keuzes.maxToewijzingen;
    std::vector<std::vector<std::vector<int>>> perGroep(namen.groepen.size());
    for (std::size_t g = 0; g < namen.groepen.size(); ++g)
        perGroep[g] = uitslag.begrensd ? std::vector<std::vector<int>>{eigen[g]}
                                       : keuzesVoorGroep(eigen[g], int(bordModules[g].size()));

    // The numberings in turn, as a number in mixed radix over the groups:
    // the first is the board's own.
    std::vector<std::size_t> teller(namen.groepen.size(), 0);
    std::vector<TModule*> naarBord(namen.lijst.size(), nullptr);
    const auto zetNaarBord = [&] {
        for (std::size_t g = 0; g < namen.groepen.size(); ++g) {
            const std::vector<int>& keuze = perGroep[g][teller[g]];
            for (std::size_t i = 0; i < keuze.size(); ++i)
                naarBord[std::size_t(namen.groepen[g].namen[i])] =
                    keuze[i] < 0 ? nullptr : bordModules[g][std::size_t(keuze[i])];
        }
    };
    const auto volgende = [&] {
        for (std::size_t g = 0; g < teller.size(); ++g) {
            if (++teller[g] < perGroep[g].size())
                return true;
            teller[g] = 0;
        }
        return false;
    };

    std::optional<BordUitslag> beste;
    std::vector<std::size_t> besteTeller;
    int besteMissers = std::numeric_limits<int>::max();
    bool laatsteIsBeste = false;
    bool eerste = true;
    do {
        if (!eerste) {
            form.openenUitTekst(*tekst, bestand);
            omgeving.neemMeldingen();
            bordModules = kandidaten(form, namen);
        }
        eerste = false;
        beginOpnieuw(omgeving);
        zetNaarBord();
        ++uitslag.geprobeerd;
        BordUitslag poging;
        Uitvoerder uitvoerder(form, omgeving, naarBord, namen);
        const int missers = uitvoerder.voerUit(toets, besteMissers, poging);
        laatsteIsBeste = missers >= 0;
        if (missers >= 0) {
            beste = std::move(poging);
            besteTeller = teller;
            besteMissers = missers;
        }
    } while (besteMissers > 0 && volgende());

    if (keuzes.afbeelding && !laatsteIsBeste) {
        // The board as it stood at the end of the numbering that counts.
        form.openenUitTekst(*tekst, bestand);
        omgeving.neemMeldingen();
        bordModules = kandidaten(form, namen);
        beginOpnieuw(omgeving);
        teller = besteTeller;
        zetNaarBord();
        BordUitslag opnieuw;
        Uitvoerder(form, omgeving, naarBord, namen)
            .voerUit(toets, std::numeric_limits<int>::max(), opnieuw);
    }
    uitslag.resultaten = std::move(beste->resultaten);
    uitslag.stappen = std::move(beste->stappen);
    // Say which module each name stood for, where it is not its own.
    for (std::size_t g = 0; g < namen.groepen.size(); ++g) {
        const std::vector<int>& keuze = perGroep[g][besteTeller[g]];
        for (std::size_t i = 0; i < keuze.size(); ++i) {
            if (keuze[i] == eigen[g][i])
                continue;
            const toetsbestand::ModuleNaam& naam =
                namen.lijst[std::size_t(namen.groepen[g].namen[i])];
            QString bord;
            if (keuze[i] >= 0) {
                toetsbestand::ModuleNaam opBord = naam;
                opBord.nummer = int(bordModules[g][std::size_t(keuze[i])]->nummer);
                bord = opBord.tekst();
            }
            uitslag.toewijzing.push_back({naam.tekst(), bord});
        }
    }
    // Messages while the steps ran (none are expected) are kept as remarks.
    for (const ZonderGebruiker::Melding& m : omgeving.neemMeldingen())
        uitslag.opmerkingen << opEenRegel(m.tekst);
    if (keuzes.afbeelding) {
        uitslag.afbeelding = afbeelding::bordAfbeelding(form, keuzes.bijsnijden);
        form.hide(); // the next board's runs paint nothing
    }
    return uitslag;
}

} // namespace toetsen
