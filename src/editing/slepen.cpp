// Taking hold of a module. The module is held from the press until the left
// button is released; a module taken from a menu, with no button held, is
// shown at once where it was made.
#include "app/kwintelvlak.h"

#include "app/bord.h"
#include "modules/module.h"

#include <QApplication>

void TfKwintelvlak::beginModuleSlepen(TModule* module) {
    sleepModule = module;
    if (!(QApplication::mouseButtons() & Qt::LeftButton))
        eindeModuleSlepen();
}

void TfKwintelvlak::eindeModuleSlepen() {
    TModule* module = sleepModule;
    sleepModule = nullptr;
    // However the hold ends, the module is never left hidden on the board.
    if (module)
        module->show();
    bord->pasGrootteAan();
}
