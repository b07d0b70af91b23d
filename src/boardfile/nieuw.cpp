// Clearing the board.
#include "app/kwintelvlak.h"

#include <QAction>

void TfKwintelvlak::nieuw() {
    KlokHouder houder(this);
    while (!modules.empty())
        moduleVerwijderen(modules.front());
    miLogoWeergeven->setChecked(false);
    pKwintelvlak->hide();
    miGeluidSensor->setEnabled(true);
    miZoemer->setEnabled(true);
    miTellerLatenDoorlopen->setChecked(true);
}
