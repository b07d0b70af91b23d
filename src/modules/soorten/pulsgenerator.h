// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The pulse generator: 0 to 10 pulses a second.
#pragma once

#include "modules/module.h"

class QLabel;
class TRegelaar;
class TUitgang;

class TPulsGeneratorMod : public TModule {
    Q_OBJECT
public:
    explicit TPulsGeneratorMod(TfKwintelvlak* owner);

    QLabel* lNaam = nullptr;
    TRegelaar* regelaar = nullptr;
    QLabel* lEenheid = nullptr;
    TUitgang* uitgang = nullptr;
    // The tick count in milliseconds at the last pulse.
    quint32 laatstePuls = 0;
};
