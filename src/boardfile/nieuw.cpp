// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Clearing the board.
#include "app/kwintelvlak.h"

#include "modules/module.h"

#include <QAction>
#include <vector>

void TfKwintelvlak::nieuw() {
    KlokHouder houder(this);
    // The modules leave first to last, in board order, so a plug-in library
    // sees "destroy" for its modules in the order they stand on the board.
    // Since every module goes, no wire needs cutting and no number needs
    // changing: the list is emptied at once and the modules are freed after
    // it, which keeps clearing quick however full the board is.
    if (!modules.empty()) {
        const std::vector<TModule*> weg(modules.begin(), modules.end());
        modules.clear();
        contextModule = nullptr;
        for (TModule* module : weg)
            delete module;
        emit bordGewijzigd();
    }
    miLogoWeergeven->setChecked(false);
    pKwintelvlak->hide();
    miGeluidSensor->setEnabled(true);
    miZoemer->setEnabled(true);
    miTellerLatenDoorlopen->setChecked(true);
}
