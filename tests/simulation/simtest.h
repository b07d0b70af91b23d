// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Helpers for the simulation's tests: a window whose clock is stepped by hand,
// real modules from the menus' catalogue entries, and a look at levels.
#pragma once

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/regelaars.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/split.h"
#include "modules/soorten/variabelespanning.h"
#include "platform/platform.h"
#include "support/kwinteltest.h"

namespace simtest {

// Catalogue positions of the built-in kinds.
enum Positie {
    DRUKSCHAKELAAR = 0,
    LED = 1,
    PULSGENERATOR = 2,
    VARIABELESPANNING = 3,
    ADOMZETTER = 4,
    COMPARATOR = 5,
    PULSENTELLER = 6,
    OFPOORT = 7,
    ENPOORT = 8,
    SPLIT = 9,
    SPLITKLEIN = 10,
    GEHEUGENCEL = 11,
    INVERTOR = 12,
    INVERTORKLEIN = 13,
    TRANSISTOR = 14,
    RELAIS = 15,
    ZOEMER = 16,
    GELUIDSENSOR = 17,
    SENSOR = 18,
};

// A real module of a kind, as the menus make it.
template <class T> T* maak(TfKwintelvlak& form, int positie, int top = 0, int left = 0) {
    TModule* m = form.maakModule(kwinteltest::entry(form, positie), top, left);
    return qobject_cast<T*>(m);
}

// The window's own clock is stopped: the tests tick by calling the handler.
inline void stopKlok(TfKwintelvlak& form) {
    form.tActie->stop();
}

inline void tik(TfKwintelvlak& form, int n = 1) {
    for (int i = 0; i < n; ++i)
        form.tActieTimer();
}

// A board with a window whose clock is stepped by hand, and the probes and
// sources the tests wire to the module under test.
struct Bord {
    TfKwintelvlak form;
    Bord() { stopKlok(form); }
    // A split wired to output `uitgang` of `bron`: it shows what arrives.
    TSplitMod* sonde(TModule* bron, int uitgang = 1) {
        auto* s = maak<TSplitMod>(form, SPLIT);
        kwinteltest::verbind(bron, uitgang, s, 1);
        return s;
    }
    // A variable voltage at `niveau` wired to input `ingang` of `doel`.
    TVariabeleSpanningMod* spanning(TModule* doel, int ingang, int niveau) {
        auto* v = maak<TVariabeleSpanningMod>(form, VARIABELESPANNING);
        v->regelaar->setValue(niveau);
        kwinteltest::verbind(v, 1, doel, ingang);
        return v;
    }
    // A push button wired to input `ingang` of `doel`.
    TDrukSchakelaarMod* knop(TModule* doel, int ingang) {
        auto* k = maak<TDrukSchakelaarMod>(form, DRUKSCHAKELAAR);
        kwinteltest::verbind(k, 1, doel, ingang);
        return k;
    }
};

// Whether a terminal shows its "on" colour.
inline bool aan(const TIngang* t) {
    return t->brushKleur() == t->kleurAan;
}
inline bool aan(const TUitgang* t) {
    return t->brushKleur() == t->kleurAan;
}

} // namespace simtest
