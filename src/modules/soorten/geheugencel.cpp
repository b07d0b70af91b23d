// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/geheugencel.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"

#include <QLabel>

TGeheugenCelMod::TGeheugenCelMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(168, 128);
    geheugen = false;
    ingang1Hoog = false;
    iSymbool = maakAfbeelding(16, 40, owner->iGeheugenCel);
    ingangen[1] = maakIngang(8, 24, 1, kleurparen::logica); // set
    ingangen[2] = maakIngang(8, 72, 2, kleurparen::logica); // reset
    uitgang = maakUitgang(144, 48, kleurparen::logica);
    lNaam = maakNaamLabel(8, 111, 152, 16, QStringLiteral("Geheugencel"));
}
