// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/led.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"

TLEDMod::TLEDMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 64);
    ingang = maakIngang(16, 24, 1, kleurparen::weergave);
    led = new TLED(this);
    led->move(160, 24);
    koppelAanModule(led);
    lNaam = maakNaamLabel(152, 47, 32, 16, QStringLiteral("LED"));
}
