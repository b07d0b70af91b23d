// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The split: one input repeated on three outputs. The small variant hides its third output but
// keeps it.
#pragma once

#include "modules/module.h"

class QLabel;
class TIngang;
class TUitgang;

class TSplitMod : public TModule {
    Q_OBJECT
public:
    TSplitMod(TfKwintelvlak* owner, PModuleSoort entry);

    TIngang* ingang = nullptr;
    TUitgang* uitgangen[4] = {}; // 1..3
    QLabel* lNaam = nullptr;
    quint8 ingangsNiveau = 0;
};
