// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/relais.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"

TRelaisMod::TRelaisMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 128);
    // A new relay shows its contact open.
    iSymbool = maakAfbeelding(32, 16, owner->iRelais);
    ingangen[1] = maakIngang(16, 24, 1, kleurparen::weergave); // the coil
    ingangen[2] = maakIngang(112, 24, 2, kleurparen::contact);
    ingangen[3] = maakIngang(160, 24, 3, kleurparen::contact);
    uitgangen[1] = maakUitgang(112, 72, kleurparen::contact); // under input 2
    uitgangen[2] = maakUitgang(160, 72, kleurparen::contact); // under input 3
    lNaam = maakNaamLabel(8, 111, 80, 16, QStringLiteral("Relais"));
}
