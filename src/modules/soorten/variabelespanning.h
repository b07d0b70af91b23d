// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The variable voltage: puts its setting, 0,0 to 5,0 V, on its output.
#pragma once

#include "modules/module.h"

class QLabel;
class TKommaRegelaar;
class TUitgang;

class TVariabeleSpanningMod : public TModule {
    Q_OBJECT
public:
    explicit TVariabeleSpanningMod(TfKwintelvlak* owner);

    QLabel* lNaam = nullptr;
    TKommaRegelaar* regelaar = nullptr;
    QLabel* lEenheid = nullptr;
    TUitgang* uitgang = nullptr;
};
