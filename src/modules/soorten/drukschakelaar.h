// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The push button: a key that puts 5,0 V on its output while it is down.
#pragma once

#include "modules/module.h"

class QLabel;
class TSchakelaar;
class TUitgang;

class TDrukSchakelaarMod : public TModule {
    Q_OBJECT
public:
    explicit TDrukSchakelaarMod(TfKwintelvlak* owner);

    TSchakelaar* sSchakelaar = nullptr;
    QLabel* lNaam = nullptr;
    TUitgang* uitgang = nullptr;
};
