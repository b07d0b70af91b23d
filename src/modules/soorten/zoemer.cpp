// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/zoemer.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"

#include <QLabel>

TZoemerMod::TZoemerMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 128);
    ingang = maakIngang(16, 48, 1, kleurparen::weergave);
    iSymbool = maakAfbeelding(140, 28, owner->iZoemer);
    // Unlike the other names this one sizes itself and stands left-aligned.
    lNaam = maakLabel(136, 111, QStringLiteral("Zoemer"));
    QFont vet = lNaam->font();
    vet.setBold(true);
    lNaam->setFont(vet);
    lNaam->adjustSize();
}
