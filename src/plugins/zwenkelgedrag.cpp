// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// How a plug-in module takes part in the simulation: a level arriving at an
// input goes to the library's "action" and the result leaves on every output
// at once; a module without inputs is asked for each output on every tick.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "plugins/signaal.h"
#include "plugins/zwenkel.h"
#include "simulation/simulatie.h"

namespace {

// Handed to "action" in the place of the side that is being asked for:
// 32 times "1|".
constexpr char kEenen[] = "1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|";
static_assert(sizeof kEenen == 65);
constexpr char kLeeg[] = "";

struct Ketting {
    explicit Ketting(int& k) : m_k(k) { ++m_k; }
    ~Ketting() { --m_k; }
    Ketting(const Ketting&) = delete;
    Ketting& operator=(const Ketting&) = delete;
    int& m_k;
};

} // namespace

void TSimulatie::zwenkelProc(TZwenkelMod* m, int ingang, quint8 niveau) {
    if (!m->beschrijving || !m->actionProc || ingang < 0)
        return;
    const auto& uitgangen = m->uitgangenLijst();
    if (ingang >= 1) {
        const auto& ingangen = m->ingangenLijst();
        if (ingang > static_cast<int>(ingangen.size()))
            return;
        if (m_zwenkelKetting == 0)
            m_zwenkelBudget = kMaxZwenkelAankomsten;
        if (m_zwenkelBudget <= 0) {
            ++m_afgekapt; // a ring of plug-in modules stops here for this tick
            return;
        }
        --m_zwenkelBudget;
        Ketting ketting(m_zwenkelKetting);
        ingangen[static_cast<size_t>(ingang - 1)]->toonNiveau(niveau);
        zwenkel::vulSignaal(m_zwenkelBuffer, zwenkel::monsterVanNiveau(niveau));
        m->actionProc(m->beschrijving, ingang, 0, kEenen, kLeeg, &m_zwenkelBuffer);
        // Every output gets the level the buffer stands for as "action" left
        // it; it is read before any send, which may reuse the buffer.
        const quint8 uit = zwenkel::niveauVanSignaal(m_zwenkelBuffer);
        for (TUitgang* u : uitgangen)
            zend(u, uit);
        return;
    }
    // The clock's tick: the library writes the samples of each output.
    int j = 0;
    for (TUitgang* u : uitgangen) {
        m->actionProc(m->beschrijving, 0, ++j, kLeeg, kEenen, &m_zwenkelBuffer);
        zend(u, zwenkel::niveauVanSignaal(m_zwenkelBuffer));
    }
}

void TfKwintelvlak::zwenkelProc(TZwenkelMod* module, int ingang, quint8 niveau) {
    m_simulatie->zwenkelProc(module, ingang, niveau);
}
