// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The clock: its hold, its tick, the dispatch of levels to modules and the
// send step that carries a level along a wire.
#include "platform/toon.h"
#include "simulation/simulatie.h"

#include "app/kwintelvlak.h"
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
#include "platform/toon.h"
#include "plugins/zwenkel.h"

bool klokGestopt = false;
bool piepActief = false;
bool isNT = false;
int geluidNiveau = 0;
bool audioBeschikbaar = false;

using simulatie::Klasse;

TSimulatie::TSimulatie(TfKwintelvlak& form) : m_form(form), m_index(form.modules) {}

// ---- The hold on the clock ------------------------------------------------------

void TSimulatie::stopTijdklok() {
    if (m_klokStopTeller == 0)
        klokGestopt = true;
    ++m_klokStopTeller;
}

void TSimulatie::startTijdklok() {
    if (m_klokStopTeller <= 0)
        return;
    --m_klokStopTeller;
    if (m_klokStopTeller == 0)
        klokGestopt = false;
}

// ---- Tick ---------------------------------------------------------------------------

namespace {
// Sets the running module's record for the length of a call.
class Lopend {
public:
    Lopend(const simulatie::Knoop*& plek, const simulatie::Knoop* knoop)
        : m_plek(plek), m_oud(plek) {
        m_plek = knoop;
    }
    ~Lopend() { m_plek = m_oud; }
    Lopend(const Lopend&) = delete;
    Lopend& operator=(const Lopend&) = delete;

private:
    const simulatie::Knoop*& m_plek;
    const simulatie::Knoop* m_oud;
};
} // namespace

// How many modules ahead of the one running the tick fetches memory.
constexpr std::size_t kVooruit = 4;

void TSimulatie::tik() {
    const TModuleArray& modules = m_form.modules;
    for (int r = 0; r < simulatie::kRondes; ++r) {
        // While the clock is held every module would return at once.
        if (klokGestopt)
            return;
        m_index.bijwerken();
        const std::uint64_t versie = bordversie::huidig();
        m_knoopBouw = m_index.bouwteller();
        const std::size_t aantal = modules.size(); // read once per pass
        const auto klasse = static_cast<Klasse>(r);
        const auto& ronde = m_index.ronde(r);
        for (std::size_t i = 0; i < ronde.size(); ++i) {
            if (i + kVooruit < ronde.size())
                m_index.haalVoor(ronde[i + kVooruit]);
            const std::uint32_t positie = ronde[i];
            if (!klokGestopt) {
                const simulatie::Knoop& knoop = m_index.knoop(positie);
                Lopend lopend(m_knoop, &knoop);
                roep(knoop.module, klasse, 0, 0);
            }
            if (bordversie::huidig() == versie)
                continue;
            // The board changed under the pass (no built-in kind does this):
            // finish the pass as a walk of the list would, from the next
            // position on; the next pass starts from fresh tables.
            for (std::size_t p = positie + 1; p < aantal && p < modules.size(); ++p) {
                TModule* m = modules[p];
                if (simulatie::klasseVan(m) == klasse && !klokGestopt &&
                    (klasse != Klasse::Zwenkel || m->ingangenLijst().empty()))
                    roep(m, klasse, 0, 0);
            }
            break;
        }
    }
}

// ---- Dispatch -----------------------------------------------------------------------

void TSimulatie::moduleActie(TModule* module, int ingang, quint8 niveau) {
    // While a board change holds the clock no module acts.
    if (klokGestopt || !module)
        return;
    Lopend lopend(m_knoop, nullptr); // a call from outside: no record at hand
    roep(module, simulatie::klasseVan(module), ingang, niveau);
}

