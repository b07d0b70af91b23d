// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/split.h"

#include "modules/aansluitingen.h"

#include <QLabel>

TSplitMod::TSplitMod(TfKwintelvlak* owner, PModuleSoort entry) : TModule(owner) {
    const bool klein = entry && entry->variant;
    resize(klein ? 96 : 168, 64);
    ingangsNiveau = 0;
    ingang = maakIngang(16, 16, 1, kleurparen::weergave);
    for (int i = 1; i <= 3; ++i) {
        const int x = klein ? 42 + 26 * (i - 1) : 72 + 32 * (i - 1);
        uitgangen[i] = maakUitgang(x, 16, kleurparen::bron);
    }
    // The small split keeps its third output: it is still output 3, board
    // files list it and the behaviour drives it, but it sits past the panel's
    // edge, hidden, and cannot be wired by hand.
    if (klein)
        uitgangen[3]->hide();
    lNaam = maakNaamLabel(8, 47, width() - 16, 16, QStringLiteral("Split"));
}
