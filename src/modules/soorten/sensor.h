// The sensor: its level follows the mouse pointer.
#pragma once

#include "modules/module.h"

class QLabel;
class TUitgang;

class TSensorMod : public TModule {
    Q_OBJECT
public:
    explicit TSensorMod(TfKwintelvlak* owner);

    TUitgang* uitgang = nullptr;
    QLabel* lNaam = nullptr;
};
