// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The sound sensor: its level follows the loudness at the microphone.
#pragma once

#include "modules/module.h"

class QLabel;
class TUitgang;
class TVorm;

class TGeluidSensorMod : public TModule {
    Q_OBJECT
public:
    explicit TGeluidSensorMod(TfKwintelvlak* owner);

    TVorm* stip = nullptr;
    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
};
