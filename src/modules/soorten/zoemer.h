// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The buzzer: sounds while its input is high.
#pragma once

#include "modules/module.h"

class QLabel;
class TAfbeelding;
class TIngang;

class TZoemerMod : public TModule {
    Q_OBJECT
public:
    explicit TZoemerMod(TfKwintelvlak* owner);

    TIngang* ingang = nullptr;
    TAfbeelding* iSymbool = nullptr;
    QLabel* lNaam = nullptr;
    bool zoemt = false;
};
