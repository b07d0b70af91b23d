// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The relay: input 1 is the coil; the contact joins input 2 to output 1, and input 3 runs straight
// to output 2.
#pragma once

#include "modules/module.h"

class QLabel;
class TAfbeelding;
class TIngang;
class TUitgang;

class TRelaisMod : public TModule {
    Q_OBJECT
public:
    explicit TRelaisMod(TfKwintelvlak* owner);

    TAfbeelding* iSymbool = nullptr;
    TIngang* ingangen[4] = {};   // 1..3
    TUitgang* uitgangen[3] = {}; // 1..2
    QLabel* lNaam = nullptr;
    bool bekrachtigd = false;
    quint8 niveauIngang2 = 0;
    quint8 niveauIngang3 = 0;
};
