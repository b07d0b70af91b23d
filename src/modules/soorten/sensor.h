// The sensor: its level follows the mouse pointer.
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

class TSensorMod : public TModule {
    Q_OBJECT
public:
    explicit TSensorMod(TfKwintelvlak* owner);

    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
};
