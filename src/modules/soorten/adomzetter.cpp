// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/adomzetter.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"

#include <QLabel>

TADOmzetterMod::TADOmzetterMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 64);
    ingangsNiveau = 0;
    ingang = maakIngang(16, 16, 1, kleurparen::weergave);
    lIn = maakLabel(16, 33, 17, 13, QStringLiteral("IN"), Qt::AlignHCenter | Qt::AlignTop);
    // The most significant bit on the left: outputs 1..4 carry the weights
    // 8, 4, 2, 1, each with its weight written above it.
    for (int i = 1; i <= 4; ++i) {
        const int x = 32 * i + 32;
        lBits[i] = maakLabel(x, 3, 17, 13, QString::number(bitWaarden[4 - i]),
                             Qt::AlignHCenter | Qt::AlignTop);
        uitgangen[i] = maakUitgang(x, 16, kleurparen::bron);
    }
    // A line under the outputs with "UIT" in its middle.
    bLijn1 = maakBevel(64, 39, 41, 9);
    lUit = maakLabel(104, 33, 33, 13, QStringLiteral("UIT"), Qt::AlignHCenter | Qt::AlignTop);
    bLijn2 = maakBevel(136, 39, 41, 9);
    lNaam = maakNaamLabel(8, 47, 176, 16, QStringLiteral("AD-Omzetter"));
}
