// Wires follow the modules they lead into: re-aimed when a module's number
// changes, cut when it leaves the board.
#include "app/kwintelvlak.h"

#include "modules/aansluitingen.h"
#include "modules/module.h"

void TfKwintelvlak::verwijderVerbindingMetModule(const TModule* module) {
    const int soort = module->moduleSoort->soort;
    for (TModule* m : modules)
        for (TUitgang* u : m->uitgangenLijst())
            if (u->doelSoort == soort && u->doelNummer == module->nummer)
                u->verbreek();
}

void TfKwintelvlak::vervangVerbindingMetModule(const TModule* module, int nieuwNummer) {
    const int soort = module->moduleSoort->soort;
    for (TModule* m : modules)
        for (TUitgang* u : m->uitgangenLijst())
            if (u->doelSoort == soort && u->doelNummer == module->nummer)
                u->doelNummer = nieuwNummer;
}
