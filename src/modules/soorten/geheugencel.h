// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The memory cell: set by input 1, reset by input 2.
#pragma once

#include "modules/module.h"

class QLabel;
class TAfbeelding;
class TIngang;
class TUitgang;

class TGeheugenCelMod : public TModule {
    Q_OBJECT
public:
    explicit TGeheugenCelMod(TfKwintelvlak* owner);

    TAfbeelding* iSymbool = nullptr;
    TIngang* ingangen[3] = {}; // 1..2
    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
    // The stored bit.
    bool geheugen = false;
    bool ingang1Hoog = false;
};
