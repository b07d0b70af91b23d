// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/regelaars.h"

#include "app/kwintelvlak.h"
#include "modules/module.h"

TRegelaar::TRegelaar(TModule* owner) : TSpinEdit(owner) {
    resize(48, 22);
    // A module dragged over a setting control is over the board; its arrow
    // buttons take no drop.
    if (owner && owner->eigenaar())
        owner->eigenaar()->maakBordSleepDoel(this);
}

TKommaRegelaar::TKommaRegelaar(TModule* owner) : TCommaSpinEdit(owner) {
    resize(48, 22);
    if (owner && owner->eigenaar())
        owner->eigenaar()->maakBordSleepDoel(this);
}
