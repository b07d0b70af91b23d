// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
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
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>

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

std::vector<OnderdeelScore> onderdeelScores(const toetsbestand::Toets& toets,
                                            const BordUitslag& u) {
    std::vector<OnderdeelScore> uit;
    if (toets.onderdelen.empty())
        uit.push_back({QString(), 1, 0, 0});
    for (const toetsbestand::Onderdeel& o : toets.onderdelen)
        uit.push_back({o.naam, o.gewicht, 0, 0});
    for (const Resultaat& r : u.resultaten) {
        OnderdeelScore& s = uit[std::size_t(std::clamp(r.onderdeel, 0, int(uit.size()) - 1))];
        ++s.totaal;
        s.behaald += r.ok ? 1 : 0;
    }
    return uit;
}

double gewogenScore(const toetsbestand::Toets& toets, const BordUitslag& u) {
    double som = 0, gewicht = 0;
    for (const OnderdeelScore& s : onderdeelScores(toets, u)) {
        if (s.totaal == 0)
            continue;
        som += s.gewicht * double(s.behaald) / s.totaal;
        gewicht += s.gewicht;
    }
    return gewicht > 0 ? som / gewicht : 0;
}

double cijfer(const toetsbestand::Cijfer& c, double score) {
    // Half a tenth rounds up, as grades are rounded; the small margin keeps
    // 5,45 from becoming 5,4 through the binary fraction.
    const double ruw = c.laag + (c.hoog - c.laag) * score;
    return std::floor(ruw * 10 + 0.5 + 1e-9) / 10;
}

QString cijferTekst(double cijfer) {
    return QString::number(cijfer, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString soortNaam(const TfKwintelvlak& form, const TModuleSoort* entry) {
    const QAction* item = form.menuItemVoor(const_cast<PModuleSoort>(entry));
    if (!item) {
        // The small split: named as the split the menu offers.
        for (const auto& e : form.moduleSoorten)
            if (e->soort == entry->soort && e.get() != entry && form.menuItemVoor(e.get()))
                return soortNaam(form, e.get());
        return QString::number(entry->soort);
    }
    // "&&" stands for an "&" that is no access key.
    QString naam = item->text();
    naam.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    naam.remove(QLatin1Char('&'));
    naam.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return naam;
}

std::vector<toetsbestand::Soortnaam> soortNamen(const TfKwintelvlak& form) {
    std::vector<toetsbestand::Soortnaam> namen;
    for (const auto& entry : form.moduleSoorten)
        if (form.menuItemVoor(entry.get())) // the small split: only board files make it
            namen.push_back({soortNaam(form, entry.get()), entry.get()});
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

// ---- Names and numberings -------------------------------------------------
//
// The check names modules by kind and number; a numbering gives each name a
// module of that kind on the board. Built-in kinds number their variants
// together (the small inverter is an inverter); plug-in kinds share kind 20,
// so each library is a group of its own.
//
// What the board does depends only on the modules the steps act on (the
// keys pressed, the settings set, the sensor pointed at): the names of those
// are "driven". The other names are only looked at by expectations. So the
// checker runs the board once per numbering of the driven names, and while
// it runs notes for every expectation what each candidate module shows; the
// best numbering of the names only looked at is then a matching of names to
// modules, found without running anything again.

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
    std::vector<bool> gestuurd;                  // per name: a step acts on it
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
            n.gestuurd.push_back(false);
            n.groepen[g].namen.push_back(k);
        }
        if (!r.isVerwachting())
            n.gestuurd[std::size_t(k)] = true;
        n.perRegel.push_back(k);
    }
    for (Groep& g : n.groepen)
        std::sort(g.namen.begin(), g.namen.end(),
                  [&n](int a, int b) { return n.lijst[a].nummer < n.lijst[b].nummer; });
    return n;
}

// A module as the expectations read it, its parts found once.
struct Kandidaat {
    TModule* module = nullptr;
    TLED* led = nullptr;
    TZoemerMod* zoemer = nullptr;
    TRelaisMod* relais = nullptr;
    TPulsenTellerMod* teller = nullptr;
};

