// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/invertor.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"

#include <QLabel>

// The small variant drops the empty band above the symbol; the terminals keep
// their numbers.
TInvertorMod::TInvertorMod(TfKwintelvlak* owner, PModuleSoort entry) : TModule(owner) {
    const bool klein = entry && entry->variant;
    resize(168, klein ? 64 : 128);
    ingangHoog = false;
    iSymbool = maakAfbeelding(16, klein ? 8 : 40, owner->iInvertor);
    ingang = maakIngang(8, klein ? 16 : 48, 1, kleurparen::logica);
    uitgang = maakUitgang(144, klein ? 16 : 48, kleurparen::logica);
    lNaam = maakNaamLabel(8, klein ? 47 : 111, 152, 16, QStringLiteral("Invertor"));
}
