// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/sensor.h"

#include "modules/aansluitingen.h"

#include <QLabel>

// The sensor has no control of its own: its level comes from where the mouse
// pointer is, so the panel holds only the output and the name.
TSensorMod::TSensorMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 96);
    uitgang = maakUitgang(160, 40, kleurparen::bron);
    lNaam = maakNaamLabel(8, 79, 176, 16, QStringLiteral("Sensor"));
}
