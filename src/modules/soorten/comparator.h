// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The comparator: high while its input is above the reference voltage.
#pragma once

#include "modules/module.h"

class QLabel;
class TAfbeelding;
class TIngang;
class TKommaRegelaar;
class TUitgang;

class TComparatorMod : public TModule {
    Q_OBJECT
public:
    explicit TComparatorMod(TfKwintelvlak* owner);

    TIngang* ingang = nullptr;
    TAfbeelding* iSymbool = nullptr;
    TUitgang* uitgang = nullptr;
    TKommaRegelaar* regelaar = nullptr;
    QLabel* lEenheid = nullptr;
    QLabel* lNaam = nullptr;
    quint8 ingangsNiveau = 0;
};
