// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The 4-bit pulse counter with its hexadecimal display and reset key.
// Inputs: 1 pulses to count, 2 counting on/off, 3 reset.
#pragma once

#include "modules/module.h"

class QLabel;
class TAfbeelding;
class TIngang;
class TSchakelaar;
class TUitgang;

class TPulsenTellerMod : public TModule {
    Q_OBJECT
public:
    explicit TPulsenTellerMod(TfKwintelvlak* owner);

    QLabel* lTelPulsen = nullptr;
    TIngang* ingangen[4] = {};   // 1..3
    QLabel* lBits[5] = {};       // 1..4
    TUitgang* uitgangen[5] = {}; // 1..4
    TAfbeelding* iSymbool = nullptr;
    TSchakelaar* sSchakelaar = nullptr;
    QLabel* stTelstand = nullptr;
    QLabel* lNaam = nullptr;
    int telstand = 0;
    bool telIngangHoog = false;
    bool tellenAan = true;
    bool resetHoog = false;
};
