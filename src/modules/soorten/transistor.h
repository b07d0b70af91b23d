// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The transistor used as a switch.
#pragma once

#include "modules/module.h"

class QLabel;
class TAfbeelding;
class TIngang;
class TUitgang;

class TTransistorMod : public TModule {
    Q_OBJECT
public:
    explicit TTransistorMod(TfKwintelvlak* owner);

    TAfbeelding* iSymbool = nullptr;
    TIngang* ingang = nullptr;
    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
    quint8 ingangsNiveau = 0;
};
