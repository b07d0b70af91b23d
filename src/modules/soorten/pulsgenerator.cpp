// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/pulsgenerator.h"

#include "modules/aansluitingen.h"
#include "modules/regelaars.h"

#include <QLabel>

TPulsGeneratorMod::TPulsGeneratorMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 64);
    laatstePuls = 0;
    lNaam = maakNaamLabel(8, 18, 56, 26, QStringLiteral("Puls\ngenerator"));
    // Pulses per second.
    regelaar = maakRegelaar(72, 20, 0, 10, 1);
    lEenheid = maakLabel(128, 24, QStringLiteral("Hz"));
    uitgang = maakUitgang(160, 24, kleurparen::bron);
}
