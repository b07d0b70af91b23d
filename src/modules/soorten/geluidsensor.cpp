// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/geluidsensor.h"

#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"

#include <QLabel>

TGeluidSensorMod::TGeluidSensorMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 64);
    // The microphone mark: a small black square. It is a passive part, so a
    // press on it takes hold of the module like a press on the panel.
    stip = new TVorm(this);
    stip->setGeometry(21, 29, 4, 4);
    stip->setBrushKleur(kleuren::zwart);
    koppelAanModule(stip);
    uitgang = maakUitgang(160, 24, kleurparen::bron);
    lNaam = maakNaamLabel(8, 47, 176, 16, QStringLiteral("Geluid sensor"));
}
