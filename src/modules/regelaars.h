// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The setting controls of modules: a whole-number spin edit and one that
// shows tenths with a comma (25 reads "2,5"). Both are 48 x 22.
#pragma once

#include "controls/spinknoppen.h"

class TModule;

class TRegelaar : public TSpinEdit {
    Q_OBJECT
public:
    explicit TRegelaar(TModule* owner);
};

class TKommaRegelaar : public TCommaSpinEdit {
    Q_OBJECT
public:
    explicit TKommaRegelaar(TModule* owner);
};
