// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/drukschakelaar.h"

#include "modules/aansluitingen.h"

#include <QLabel>

TDrukSchakelaarMod::TDrukSchakelaarMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 64);
    sSchakelaar = maakSchakelaar(16, 24);
    uitgang = maakUitgang(160, 24, kleurparen::bron);
    lNaam = maakNaamLabel(8, 47, 176, 16, QStringLiteral("Drukschakelaar"));
}
