// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/fabriek.h"

#include "modules/soorten/adomzetter.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/geheugencel.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/invertor.h"
#include "modules/soorten/led.h"
#include "modules/soorten/poorten.h"
#include "modules/soorten/pulsenteller.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/sensor.h"
#include "modules/soorten/split.h"
#include "modules/soorten/transistor.h"
#include "modules/soorten/variabelespanning.h"
#include "modules/soorten/zoemer.h"

#include <utility>

namespace {
ZwenkelBouwer& zwenkelBouwer() {
    static ZwenkelBouwer bouwer;
    return bouwer;
}
} // namespace

void zetZwenkelBouwer(ZwenkelBouwer bouwer) {
    zwenkelBouwer() = std::move(bouwer);
}

TModule* maakModuleVanSoort(TfKwintelvlak* owner, PModuleSoort entry) {
    switch (entry->soort) {
    case soorten::drukSchakelaar:
        return new TDrukSchakelaarMod(owner);
    case soorten::led:
        return new TLEDMod(owner);
    case soorten::pulsGenerator:
        return new TPulsGeneratorMod(owner);
    case soorten::variabeleSpanning:
        return new TVariabeleSpanningMod(owner);
    case soorten::adOmzetter:
        return new TADOmzetterMod(owner);
    case soorten::comparator:
        return new TComparatorMod(owner);
    case soorten::pulsenTeller:
        return new TPulsenTellerMod(owner);
    case soorten::ofPoort:
        return new TOFPoortMod(owner);
    case soorten::enPoort:
        return new TENPoortMod(owner);
    case soorten::split:
        return new TSplitMod(owner, entry);
    case soorten::geheugenCel:
        return new TGeheugenCelMod(owner);
    case soorten::invertor:
        return new TInvertorMod(owner, entry);
    case soorten::transistor:
        return new TTransistorMod(owner);
    case soorten::relais:
        return new TRelaisMod(owner);
    case soorten::zoemer:
        return new TZoemerMod(owner);
    case soorten::geluidSensor:
        return new TGeluidSensorMod(owner);
    case soorten::sensor:
        return new TSensorMod(owner);
    case soorten::zwenkel:
        return zwenkelBouwer() ? zwenkelBouwer()(owner, entry) : nullptr;
    default:
        return nullptr;
    }
}
