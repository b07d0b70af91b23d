// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The LED: a lamp that lights while its input is high.
#pragma once

#include "modules/module.h"

class QLabel;
class TIngang;
class TLED;

class TLEDMod : public TModule {
    Q_OBJECT
public:
    explicit TLEDMod(TfKwintelvlak* owner);

    TIngang* ingang = nullptr;
    TLED* led = nullptr;
    QLabel* lNaam = nullptr;
};
