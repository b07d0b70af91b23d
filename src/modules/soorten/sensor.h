// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The sensor: its level follows the mouse pointer.
#pragma once

#include "modules/module.h"

class QLabel;
class TUitgang;

class TSensorMod : public TModule {
    Q_OBJECT
public:
    explicit TSensorMod(TfKwintelvlak* owner);

    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
};
