// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/variabelespanning.h"

#include "modules/aansluitingen.h"
#include "modules/regelaars.h"

#include <QLabel>

TVariabeleSpanningMod::TVariabeleSpanningMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 64);
    lNaam = maakNaamLabel(8, 18, 56, 26, QStringLiteral("Variabele\nspanning"));
    // The output level in tenths of a volt: 0,0 to 5,0.
    regelaar = maakKommaRegelaar(72, 20, 0, 50, 0);
    lEenheid = maakLabel(128, 24, QStringLiteral("V"));
    uitgang = maakUitgang(160, 24, kleurparen::bron);
}
