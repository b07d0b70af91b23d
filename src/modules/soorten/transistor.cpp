// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/transistor.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"

TTransistorMod::TTransistorMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(168, 128);
    iSymbool = maakAfbeelding(16, 8, owner->iTransistor);
    ingang = maakIngang(8, 24, 1, kleurparen::logica);
    uitgang = maakUitgang(144, 24, kleurparen::logica);
    lNaam = maakNaamLabel(8, 111, 152, 16, QStringLiteral("Transistor"));
}
