// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/poorten.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"

#include <QLabel>

template <class Poort> void bouwPoort(Poort& poort, const QImage& symbool, const QString& naam) {
    poort.resize(168, 128);
    poort.ingangHoog[1] = false;
    poort.ingangHoog[2] = false;
    poort.iSymbool = poort.maakAfbeelding(16, 40, symbool);
    // Input 1 is the upper one (top 24), input 2 the lower one (top 72).
    for (int i = 1; i <= 2; ++i)
        poort.ingangen[i] = poort.maakIngang(8, 48 * i - 24, i, kleurparen::logica);
    poort.uitgang = poort.maakUitgang(144, 48, kleurparen::logica);
    poort.lNaam = poort.maakNaamLabel(8, 111, 152, 16, naam);
}

TOFPoortMod::TOFPoortMod(TfKwintelvlak* owner) : TModule(owner) {
    bouwPoort(*this, owner->iOfPoort, QStringLiteral("OF-Poort"));
}

TENPoortMod::TENPoortMod(TfKwintelvlak* owner) : TModule(owner) {
    bouwPoort(*this, owner->iENPoort, QStringLiteral("EN-Poort"));
}
