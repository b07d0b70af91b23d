#include "modules/regelaars.h"

#include "modules/module.h"

TRegelaar::TRegelaar(TModule* owner) : TSpinEdit(owner) {
    resize(48, 22);
}

TKommaRegelaar::TKommaRegelaar(TModule* owner) : TCommaSpinEdit(owner) {
    resize(48, 22);
}