// The board's modules of each group, by their own number.
std::vector<std::vector<Kandidaat>> kandidaten(const TfKwintelvlak& form, const Namen& namen) {
    std::vector<std::vector<Kandidaat>> uit(namen.groepen.size());
    for (TModule* m : form.modules)
        for (std::size_t g = 0; g < namen.groepen.size(); ++g)
            if (namen.groepen[g].bevat(m))
                uit[g].push_back({m, m->findChild<TLED*>(), qobject_cast<TZoemerMod*>(m),
                                  qobject_cast<TRelaisMod*>(m),
                                  qobject_cast<TPulsenTellerMod*>(m)});
    for (auto& lijst : uit)
        std::stable_sort(lijst.begin(), lijst.end(), [](const Kandidaat& a, const Kandidaat& b) {
            return int(a.module->nummer) < int(b.module->nummer);
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

// Every way to give a group's driven names distinct modules (indices into
// its candidates; -1 for none, at most geenMax of them), the board's own
// numbering first.
std::vector<std::vector<int>> keuzesVoorGroep(const std::vector<int>& eigen, int modules,
                                              int geenMax) {
    const int namen = int(eigen.size());
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
    stap(stap, 0, geenMax);
    return uit;
}

// The assignment of rows to columns with the largest total weight (rows <=
// columns), by the Hungarian method on costs: O(rows^2 x columns).
std::vector<int> besteKoppeling(const std::vector<std::vector<qint64>>& gewicht) {
    const int n = int(gewicht.size());
    if (n == 0)
        return {};
    const int m = int(gewicht[0].size());
    qint64 grootste = 0;
    for (const auto& rij : gewicht)
        for (const qint64 w : rij)
            grootste = std::max(grootste, w);
    const auto kosten = [&](int i, int j) {
        return grootste - gewicht[std::size_t(i - 1)][std::size_t(j - 1)];
    };
    constexpr qint64 kOneindig = std::numeric_limits<qint64>::max() / 4;
    std::vector<qint64> u(std::size_t(n) + 1, 0), v(std::size_t(m) + 1, 0);
    std::vector<int> p(std::size_t(m) + 1, 0), weg(std::size_t(m) + 1, 0);
    for (int i = 1; i <= n; ++i) {
        p[0] = i;
        int j0 = 0;
        std::vector<qint64> minV(std::size_t(m) + 1, kOneindig);
        std::vector<bool> gebruikt(std::size_t(m) + 1, false);
        do {
            gebruikt[std::size_t(j0)] = true;
            const int i0 = p[std::size_t(j0)];
            qint64 delta = kOneindig;
            int j1 = 0;
            for (int j = 1; j <= m; ++j) {
                if (gebruikt[std::size_t(j)])
                    continue;
                const qint64 nu = kosten(i0, j) - u[std::size_t(i0)] - v[std::size_t(j)];
                if (nu < minV[std::size_t(j)]) {
                    minV[std::size_t(j)] = nu;
                    weg[std::size_t(j)] = j0;
                }
                if (minV[std::size_t(j)] < delta) {
                    delta = minV[std::size_t(j)];
                    j1 = j;
                }
            }
            for (int j = 0; j <= m; ++j) {
                if (gebruikt[std::size_t(j)]) {
                    u[std::size_t(p[std::size_t(j)])] += delta;
                    v[std::size_t(j)] -= delta;
                } else {
                    minV[std::size_t(j)] -= delta;
                }
            }
            j0 = j1;
        } while (p[std::size_t(j0)] != 0);
        do {
            const int j1 = weg[std::size_t(j0)];
            p[std::size_t(j0)] = p[std::size_t(j1)];
            j0 = j1;
        } while (j0 != 0);
    }
    std::vector<int> uit(std::size_t(n), -1);
    for (int j = 1; j <= m; ++j)
        if (p[std::size_t(j)] > 0)
            uit[std::size_t(p[std::size_t(j)] - 1)] = j - 1;
    return uit;
}

// Beyond this many names or modules in one group, the names only looked at
// keep the board's own numbering: the matching's cost grows with the cube.
constexpr int kMaxKoppeling = 100;

// ---- Running the steps --------------------------------------------------------

// What an expectation sees on a module, as a number to compare with the
// expected one, or why there is nothing to see.
constexpr int kNietAanUit = -1;
constexpr int kGeenUitgang = -2;

int verwachteWaarde(const Regel& r) {
    switch (r.stap) {
    case Stap::VerwachtAanUit:
        return r.aan ? 1 : 0;
    case Stap::VerwachtTeller:
        return r.weergave.toInt(nullptr, 16);
    case Stap::VerwachtKleur:
        return int(r.kleur);
    default:
        return r.niveau;
    }
}

int gezieneWaarde(const Regel& r, const Kandidaat& k) {
    switch (r.stap) {
    case Stap::VerwachtAanUit:
        if (k.zoemer)
            return k.zoemer->zoemt ? 1 : 0;
        if (k.relais)
            return k.relais->bekrachtigd ? 1 : 0;
        if (k.led)
            return k.led->brushKleur() == TLED::aan ? 1 : 0;
        return kNietAanUit;
    case Stap::VerwachtTeller: {
        if (!k.teller)
            return kNietAanUit;
        bool ok = false;
        const int w = k.teller->stTelstand->text().toInt(&ok, 16);
        return ok ? w : kNietAanUit;
    }
    case Stap::VerwachtKleur: {
        // What the terminal is filled with, compared by the help's name for it.
        const auto& ingangen = k.module->ingangenLijst();
        const auto& uitgangen = k.module->uitgangenLijst();
        const TVorm* aansluiting = nullptr;
        if (r.ingang && r.getal >= 1 && r.getal <= int(ingangen.size()))
            aansluiting = ingangen[std::size_t(r.getal - 1)];
        else if (!r.ingang && r.getal >= 1 && r.getal <= int(uitgangen.size()))
            aansluiting = uitgangen[std::size_t(r.getal - 1)];
        return aansluiting ? int(aansluiting->brushKleur()) : kGeenUitgang;
    }
    default: {
        const auto& uitgangen = k.module->uitgangenLijst();
        if (r.getal > int(uitgangen.size()))
            return kGeenUitgang;
        return uitgangen[std::size_t(r.getal - 1)]->laatsteNiveau;
    }
    }
}

// One run of the check on the board: its outcome.
struct Poging {
    int gehaald = 0;  // expectations on driven names met
    int verloren = 0; // expectations that no module can meet in this run
    // Per name only looked at: per candidate, the expectations it meets.
    std::vector<std::vector<int>> treffers;
    bool opgegeven = false; // stopped: it can no longer win
    int gestoptBij = -1;    // the step at which the time ran out
    qint64 tikken = 0;
    // Recorded for the numbering the run was given.
    std::vector<Resultaat> resultaten;
    QStringList stappen;
};

class Uitvoerder {
public:
    Uitvoerder(TfKwintelvlak& form, ZonderGebruiker& omgeving, const toetsbestand::Toets& toets,
               const Namen& namen, const std::vector<std::vector<Kandidaat>>& kandidaten)
        : m_form(form), m_omgeving(omgeving), m_toets(toets), m_namen(namen),
          m_kandidaten(kandidaten) {}

    // Runs the whole check with keuze (per name: a candidate of its group,
    // or -1 for none). Gives up as soon as no more than grens expectations
    // can be met (grens < 0: never), and stops the clock after tikken ticks.
    // With opnemen, each expectation's result for keuze is kept.
    Poging voerUit(const std::vector<int>& keuze, int grens, qint64 tikken, bool opnemen);

private:
    const Kandidaat* kandidaat(int naam) const {
        const int c = (*m_keuze)[std::size_t(naam)];
        return c < 0 ? nullptr
                     : &m_kandidaten[std::size_t(m_namen.groepVan[std::size_t(naam)])]
                                    [std::size_t(c)];
    }
    // A step that cannot run on this board: said once and skipped. When the
    // module is there (it lacks a key, say), what it feeds can no longer be
    // judged from here on.
    void kanNiet(std::size_t i, const Regel& r, const QString& waarom, const TModule* module) {
        const QString melding = QStringLiteral("regel %1: %2 kan niet: %3")
                                    .arg(r.regelNummer)
                                    .arg(r.stapTekst(), waarom);
        if (!m_poging.stappen.contains(melding))
            m_poging.stappen << melding;
        if (module)
            besmet(module, i);
    }
    void besmet(const TModule* begin, std::size_t stap) {
        std::vector<const TModule*> rij{begin};
        while (!rij.empty()) {
            const TModule* m = rij.back();
            rij.pop_back();
            if (!m_besmet.emplace(m, stap).second)
                continue;
            for (const TUitgang* u : m->uitgangenLijst())
                if (u->isVerbonden())
                    if (const TModule* doel = m_form.zoekModule(u->doelSoort, u->doelNummer))
                        rij.push_back(doel);
        }
    }
    bool isBesmet(const TModule* m) const { return !m_besmet.empty() && m_besmet.count(m) > 0; }
    // Why a module cannot be judged now, or nothing.
    std::optional<QString> onbeoordeelbaar(const TModule* m) const {
        if (m_besmet.empty())
            return std::nullopt;
        const auto gevonden = m_besmet.find(m);
        if (gevonden == m_besmet.end())
            return std::nullopt;
        const Regel& oorzaak = m_toets.regels[gevonden->second];
        return QStringLiteral("hangt af van regel %1 (%2), die niet kon worden uitgevoerd")
            .arg(oorzaak.regelNummer)
            .arg(oorzaak.stapTekst());
    }
    static QString ontbreekt(const Regel& r) {
        return r.module.tekst() + QStringLiteral(" ontbreekt op het bord");
    }
    void stap(std::size_t i, const Regel& r);
    void verwachting(std::size_t i, const Regel& r);
    Resultaat resultaat(const Regel& r, const Kandidaat* k) const;

    TfKwintelvlak& m_form;
    ZonderGebruiker& m_omgeving;
    const toetsbestand::Toets& m_toets;
    const Namen& m_namen;
    const std::vector<std::vector<Kandidaat>>& m_kandidaten;
    const std::vector<int>* m_keuze = nullptr;
    bool m_opnemen = false;
    std::unordered_map<const TModule*, std::size_t> m_besmet;
    Poging m_poging;
};

Poging Uitvoerder::voerUit(const std::vector<int>& keuze, int grens, qint64 tikken, bool opnemen) {
    m_keuze = &keuze;
    m_opnemen = opnemen;
    m_besmet.clear();
    m_poging = Poging{};
    m_poging.treffers.resize(m_namen.lijst.size());
    for (std::size_t k = 0; k < m_namen.lijst.size(); ++k)
        if (!m_namen.gestuurd[k])
            m_poging.treffers[k].assign(m_kandidaten[std::size_t(m_namen.groepVan[k])].size(), 0);
    const int totaal = m_toets.verwachtingen();
    const std::vector<Regel>& regels = m_toets.regels;
    std::size_t i = 0;
    for (; i < regels.size(); ++i) {
        const Regel& r = regels[i];
        if (r.isVerwachting()) {
            verwachting(i, r);
        } else if (r.stap == Stap::Tik) {
            const qint64 n = std::min<qint64>(r.getal, tikken - m_poging.tikken);
            m_omgeving.tik(int(n));
            m_poging.tikken += n;
            if (n < r.getal) {
                m_poging.gestoptBij = int(i);
                break;
            }
        } else {
            stap(i, r);
        }
        if (grens >= 0 && totaal - m_poging.verloren <= grens) {
            m_poging.opgegeven = true;
            return std::move(m_poging);
        }
    }
    // The time ran out: what was not reached is not met.
    for (++i; i < regels.size(); ++i) {
        const Regel& r = regels[i];
        if (!r.isVerwachting())
            continue;
        ++m_poging.verloren;
        if (!m_opnemen)
            continue;
        Resultaat res = resultaat(r, nullptr);
        res.gezien = QStringLiteral("niet bereikt: de tijdslimiet was op");
        m_poging.resultaten.push_back(std::move(res));
    }
    return std::move(m_poging);
}

void Uitvoerder::stap(std::size_t i, const Regel& r) {
    switch (r.stap) {
    case Stap::Geluid:
        // The sound sensor hears this level, as if a microphone gave it.
        audioBeschikbaar = true;
        geluidNiveau = r.getal;
        return;
    case Stap::Muis: {
        if (!r.relatief)
            return m_omgeving.zetMuis(m_form, QPoint(r.x, r.y));
        const Kandidaat* k = kandidaat(m_namen.perRegel[i]);
        if (!k)
            return kanNiet(i, r, ontbreekt(r), nullptr);
        // From the module's top-left corner on the board.
        return m_omgeving.zetMuis(m_form, k->module->geometry().topLeft() + QPoint(r.x, r.y));
    }
    case Stap::Druk:
    case Stap::Los: {
        const Kandidaat* k = kandidaat(m_namen.perRegel[i]);
        if (!k)
            return kanNiet(i, r, ontbreekt(r), nullptr);
        auto* knop = k->module->findChild<TSchakelaar*>();
        if (!knop)
            return kanNiet(i, r, r.module.naam + QStringLiteral(" heeft geen knop"), k->module);
        // What a left click on the key does.
        if (r.stap == Stap::Druk)
            m_form.sSchakelaarMouseDown(knop, Qt::LeftButton);
        else
            m_form.sSchakelaarMouseUp(knop, Qt::LeftButton);
        return;
    }
    case Stap::Zet: {
        const Kandidaat* k = kandidaat(m_namen.perRegel[i]);
        if (!k)
            return kanNiet(i, r, ontbreekt(r), nullptr);
        auto* regelaar = k->module->findChild<TSpinEdit*>();
        if (!regelaar)
            return kanNiet(i, r, r.module.naam + QStringLiteral(" heeft geen instelling"),
                           k->module);
        // The control clamps the value to its range, as when it is stepped.
        if (qobject_cast<TCommaSpinEdit*>(regelaar))
            regelaar->setValue(int(std::lround(r.waarde * 10)));
        else if (r.waarde == std::trunc(r.waarde))
            regelaar->setValue(int(r.waarde));
        else
            return kanNiet(i, r, r.module.naam + QStringLiteral(" neemt alleen hele getallen"),
                           k->module);
        return;
    }
    default:
        return;
    }
}

Resultaat Uitvoerder::resultaat(const Regel& r, const Kandidaat* k) const {
    Resultaat res;
    res.regelNummer = r.regelNummer;
    res.wat = verwachtingWat(r);
    res.verwacht = res.wat.section(QLatin1Char(' '), -1);
    res.commentaar = r.commentaar;
    res.ronde = r.ronde;
    res.onderdeel = r.onderdeel;
    res.beoordeeld = false;
    if (!k) {
        res.gezien = ontbreekt(r);
        return res;
    }
    if (const std::optional<QString> waarom = onbeoordeelbaar(k->module)) {
        res.gezien = *waarom;
        return res;
    }
    const int w = gezieneWaarde(r, *k);
    if (w == kNietAanUit) {
        res.gezien = r.module.naam + QStringLiteral(" is niet aan of uit");
        return res;
    }
    if (w == kGeenUitgang) {
        res.gezien = r.module.tekst() +
                     (r.stap == Stap::VerwachtKleur && r.ingang ? QStringLiteral(" heeft geen ingang ")
                                                                : QStringLiteral(" heeft geen uitgang ")) +
                     QString::number(r.getal);
        return res;
    }
    res.beoordeeld = true;
    switch (r.stap) {
    case Stap::VerwachtAanUit:
        res.gezien = w ? QStringLiteral("aan") : QStringLiteral("uit");
        break;
    case Stap::VerwachtTeller:
        res.gezien = QString::number(w, 16).toUpper();
        break;
    case Stap::VerwachtKleur:
        res.gezien = w == int(r.kleur) ? r.weergave : toetsKleurNaam(TColor(w));
        break;
    default:
        res.gezien = QString::number(w);
        break;
    }
    res.ok = res.gezien == res.verwacht;
    return res;
}

void Uitvoerder::verwachting(std::size_t i, const Regel& r) {
    const int naam = m_namen.perRegel[i];
    const int verwacht = verwachteWaarde(r);
    const Kandidaat* gekozen = kandidaat(naam);
    if (m_namen.gestuurd[std::size_t(naam)]) {
        const bool ok =
            gekozen && !isBesmet(gekozen->module) && gezieneWaarde(r, *gekozen) == verwacht;
        m_poging.gehaald += ok ? 1 : 0;
        m_poging.verloren += ok ? 0 : 1;
    } else {
        // Every module this name could stand for, looked at now.
        const auto& lijst = m_kandidaten[std::size_t(m_namen.groepVan[std::size_t(naam)])];
        std::vector<int>& treffers = m_poging.treffers[std::size_t(naam)];
        bool ergens = false;
        for (std::size_t c = 0; c < lijst.size(); ++c) {
            if (gezieneWaarde(r, lijst[c]) != verwacht || isBesmet(lijst[c].module))
                continue;
            ++treffers[c];
            ergens = true;
        }
        m_poging.verloren += ergens ? 0 : 1;
    }
    if (m_opnemen)
        m_poging.resultaten.push_back(resultaat(r, gekozen));
}

// The board's own messages about records it could not place: a plug-in
// library this computer lacks, a kind it does not know.
QStringList overgeslagen(const TfKwintelvlak& form, const bordbestand::BordInhoud& inhoud) {
    QStringList uit;
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

// The board's message about a record with more wires than its module has
// outputs names no line: per record that caused it, in the order of the
// file, its line and what it says.
struct TeVeelDraden {
    int regelNummer = 0;
    QString uitleg;
};
std::vector<TeVeelDraden> teVeelDraden(const TfKwintelvlak& form,
                                       const bordbestand::BordInhoud& inhoud) {
    std::vector<TeVeelDraden> uit;
    std::size_t volgende = 0; // the records that made a module, in order, are form.modules
    for (const bordbestand::ModuleRegel& r : inhoud.modules) {
        if (r.naam.contains('\0'))
            continue;
        const QByteArray naam = cp1252::naarTekst(r.naam).toUtf8();
        const PModuleSoort entry = form.zoekLoadedModule(r.soort, naam.constData(), r.variant);
        if (!entry || volgende >= form.modules.size())
            continue;
        const TModule* m = form.modules[volgende];
        if (m->moduleSoort != entry)
            return {}; // the list no longer follows the file: name no lines
        ++volgende;
        const int uitgangen = int(m->uitgangenLijst().size());
        if (r.n > uitgangen)
            uit.push_back(
                {r.regelNummer, QStringLiteral("%1 %2 heeft %3 uitgang%4, de regel noemt er %5; de "
                                               "draden van die regel zijn niet gelezen")
                                    .arg(soortNaam(form, entry))
                                    .arg(int(m->nummer))
                                    .arg(uitgangen)
                                    .arg(uitgangen == 1 ? QString() : QStringLiteral("en"))
                                    .arg(r.n)});
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
    // Read to the end, also from a pipe that delivers it in pieces.
    QByteArray tekst;
    while (tekst.size() <= kMaxGrootte) {
        const QByteArray stuk = f.read(kMaxGrootte + 1 - tekst.size());
        if (stuk.isEmpty())
            break;
        tekst += stuk;
    }
    if (f.error() != QFileDevice::NoError || tekst.size() > kMaxGrootte)
        return std::nullopt;
    return tekst;
}

// The names of the modules on a board's picture: each as the check names
// it; a module of a kind the check names but that stands for none of its
// names by its kind only; a module of another kind by its own number.
std::unordered_map<const TModule*, QString>
namenOpHetBord(const TfKwintelvlak& form, const Namen& namen,
               const std::vector<std::vector<Kandidaat>>& kandidaten,
               const std::vector<int>& keuze) {
    std::unordered_map<const TModule*, QString> uit;
    for (std::size_t k = 0; k < namen.lijst.size(); ++k)
        if (keuze[k] >= 0)
            uit[kandidaten[std::size_t(namen.groepVan[k])][std::size_t(keuze[k])].module] =
                namen.lijst[k].tekst();
    for (const TModule* m : form.modules) {
        if (uit.count(m))
            continue;
        std::size_t g = 0;
        while (g < namen.groepen.size() && !namen.groepen[g].bevat(m))
            ++g;
        if (g < namen.groepen.size())
            uit[m] = QLatin1Char('(') + namen.lijst[std::size_t(namen.groepen[g].namen[0])].naam +
                     QLatin1Char(')');
        else
            uit[m] = soortNaam(form, m->moduleSoort) + QLatin1Char(' ') +
                     QString::number(int(m->nummer));
    }
    return uit;
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
    const bordbestand::BordInhoud inhoud =
        tekst ? bordbestand::ontleed(*tekst) : bordbestand::BordInhoud{};
    std::vector<TeVeelDraden> teVeel = teVeelDraden(form, inhoud);
    std::size_t teVeelGenoemd = 0;
    for (const ZonderGebruiker::Melding& m : omgeving.neemMeldingen()) {
        // An error stops the reading: what stands on the board is not the
        // pupil's board, so it is not judged.
        QString regel = opEenRegel(m.tekst);
        if (m.icoon == QMessageBox::Critical && uitslag.leesbaar) {
            uitslag.leesbaar = false;
            uitslag.melding =
                regel.replace(QStringLiteral("; wat tot dan toe gelezen was, blijft op het bord."),
                              QStringLiteral("; het bord is niet nagekeken."));
        } else if (m.icoon != QMessageBox::Critical && teVeelGenoemd < teVeel.size() &&
                   regel.startsWith(QStringLiteral("Gegeven aantal uitgangen"))) {
            const TeVeelDraden& t = teVeel[teVeelGenoemd++];
            uitslag.opmerkingen
                << QStringLiteral("regel %1: %2 (%3)").arg(t.regelNummer).arg(regel, t.uitleg);
        } else {
            uitslag.opmerkingen << regel;
        }
    }
    if (tekst)
        uitslag.opmerkingen << overgeslagen(form, inhoud);
    else if (uitslag.leesbaar) {
        // Read by the window but not here (it changed meanwhile): not judged.
        uitslag.leesbaar = false;
        uitslag.melding = QStringLiteral("Het bestand \"%1\" kan niet worden gelezen.")
                              .arg(QDir::toNativeSeparators(bestand));
    }
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
            res.onderdeel = r.onderdeel;
            uitslag.resultaten.push_back(res);
        }
        return uitslag;
    }

    // Every run starts alike: silence, the pointer away from the board.
    const bool audioVooraf = audioBeschikbaar;
    const auto beginOpnieuw = [&](bool openOpnieuw) {
        if (openOpnieuw) {
            form.openenUitTekst(*tekst, bestand);
            omgeving.neemMeldingen();
        }
        audioBeschikbaar = audioVooraf;
        geluidNiveau = 0;
        omgeving.muisWeg();
    };

    const Namen namen = verzamelNamen(toets);
    std::vector<std::vector<Kandidaat>> bordModules = kandidaten(form, namen);
    const std::size_t aantalNamen = namen.lijst.size();
    // Each name's own module: the one of its number, when there is one.
    std::vector<int> eigen(aantalNamen, -1);
    for (std::size_t k = 0; k < aantalNamen; ++k) {
        const auto& lijst = bordModules[std::size_t(namen.groepVan[k])];
        for (std::size_t c = 0; c < lijst.size() && eigen[k] < 0; ++c)
            if (int(lijst[c].module->nummer) == namen.lijst[k].nummer)
                eigen[k] = int(c);
    }

    // The numberings of the driven names, group by group.
    const std::size_t groepen = namen.groepen.size();
    std::vector<std::vector<int>> gestuurd(groepen), gelezen(groepen);
    for (std::size_t g = 0; g < groepen; ++g)
        for (const int k : namen.groepen[g].namen)
            (namen.gestuurd[std::size_t(k)] ? gestuurd : gelezen)[g].push_back(k);
    qint64 aantal = 1;
    for (std::size_t g = 0; g < groepen; ++g) {
        const int n = int(gestuurd[g].size()), m = int(bordModules[g].size());
        const int alle = int(namen.groepen[g].namen.size());
        // With fewer modules than names some names get none; a driven name
        // may be one of them.
        const int geen = std::min(n, std::max(0, alle - m));
        aantal *= variaties(m + geen, n, keuzes.maxToewijzingen);
        aantal = std::min<qint64>(aantal, qint64(keuzes.maxToewijzingen) + 1);
    }
    uitslag.mogelijk = int(aantal);
    const bool alleenEigen = aantal > keuzes.maxToewijzingen;
    uitslag.begrensd = alleenEigen;
    std::vector<std::vector<std::vector<int>>> perGroep(groepen);
    for (std::size_t g = 0; g < groepen; ++g) {
        std::vector<int> eigenGestuurd;
        for (const int k : gestuurd[g])
            eigenGestuurd.push_back(eigen[std::size_t(k)]);
        const int m = int(bordModules[g].size());
        const int geen =
            std::min(int(gestuurd[g].size()), std::max(0, int(namen.groepen[g].namen.size()) - m));
        perGroep[g] = alleenEigen ? std::vector<std::vector<int>>{eigenGestuurd}
                                  : keuzesVoorGroep(eigenGestuurd, m, geen);
        if (int(gelezen[g].size()) > kMaxKoppeling || m > kMaxKoppeling)
            uitslag.begrensd = true;
    }

    // The numberings in turn, as a number in mixed radix over the groups:
    // the first is the board's own.
    std::vector<std::size_t> teller(groepen, 0);
    const auto zetKeuze = [&](const std::vector<std::size_t>& t, std::vector<int>& keuze) {
        keuze = eigen;
        for (std::size_t g = 0; g < groepen; ++g) {
            const std::vector<int>& gekozen = perGroep[g][t[g]];
            for (std::size_t i = 0; i < gekozen.size(); ++i)
                keuze[std::size_t(gestuurd[g][i])] = gekozen[i];
            // The names only looked at keep their own module, unless a
            // driven name has it.
            for (const int k : gelezen[g])
                if (std::find(gekozen.begin(), gekozen.end(), eigen[std::size_t(k)]) !=
                    gekozen.end())
                    keuze[std::size_t(k)] = -1;
        }
    };
    const auto volgende = [&] {
        for (std::size_t g = 0; g < groepen; ++g) {
            if (++teller[g] < perGroep[g].size())
                return true;
            teller[g] = 0;
        }
        return false;
    };
    // The best numbering of the names only looked at, for one run: per
    // group, a matching of those names to the modules the driven names left.
    // Weights: met expectations first, then a module rather than none, then
    // the name's own module.
    const qint64 k = 2 * qint64(aantalNamen) + 1;
    const auto koppel = [&](const Poging& p, std::vector<int>& keuze) {
        int gehaald = p.gehaald;
        for (std::size_t g = 0; g < groepen; ++g) {
            const std::vector<int>& namenHier = gelezen[g];
            if (namenHier.empty())
                continue;
            std::vector<int> vrij;
            for (int c = 0; c < int(bordModules[g].size()); ++c) {
                bool bezet = false;
                for (const int d : gestuurd[g])
                    bezet = bezet || keuze[std::size_t(d)] == c;
                if (!bezet)
                    vrij.push_back(c);
            }
            if (int(namenHier.size()) > kMaxKoppeling ||
                int(bordModules[g].size()) > kMaxKoppeling) {
                for (const int n : namenHier)
                    if (keuze[std::size_t(n)] >= 0)
                        gehaald += p.treffers[std::size_t(n)][std::size_t(keuze[std::size_t(n)])];
                continue;
            }
            std::vector<std::vector<qint64>> gewicht(namenHier.size());
            for (std::size_t r = 0; r < namenHier.size(); ++r) {
                const std::size_t n = std::size_t(namenHier[r]);
                for (const int c : vrij)
                    gewicht[r].push_back(p.treffers[n][std::size_t(c)] * k + 1 +
                                         (c == eigen[n] ? 1 : 0));
                gewicht[r].resize(vrij.size() + namenHier.size(), 0); // none
            }
            const std::vector<int> koppeling = besteKoppeling(gewicht);
            for (std::size_t r = 0; r < namenHier.size(); ++r) {
                const std::size_t n = std::size_t(namenHier[r]);
                const int kolom = koppeling[r];
                keuze[n] = kolom < int(vrij.size()) ? vrij[std::size_t(kolom)] : -1;
                if (keuze[n] >= 0)
                    gehaald += p.treffers[n][std::size_t(keuze[n])];
            }
        }
        return gehaald;
    };

    Uitvoerder uitvoerder(form, omgeving, toets, namen, bordModules);
    const qint64 tijd = qint64(keuzes.tijdslimiet) * 100; // ticks of 10 ms
    qint64 tikkenOver = tijd;
    int besteGehaald = -1;
    std::vector<int> besteKeuze;
    std::optional<Poging> beste;
    bool besteIsLaatste = false, besteOpgenomen = false;
    qint64 besteTikken = 0;
    const int totaal = toets.verwachtingen();
    bool eerste = true;
    do {
        beginOpnieuw(!eerste);
        if (!eerste)
            bordModules = kandidaten(form, namen);
        eerste = false;
        std::vector<int> keuze;
        zetKeuze(teller, keuze);
        ++uitslag.geprobeerd;
        const qint64 tikkenVoor = tikkenOver;
        // The board's own numbering is recorded as it runs: mostly it is the
        // one that counts.
        const bool opnemen = uitslag.geprobeerd == 1;
        Poging poging = uitvoerder.voerUit(keuze, besteGehaald, tikkenOver, opnemen);
        tikkenOver -= poging.tikken;
        const bool afgebroken = poging.gestoptBij >= 0;
        besteIsLaatste = false;
        if (!poging.opgegeven) {
            const std::vector<int> opgenomen = keuze;
            const int gehaald = koppel(poging, keuze);
            if (gehaald > besteGehaald) {
                besteGehaald = gehaald;
                besteOpgenomen = opnemen && keuze == opgenomen;
                besteKeuze = std::move(keuze);
                besteTikken = tikkenVoor;
                beste = std::move(poging);
                besteIsLaatste = true;
            }
        }
        if (besteGehaald == totaal)
            break;
        if (tikkenOver <= 0) {
            // Said when the time cut a run short or left numberings untried.
            bool meer = false;
            for (std::size_t g = 0; g < groepen; ++g)
                meer = meer || teller[g] + 1 < perGroep[g].size();
            uitslag.tijdOp = afgebroken || meer;
            break;
        }
    } while (volgende());

    if (!besteOpgenomen || (keuzes.afbeelding && !besteIsLaatste)) {
        // The numbering that counts, run again to record what it shows and
        // to leave the board as it stood at its end.
        beginOpnieuw(true);
        bordModules = kandidaten(form, namen);
        Uitvoerder opnieuw(form, omgeving, toets, namen, bordModules);
        Poging p = opnieuw.voerUit(besteKeuze, -1, besteTikken, true);
        beste->resultaten = std::move(p.resultaten);
        beste->stappen = std::move(p.stappen);
    }
    uitslag.resultaten = std::move(beste->resultaten);
    uitslag.stappen = std::move(beste->stappen);
    if (uitslag.tijdOp)
        uitslag.stappen << QStringLiteral("de tijdslimiet van %1 s gesimuleerde tijd is bereikt "
                                          "na %2 van %3 nummeringen; het bord is nagekeken op "
                                          "wat er gelopen heeft")
                               .arg(keuzes.tijdslimiet)
                               .arg(uitslag.geprobeerd)
                               .arg(uitslag.begrensd ? 1 : uitslag.mogelijk);
    // Say which module each name stood for, where it is not its own.
    for (const Groep& g : namen.groepen) {
        for (const int n : g.namen) {
            const int c = besteKeuze[std::size_t(n)];
            if (c == eigen[std::size_t(n)])
                continue;
            const toetsbestand::ModuleNaam& naam = namen.lijst[std::size_t(n)];
            QString bord;
            if (c >= 0) {
                toetsbestand::ModuleNaam opBord = naam;
                opBord.nummer =
                    int(bordModules[std::size_t(namen.groepVan[std::size_t(n)])][std::size_t(c)]
                            .module->nummer);
                bord = opBord.tekst();
            }
            uitslag.toewijzing.push_back({naam.tekst(), bord});
        }
    }
    // Messages while the steps ran (none are expected) are kept as remarks.
    for (const ZonderGebruiker::Melding& m : omgeving.neemMeldingen())
        uitslag.opmerkingen << opEenRegel(m.tekst);
    if (keuzes.afbeelding) {
        const auto labels = namenOpHetBord(form, namen, bordModules, besteKeuze);
        uitslag.afbeelding =
            afbeelding::bordAfbeelding(form, keuzes.bijsnijden, [&labels](const TModule* m) {
                const auto gevonden = labels.find(m);
                return gevonden == labels.end() ? QString() : gevonden->second;
            });
        uitslag.afbeeldingMaat = uitslag.afbeelding.size();
        form.hide(); // the next board's runs paint nothing
    }
    audioBeschikbaar = audioVooraf;
    return uitslag;
}

} // namespace toetsen
