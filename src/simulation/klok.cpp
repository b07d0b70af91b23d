// The hold on the simulation clock and the dispatch of levels to modules.
#include "app/kwintelvlak.h"

#include "modules/module.h"

bool klokGestopt = false;
bool piepActief = false;
bool isNT = false;
int geluidNiveau = 0;
bool audioBeschikbaar = false;

void TfKwintelvlak::stopTijdklok() {
    if (klokStopTeller == 0)
        klokGestopt = true;
    ++klokStopTeller;
}

void TfKwintelvlak::startTijdklok() {
    if (klokStopTeller <= 0)
        return;
    --klokStopTeller;
    if (klokStopTeller == 0)
        klokGestopt = false;
}

void TfKwintelvlak::moduleActie(TModule* module, int ingang, quint8 niveau) {
    (void)ingang;
    (void)niveau;
    // While a board change holds the clock no module acts.
    if (klokGestopt || !module)
        return;
    // The kinds' behaviour routines are dispatched from here as they are built.
}
