// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/comparator.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"
#include "modules/regelaars.h"

#include <QLabel>

TComparatorMod::TComparatorMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(168, 128);
    ingangsNiveau = 0;
    ingang = maakIngang(8, 24, 1, kleurparen::logica);
    iSymbool = maakAfbeelding(24, 16, owner->iComparator);
    uitgang = maakUitgang(144, 24, kleurparen::logica);
    // The reference voltage in tenths of a volt. It stands inside the
    // picture's area, where the line from the lower input ends.
    regelaar = maakKommaRegelaar(88, 68, 0, 50, 0);
    lEenheid = maakLabel(144, 72, QStringLiteral("V"));
    lEenheid->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lNaam = maakNaamLabel(8, 111, 152, 16, QStringLiteral("Comparator"));
    // The setting control must stay on top of the drawing it stands in.
    regelaar->raise();
}
