// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The module catalogue, the board's module list and the look-ups that find
// modules by kind and number.
#include "app/kwintelvlak.h"

#include "app/berichten.h"
#include "app/bord.h"
#include "modules/fabriek.h"
#include "modules/module.h"
#include "platform/platform.h"
#include "platform/slepen.h"
#include "simulation/simulatie.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <cstring>

void TfKwintelvlak::bouwCatalogus() {
    moduleSoorten.clear();
    // The order is fixed: board files name kinds by number, and the look-up
    // of a board-file record takes the first entry that fits.
    const struct {
        int soort;
        bool variant;
        QAction* item;
    } ingebouwd[] = {
        {soorten::drukSchakelaar, false, miDrukSchakelaar},
        {soorten::led, false, miLED},
        {soorten::pulsGenerator, false, miPulsGenerator},
        {soorten::variabeleSpanning, false, miVariabeleSpanning},
        {soorten::adOmzetter, false, miADOmzetter},
        {soorten::comparator, false, miComparator},
        {soorten::pulsenTeller, false, miPulsenteller},
        {soorten::ofPoort, false, miOFPoort},
        {soorten::enPoort, false, miENPoort},
        {soorten::split, false, miSplit},
        {soorten::split, true, nullptr}, // the small split comes only from board files
        {soorten::geheugenCel, false, miGeheugencel},
        {soorten::invertor, false, miInvertor},
        {soorten::invertor, true, miInvertorKlein},
        {soorten::transistor, false, miTransistor},
        {soorten::relais, false, miRelais},
        {soorten::zoemer, false, miZoemer},
        {soorten::geluidSensor, false, miGeluidSensor},
        {soorten::sensor, false, miSensor},
    };
    for (const auto& e : ingebouwd) {
        auto entry = std::make_unique<TModuleSoort>();
        entry->soort = e.soort;
        entry->variant = e.variant;
        if (e.item)
            e.item->setData(QVariant::fromValue(reinterpret_cast<quintptr>(entry.get())));
        moduleSoorten.push_back(std::move(entry));
    }
}

QAction* TfKwintelvlak::menuItemVoor(PModuleSoort entry) const {
    for (QAction* a : findChildren<QAction*>())
        if (a->data().canConvert<quintptr>() &&
            a->data().value<quintptr>() == reinterpret_cast<quintptr>(entry))
            return a;
    return nullptr;
}

void TfKwintelvlak::miModuleClick(QAction* sender) {
    auto* entry = reinterpret_cast<PModuleSoort>(sender->data().value<quintptr>());
    if (!entry)
        return;
    // One drag at a time: a drag still running (only possible when the item
    // is triggered from code) ends first.
    platform::annuleerSlepen();
    TModule* module = maakModule(entry, 10, 300);
    if (!module)
        return;
    grijpPunt = QPoint(0, 0);
    module->hide();
    // The new module follows the pointer at once, wherever the pointer is
    // (also when the menu was worked with the keyboard), until it is dropped.
    m_nieuweModule = module;
    beginModuleSlepen(module, platform::cursorPos());
    miVernieuwenClick();
}

TModule* TfKwintelvlak::maakModule(PModuleSoort entry, int top, int left) {
    TModule* module = nullptr;
    try {
        module = maakModuleVanSoort(this, entry);
    } catch (const TModuleGeweigerd&) {
        return nullptr; // the builder has told the user why
    }
    if (!module) {
        toonBericht(this, QMessageBox::NoIcon, QApplication::applicationName(),
                    QStringLiteral("Module is nog niet geïmplementeerd!"));
        return nullptr;
    }
    // At most one buzzer and one sound sensor come from the menus.
    if (entry->soort == soorten::zoemer)
        miZoemer->setEnabled(false);
    if (entry->soort == soorten::geluidSensor)
        miGeluidSensor->setEnabled(false);

    plaatsModule(module, entry, top, left);
    return module;
}

void TfKwintelvlak::plaatsModule(TModule* module, PModuleSoort entry, int top, int left) {
    module->moduleSoort = entry;
    module->nummer = zoekModuleAantal(entry->soort) + 1;
    module->move(left, top);
    module->setParent(bord);
    module->show();
    modules.push_back(module);
    bord->groeiVoor(module->geometry());
    emit bordGewijzigd();
}

TModule* TfKwintelvlak::zoekModule(int soort, int nummer) const {
    // The first module in list order with this kind and number, answered
    // from the simulation's index.
    return m_simulatie->zoekModule(soort, nummer);
}

int TfKwintelvlak::zoekModuleAantal(int soort) const {
    int aantal = 0;
    for (const TModule* m : modules)
        if (m->moduleSoort->soort == soort)
            ++aantal;
    return aantal;
}

int TfKwintelvlak::zoekModuleIndex(const TModule* module) const {
    int i = 0;
    for (const TModule* m : modules) {
        if (m == module)
            return i;
        ++i;
    }
    return i;
}

PModuleSoort TfKwintelvlak::zoekLoadedModule(int soort, const char* naam, bool variant) const {
    for (const auto& entry : moduleSoorten) {
        if (entry->soort != soort || entry->variant != variant)
            continue;
        // Built-in kinds have no name and match any; a plug-in kind matches
        // only its library's file name, case and all.
        if (entry->naam[0] == '\0' || std::strcmp(entry->naam, naam ? naam : "") == 0)
            return entry.get();
    }
    return nullptr;
}

void TfKwintelvlak::moduleVerwijderen(TModule* module) {
    if (!module)
        return;
    const int soort = module->moduleSoort->soort;
    module->verwijderUitBord();
    if (contextModule == module)
        contextModule = nullptr;
    delete module;
    // Once the last buzzer or sound sensor is gone the menu offers one again,
    // so nobody has to clear the board to get one back.
    if (soort == soorten::zoemer && zoekModuleAantal(soort) == 0)
        miZoemer->setEnabled(true);
    if (soort == soorten::geluidSensor && zoekModuleAantal(soort) == 0)
        miGeluidSensor->setEnabled(true);
    emit bordGewijzigd();
}
