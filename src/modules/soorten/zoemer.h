// The buzzer: sounds while its input is high.
#pragma once

#include "modules/module.h"

class QLabel;
class TAfbeelding;
class TBevel;
class TIngang;
class TKommaRegelaar;
class TLED;
class TRegelaar;
class TSchakelaar;
class TUitgang;
class TVorm;

class TZoemerMod : public TModule {
    Q_OBJECT
public:
    explicit TZoemerMod(TfKwintelvlak* owner);

    TIngang* ingang = nullptr;
    TAfbeelding* iSymbool = nullptr;
    QLabel* lNaam = nullptr;
    bool zoemt = false;
};
