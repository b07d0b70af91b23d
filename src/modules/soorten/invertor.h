// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The inverter, in a normal and a small variant.
#pragma once

#include "modules/module.h"

class QLabel;
class TAfbeelding;
class TIngang;
class TUitgang;

class TInvertorMod : public TModule {
    Q_OBJECT
public:
    TInvertorMod(TfKwintelvlak* owner, PModuleSoort entry);

    TAfbeelding* iSymbool = nullptr;
    TIngang* ingang = nullptr;
    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
    bool ingangHoog = false;
};
