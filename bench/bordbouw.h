// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Boards built in code for the measurements: chains of splits, inverters and
// gates, all wired, fed by a push button that is held down.
#pragma once

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "modules/soorten/drukschakelaar.h"

#include <QAction>

namespace bordbouw {

inline PModuleSoort soortVan(QAction* item) {
    return reinterpret_cast<PModuleSoort>(item->data().value<quintptr>());
}

inline void verbind(TModule* van, int uitgang, const TModule* naar, int ingang) {
    TUitgang* u = van->uitgangenLijst().at(size_t(uitgang - 1));
    u->doelSoort = naar->moduleSoort->soort;
    u->doelNummer = naar->nummer;
    u->doelIngang = ingang;
}

// `aantal` modules: a push button, then links of four (split, inverter, AND
// gate, OR gate) in which the split feeds the inverter, the AND gate and the
// OR gate, the inverter the AND gate, the AND gate the OR gate, and the OR
// gate the next link's split; inverters fill up the rest. Returns the button.
inline TDrukSchakelaarMod* bouwKetens(TfKwintelvlak& form, int aantal) {
    int plek = 0;
    auto maak = [&](QAction* item) {
        const int x = (plek % 100) * 200;
        const int y = (plek / 100) * 140;
        ++plek;
        return form.maakModule(soortVan(item), y, x);
    };
    auto* knop = qobject_cast<TDrukSchakelaarMod*>(maak(form.miDrukSchakelaar));
    knop->sSchakelaar->stand = 1;
    TModule* vorige = knop;
    int over = aantal - 1;
    while (over >= 4) {
        TModule* split = maak(form.miSplit);
        TModule* inv = maak(form.miInvertor);
        TModule* en = maak(form.miENPoort);
        TModule* of = maak(form.miOFPoort);
        verbind(vorige, 1, split, 1);
        verbind(split, 1, inv, 1);
        verbind(split, 2, en, 2);
        verbind(split, 3, of, 2);
        verbind(inv, 1, en, 1);
        verbind(en, 1, of, 1);
        vorige = of;
        over -= 4;
    }
    while (over-- > 0) {
        TModule* inv = maak(form.miInvertor);
        verbind(vorige, 1, inv, 1);
        vorige = inv;
    }
    return knop;
}

// Takes the board apart from the top of the list down, where no module has
// to be renumbered.
inline void ruimOp(TfKwintelvlak& form) {
    while (!form.modules.empty())
        form.moduleVerwijderen(form.modules.back());
}

} // namespace bordbouw
