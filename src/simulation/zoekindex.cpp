// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "simulation/zoekindex.h"

#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "modules/soorten/adomzetter.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/geheugencel.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/invertor.h"
#include "modules/soorten/led.h"
#include "modules/soorten/poorten.h"
#include "modules/soorten/pulsenteller.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/sensor.h"
#include "modules/soorten/split.h"
#include "modules/soorten/transistor.h"
#include "modules/soorten/variabelespanning.h"
#include "modules/soorten/zoemer.h"
#include "plugins/zwenkel.h"

#include <algorithm>

namespace simulatie {

namespace {

template <class T> bool is(const TModule* m) {
    return qobject_cast<const T*>(m) != nullptr;
}

// The class tests in the order the dispatch makes them.
Klasse klasseDoorTesten(const TModule* m) {
    if (is<TDrukSchakelaarMod>(m))
        return Klasse::DrukSchakelaar;
    if (is<TLEDMod>(m))
        return Klasse::LED;
    if (is<TPulsGeneratorMod>(m))
        return Klasse::PulsGenerator;
    if (is<TVariabeleSpanningMod>(m))
        return Klasse::VariabeleSpanning;
    if (is<TADOmzetterMod>(m))
        return Klasse::ADOmzetter;
    if (is<TComparatorMod>(m))
        return Klasse::Comparator;
    if (is<TPulsenTellerMod>(m))
        return Klasse::PulsenTeller;
    if (is<TOFPoortMod>(m))
        return Klasse::OFPoort;
    if (is<TENPoortMod>(m))
        return Klasse::ENPoort;
    if (is<TSplitMod>(m))
        return Klasse::Split;
    if (is<TGeheugenCelMod>(m))
        return Klasse::GeheugenCel;
    if (is<TInvertorMod>(m))
        return Klasse::Invertor;
    if (is<TTransistorMod>(m))
        return Klasse::Transistor;
    if (is<TRelaisMod>(m))
        return Klasse::Relais;
    if (is<TZoemerMod>(m))
        return Klasse::Zoemer;
    if (is<TGeluidSensorMod>(m))
        return Klasse::GeluidSensor;
    if (is<TSensorMod>(m))
        return Klasse::Sensor;
    if (is<TZwenkelMod>(m))
        return Klasse::Zwenkel;
    return Klasse::Geen;
}

// The class that a kind number's modules are built as.
Klasse klasseVanSoort(int soort) {
    switch (soort) {
    case soorten::drukSchakelaar:
        return Klasse::DrukSchakelaar;
    case soorten::led:
        return Klasse::LED;
    case soorten::pulsGenerator:
        return Klasse::PulsGenerator;
    case soorten::variabeleSpanning:
        return Klasse::VariabeleSpanning;
    case soorten::adOmzetter:
        return Klasse::ADOmzetter;
    case soorten::comparator:
        return Klasse::Comparator;
    case soorten::pulsenTeller:
        return Klasse::PulsenTeller;
    case soorten::ofPoort:
        return Klasse::OFPoort;
    case soorten::enPoort:
        return Klasse::ENPoort;
    case soorten::split:
        return Klasse::Split;
    case soorten::geheugenCel:
        return Klasse::GeheugenCel;
    case soorten::invertor:
        return Klasse::Invertor;
    case soorten::transistor:
        return Klasse::Transistor;
    case soorten::relais:
        return Klasse::Relais;
    case soorten::zoemer:
        return Klasse::Zoemer;
    case soorten::geluidSensor:
        return Klasse::GeluidSensor;
    case soorten::sensor:
        return Klasse::Sensor;
    case soorten::zwenkel:
        return Klasse::Zwenkel;
    default:
        return Klasse::Geen;
    }
}

bool isKlasse(const TModule* m, Klasse k) {
    switch (k) {
    case Klasse::DrukSchakelaar:
        return is<TDrukSchakelaarMod>(m);
    case Klasse::PulsGenerator:
        return is<TPulsGeneratorMod>(m);
    case Klasse::VariabeleSpanning:
        return is<TVariabeleSpanningMod>(m);
    case Klasse::GeheugenCel:
        return is<TGeheugenCelMod>(m);
    case Klasse::Invertor:
        return is<TInvertorMod>(m);
    case Klasse::ENPoort:
        return is<TENPoortMod>(m);
    case Klasse::OFPoort:
        return is<TOFPoortMod>(m);
    case Klasse::PulsenTeller:
        return is<TPulsenTellerMod>(m);
    case Klasse::Comparator:
        return is<TComparatorMod>(m);
    case Klasse::ADOmzetter:
        return is<TADOmzetterMod>(m);
    case Klasse::Transistor:
        return is<TTransistorMod>(m);
    case Klasse::GeluidSensor:
        return is<TGeluidSensorMod>(m);
    case Klasse::Sensor:
        return is<TSensorMod>(m);
    case Klasse::LED:
        return is<TLEDMod>(m);
    case Klasse::Zoemer:
        return is<TZoemerMod>(m);
    case Klasse::Relais:
        return is<TRelaisMod>(m);
    case Klasse::Split:
        return is<TSplitMod>(m);
    case Klasse::Zwenkel:
        return is<TZwenkelMod>(m);
    case Klasse::Geen:
        break;
    }
    return false;
}

constexpr std::size_t kMaxUitgangen = 10; // no module lists more outputs

std::size_t aantalUitgangen(const TModule* m) {
    return std::min(m->uitgangenLijst().size(), kMaxUitgangen);
}

} // namespace

Klasse klasseVan(const TModule* module) {
    if (!module)
        return Klasse::Geen;
    // The kind number names the class, and one class test confirms it; a
    // module that borrows a kind number (a stand-in) gets the full row.
    const Klasse k =
        module->moduleSoort ? klasseVanSoort(module->moduleSoort->soort) : Klasse::Geen;
    if (k != Klasse::Geen && isKlasse(module, k))
        return k;
    return klasseDoorTesten(module);
}

bool TZoekIndex::gebruikTabellen() {
    const std::uint64_t versie = bordversie::huidig();
    if (versie == m_versie)
        return true;
    if (versie != m_vraagVersie) {
        m_vraagVersie = versie;
        m_vragen = 0;
    }
    if (++m_vragen < kVragenVoorBouw)
        return false;
    bouw();
    return true;
}

TZoekIndex::Doel TZoekIndex::module(int soort, int nummer) {
    if (!gebruikTabellen())
        return moduleLangs(soort, nummer);
    const std::uint32_t* positie = m_moduleTabel.zoek({soort, nummer});
    if (!positie)
        return {};
    const Knoop& k = m_knopen[*positie];
    return {k.module, k.klasse};
}

TUitgang* TZoekIndex::voeder(int soort, int nummer, int ingang) {
    if (!gebruikTabellen())
        return voederLangs(soort, nummer, ingang);
    TUitgang* const* u = m_voederTabel.zoek({soort, nummer, ingang});
    return u ? *u : nullptr;
}

TZoekIndex::Doel TZoekIndex::moduleLangs(int soort, int nummer) const {
    for (TModule* m : m_modules)
        if (m->moduleSoort && m->moduleSoort->soort == soort && m->nummer == nummer)
            return {m, klasseVan(m)};
    return {};
}

TUitgang* TZoekIndex::voederLangs(int soort, int nummer, int ingang) const {
    TUitgang* gevonden = nullptr;
    for (const TModule* m : m_modules) {
        const auto& lijst = m->uitgangenLijst();
        for (std::size_t i = 0, n = aantalUitgangen(m); i < n; ++i) {
            TUitgang* u = lijst[i];
            if (u->doelSoort == soort && u->doelNummer == nummer && u->doelIngang == ingang) {
                gevonden = u;
                break;
            }
        }
    }
    return gevonden;
}

void TZoekIndex::bouw() {
    ++m_bouwteller;
    std::size_t uitgangen = 0;
    for (const TModule* m : m_modules)
        uitgangen += aantalUitgangen(m);
    m_moduleTabel.leeg(m_modules.size());
    m_voederTabel.leeg(uitgangen);
    m_knopen.assign(m_modules.size(), Knoop{});
    m_verbindingen.assign(uitgangen, Verbinding{});
    for (auto& r : m_rondes)
        r.clear();

    std::uint32_t positie = 0;
    std::uint32_t eersteUitgang = 0;
    for (TModule* m : m_modules) {
        Knoop& knoop = m_knopen[positie];
        knoop.module = m;
        knoop.klasse = klasseVan(m);
        // The first module with a kind and number is the one found.
        if (m->moduleSoort) {
            auto [plek, nieuw] = m_moduleTabel.plaats({m->moduleSoort->soort, m->nummer});
            if (nieuw)
                *plek = positie;
        }
        const auto& lijst = m->uitgangenLijst();
        const std::size_t n = aantalUitgangen(m);
        knoop.eersteUitgang = eersteUitgang;
        knoop.aantalUitgangen = static_cast<std::uint8_t>(n);
        for (std::size_t i = 0; i < n; ++i) {
            const TUitgang* u = lijst[i];
            m_verbindingen[eersteUitgang + i].uitgang = lijst[i];
            const IngangSleutel sleutel{u->doelSoort, u->doelNummer, u->doelIngang};
            // Within a module its first output to an input counts ...
            bool eerder = false;
            for (std::size_t j = 0; j < i && !eerder; ++j) {
                const TUitgang* v = lijst[j];
                eerder = v->doelSoort == sleutel.soort && v->doelNummer == sleutel.nummer &&
                         v->doelIngang == sleutel.ingang;
            }
            // ... and a later module's output replaces an earlier module's.
            if (!eerder)
                *m_voederTabel.plaats(sleutel).first = lijst[i];
        }
        eersteUitgang += static_cast<std::uint32_t>(n);
        // Pass 18 takes only plug-in modules whose input list is empty; the
        // others act when a level arrives.
        if (knoop.klasse != Klasse::Geen &&
            (knoop.klasse != Klasse::Zwenkel || m->ingangenLijst().empty()))
            m_rondes[static_cast<std::size_t>(knoop.klasse)].push_back(positie);
        ++positie;
    }

    // With all modules known: where each output's level arrives, and which
    // inputs are fed.
    for (Verbinding& v : m_verbindingen) {
        const TUitgang* u = v.uitgang;
        if (u->doelSoort == -1)
            continue;
        const std::uint32_t* doel = m_moduleTabel.zoek({u->doelSoort, u->doelNummer});
        if (!doel)
            continue;
        const int ingangen = static_cast<int>(m_knopen[*doel].module->ingangenLijst().size());
        if (u->doelIngang < 1 || u->doelIngang > ingangen)
            continue;
        v.doel = static_cast<std::int32_t>(*doel);
        v.ingang = u->doelIngang;
        v.doelModule = m_knopen[*doel].module;
        v.aankomst = v.doelModule->ingangenLijst()[std::size_t(v.ingang - 1)];
    }
    for (Knoop& knoop : m_knopen) {
        const TModule* m = knoop.module;
        if (!m->moduleSoort)
            continue;
        const int ingangen =
            std::min(static_cast<int>(m->ingangenLijst().size()), kMaxSnelleIngang);
        for (int k = 1; k <= ingangen; ++k)
            if (m_voederTabel.zoek({m->moduleSoort->soort, m->nummer, k}))
                knoop.gevoed |= 1u << k;
    }
    m_versie = bordversie::huidig();
}

namespace {
// The bytes of an object that the tick reads: a terminal's colour and wire
// fields, which follow the widget's own; a module kind's fields, which follow
// the module base's.
void haalVoor(const void* object, std::size_t van, std::size_t tot) {
    const auto* p = static_cast<const char*>(object);
    __builtin_prefetch(p + van);
    __builtin_prefetch(p + tot);
}
constexpr std::size_t kAansluitingVan = sizeof(QWidget);
constexpr std::size_t kAansluitingTot = sizeof(TUitgang) - 1;
constexpr std::size_t kModuleVan = sizeof(TModule);
constexpr std::size_t kModuleTot = sizeof(TModule) + 64;
} // namespace

void TZoekIndex::haalVoor(std::size_t p) const {
    const Knoop& k = m_knopen[p];
    simulatie::haalVoor(k.module, kModuleVan, kModuleTot);
    const Verbinding* v = verbindingen(k);
    for (int i = 0; i < k.aantalUitgangen; ++i) {
        simulatie::haalVoor(v[i].uitgang, kAansluitingVan, kAansluitingTot);
        if (v[i].doel < 0)
            continue;
        __builtin_prefetch(&m_knopen[std::size_t(v[i].doel)]);
        simulatie::haalVoor(v[i].doelModule, kModuleVan, kModuleTot);
        simulatie::haalVoor(v[i].aankomst, kAansluitingVan, kAansluitingTot);
    }
}

} // namespace simulatie
