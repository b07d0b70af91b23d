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
    // The plug-in module's class test joins here when plug-in modules exist.
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
    const Doel* d = m_moduleTabel.zoek({soort, nummer});
    return d ? *d : Doel{};
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
    for (auto& r : m_rondes)
        r.clear();

    std::size_t positie = 0;
    for (TModule* m : m_modules) {
        const Klasse klasse = klasseVan(m);
        if (m->moduleSoort) {
            // The first module with a kind and number is the one found.
            auto [doel, nieuw] = m_moduleTabel.plaats({m->moduleSoort->soort, m->nummer});
            if (nieuw)
                *doel = {m, klasse};
        }
        const auto& lijst = m->uitgangenLijst();
        const std::size_t n = aantalUitgangen(m);
        for (std::size_t i = 0; i < n; ++i) {
            const TUitgang* u = lijst[i];
            const int soort = u->doelSoort;
            const IngangSleutel sleutel{soort, u->doelNummer, u->doelIngang};
            // Within a module its first output to an input counts ...
            bool eerder = false;
            for (std::size_t j = 0; j < i && !eerder; ++j) {
                const TUitgang* v = lijst[j];
                eerder = v->doelSoort == soort && v->doelNummer == sleutel.nummer &&
                         v->doelIngang == sleutel.ingang;
            }
            // ... and a later module's output replaces an earlier module's.
            if (!eerder)
                *m_voederTabel.plaats(sleutel).first = lijst[i];
        }
        if (klasse != Klasse::Geen && klasse != Klasse::Zwenkel)
            m_rondes[static_cast<std::size_t>(klasse)].push_back({m, positie});
        // Pass 18 will take plug-in modules whose input list is empty.
        ++positie;
    }
    m_versie = bordversie::huidig();
}

} // namespace simulatie
