// Clearing the board.
#include "app/kwintelvlak.h"

#include <QAction>

void TfKwintelvlak::nieuw() {
    KlokHouder houder(this);
    // The last module goes first: it has the highest number of its kind, so
    // no other module needs renumbering and no wire needs re-aiming, and
    // clearing stays quick however full the board is. The board ends up
    // just as empty.
    while (!modules.empty())
        moduleVerwijderen(modules.back());
    miLogoWeergeven->setChecked(false);
    pKwintelvlak->hide();
    miGeluidSensor->setEnabled(true);
    miZoemer->setEnabled(true);
    miTellerLatenDoorlopen->setChecked(true);
}
