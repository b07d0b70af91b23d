// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Following wires in either direction: from an input to the output that
// feeds it, and from a wire's address to the input it names.
#include "app/kwintelvlak.h"

#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "simulation/simulatie.h"

int TfKwintelvlak::zoekModuleUitgangen(const TModule* module, TUitgang* lijst[10]) const {
    int n = 0;
    for (TUitgang* u : module->uitgangenLijst()) {
        if (n == 10)
            break; // no module lists more than ten outputs
        lijst[n++] = u;
    }
    return n;
}

TUitgang* TfKwintelvlak::zoekUitgangBijIngang(const TModule* module, int ingang) const {
    // Of the modules in list order, the last one with an output wired to this
    // input wins; answered from the simulation's index.
    return m_simulatie->zoekUitgangBijIngang(module, ingang);
}

TIngang* TfKwintelvlak::zoekModuleIngang(int soort, int nummer, int ingang) const {
    const TModule* m = zoekModule(soort, nummer);
    if (!m)
        return nullptr;
    const auto& ingangen = m->ingangenLijst();
    // A number outside the module's inputs can only come from a hand-edited
    // board file; such a wire is kept, but it leads to no input, also on a
    // kind with a single input.
    if (ingang < 1 || ingang > static_cast<int>(ingangen.size()))
        return nullptr;
    return ingangen[static_cast<size_t>(ingang - 1)];
}
