// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The OR and AND gates: two inputs, one output, built alike.
#pragma once

#include "modules/module.h"

class QImage;
class QLabel;
class QString;
class TAfbeelding;
class TIngang;
class TUitgang;

// Both gates are built by the same steps; only the picture and the name differ.
template <class Poort> void bouwPoort(Poort& poort, const QImage& symbool, const QString& naam);

class TOFPoortMod : public TModule {
    Q_OBJECT
public:
    explicit TOFPoortMod(TfKwintelvlak* owner);

    TAfbeelding* iSymbool = nullptr;
    TIngang* ingangen[3] = {}; // 1..2
    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
    // Whether input i's last level was high.
    bool ingangHoog[3] = {}; // 1..2

    friend void bouwPoort<>(TOFPoortMod&, const QImage&, const QString&);
};

class TENPoortMod : public TModule {
    Q_OBJECT
public:
    explicit TENPoortMod(TfKwintelvlak* owner);

    TAfbeelding* iSymbool = nullptr;
    TIngang* ingangen[3] = {}; // 1..2
    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
    bool ingangHoog[3] = {}; // 1..2

    friend void bouwPoort<>(TENPoortMod&, const QImage&, const QString&);
};