void TSimulatie::roep(TModule* m, Klasse klasse, int ingang, quint8 niveau) {
    switch (klasse) {
    case Klasse::DrukSchakelaar:
        return drukSchakelaarProc(static_cast<TDrukSchakelaarMod*>(m));
    case Klasse::LED:
        return ledProc(static_cast<TLEDMod*>(m), ingang, niveau);
    case Klasse::PulsGenerator:
        return pulsGeneratorProc(static_cast<TPulsGeneratorMod*>(m));
    case Klasse::VariabeleSpanning:
        return variabeleSpanningProc(static_cast<TVariabeleSpanningMod*>(m));
    case Klasse::ADOmzetter:
        return adOmzetterProc(static_cast<TADOmzetterMod*>(m), ingang, niveau);
    case Klasse::Comparator:
        return comparatorProc(static_cast<TComparatorMod*>(m), ingang, niveau);
    case Klasse::PulsenTeller:
        return pulsenTellerProc(static_cast<TPulsenTellerMod*>(m), ingang, niveau);
    case Klasse::OFPoort:
        return ofPoortProc(static_cast<TOFPoortMod*>(m), ingang, niveau);
    case Klasse::ENPoort:
        return enPoortProc(static_cast<TENPoortMod*>(m), ingang, niveau);
    case Klasse::Split:
        return splitProc(static_cast<TSplitMod*>(m), ingang, niveau);
    case Klasse::GeheugenCel:
        return geheugenCelProc(static_cast<TGeheugenCelMod*>(m), ingang, niveau);
    case Klasse::Invertor:
        return invertorProc(static_cast<TInvertorMod*>(m), ingang, niveau);
    case Klasse::Transistor:
        return transistorProc(static_cast<TTransistorMod*>(m), ingang, niveau);
    case Klasse::Relais:
        return relaisProc(static_cast<TRelaisMod*>(m), ingang, niveau);
    case Klasse::Zoemer:
        return zoemerProc(static_cast<TZoemerMod*>(m), ingang, niveau);
    case Klasse::GeluidSensor:
        return geluidSensorProc(static_cast<TGeluidSensorMod*>(m));
    case Klasse::Sensor:
        return sensorProc(static_cast<TSensorMod*>(m));
    case Klasse::Zwenkel:
        return zwenkelProc(static_cast<TZwenkelMod*>(m), ingang, niveau);
    case Klasse::Geen:
        return;
    }
}

// ---- Carrying levels along wires ----------------------------------------------------

namespace {
struct Diepte {
    explicit Diepte(int& d) : m_d(d) { ++m_d; }
    ~Diepte() { --m_d; }
    Diepte(const Diepte&) = delete;
    Diepte& operator=(const Diepte&) = delete;
    int& m_d;
};
} // namespace

void TSimulatie::zend(TUitgang* uitgang, quint8 niveau) {
    // The output is painted first, the level sent second.
    uitgang->toonNiveau(niveau);
    if (m_knoop && m_knoopBouw == m_index.bouwteller() && m_index.actueel()) {
        // The running module's record says where each of its outputs leads.
        const simulatie::Verbinding* v = m_index.verbindingen(*m_knoop);
        for (int i = 0, n = m_knoop->aantalUitgangen; i < n; ++i) {
            if (v[i].uitgang != uitgang)
                continue;
            if (v[i].doel < 0)
                return;
            const simulatie::Knoop& doel = m_index.knoop(std::size_t(v[i].doel));
            lever(doel.module, doel.klasse, &doel, v[i].ingang, niveau);
            return;
        }
    }
    const int soort = uitgang->doelSoort;
    if (soort == -1)
        return; // no wire
    const auto doel = m_index.module(soort, uitgang->doelNummer);
    if (!doel.module)
        return; // the module fed is not on the board
    // A level arrives only at a real input: index 0 is the clock's own call
    // (it would make the receiver send in turn), and a number beyond the
    // module's inputs, or any number for a module without inputs, leads
    // nowhere. Such wires come only from hand-edited board files.
    const int ingang = uitgang->doelIngang;
    if (ingang < 1 || ingang > static_cast<int>(doel.module->ingangenLijst().size()))
        return;
    lever(doel.module, doel.klasse, nullptr, ingang, niveau);
}

void TSimulatie::lever(TModule* module, Klasse klasse, const simulatie::Knoop* knoop, int ingang,
                       quint8 niveau) {
    if (klokGestopt)
        return;
    if (m_zendDiepte >= kMaxZendDiepte) {
        ++m_afgekapt; // a ring of modules sending while receiving stops here
        return;
    }
    Diepte diepte(m_zendDiepte);
    Lopend lopend(m_knoop, knoop);
    roep(module, klasse, ingang, niveau);
}

bool TSimulatie::gevoed(const TModule* module, int ingang) {
    if (ingang >= 1 && ingang <= simulatie::kMaxSnelleIngang && snel(module))
        return (m_knoop->gevoed >> ingang) & 1u;
    return zoekUitgangBijIngang(module, ingang) != nullptr;
}

TUitgang* TSimulatie::zoekUitgangBijIngang(const TModule* module, int ingang) {
    if (!module || !module->moduleSoort)
        return nullptr; // not on a board: nothing can feed it
    return m_index.voeder(module->moduleSoort->soort, module->nummer, ingang);
}

// ---- The window's entry points --------------------------------------------------------

void TfKwintelvlak::stopTijdklok() {
    m_simulatie->stopTijdklok();
}

void TfKwintelvlak::startTijdklok() {
    m_simulatie->startTijdklok();
}

int TfKwintelvlak::klokStopTeller() const {
    return m_simulatie->klokStopTeller();
}

void TfKwintelvlak::tActieTimer() {
    m_simulatie->tik();
    // The buzzer's Beeps of this tick are all made: the tone writes them.
    platform::toonTik();
}

void TfKwintelvlak::moduleActie(TModule* module, int ingang, quint8 niveau) {
    m_simulatie->moduleActie(module, ingang, niveau);
}
