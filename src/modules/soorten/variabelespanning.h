// The variable voltage: puts its setting, 0,0 to 5,0 V, on its output.
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

class TVariabeleSpanningMod : public TModule {
    Q_OBJECT
public:
    explicit TVariabeleSpanningMod(TfKwintelvlak* owner);

    QLabel* lNaam = nullptr;
    TKommaRegelaar* regelaar = nullptr;
    QLabel* lEenheid = nullptr;
    TUitgang* uitgang = nullptr;
};
