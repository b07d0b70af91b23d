// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The AD converter: its input level as four bits, weights 8, 4, 2, 1 from left to right.
#pragma once

#include "modules/module.h"

class QLabel;
class TBevel;
class TIngang;
class TUitgang;

class TADOmzetterMod : public TModule {
    Q_OBJECT
public:
    explicit TADOmzetterMod(TfKwintelvlak* owner);

    QLabel* lBits[5] = {}; // 1..4
    TIngang* ingang = nullptr;
    TUitgang* uitgangen[5] = {}; // 1..4
    QLabel* lIn = nullptr;
    TBevel* bLijn1 = nullptr;
    QLabel* lUit = nullptr;
    TBevel* bLijn2 = nullptr;
    QLabel* lNaam = nullptr;
    // The last level received at the input.
    quint8 ingangsNiveau = 0;
};
