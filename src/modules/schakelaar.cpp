// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// What the push key does when it is pressed and released.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/soorten/pulsenteller.h"

void TfKwintelvlak::sSchakelaarMouseDown(TSchakelaar* sender, Qt::MouseButton) {
    sender->setPicture(TSchakelaar::buttonDown());
    // The pulse counter's key drives its reset input directly.
    if (auto* teller = qobject_cast<TPulsenTellerMod*>(sender->parentWidget()))
        moduleActie(teller, 3, 50);
    sender->stand = 1;
}

void TfKwintelvlak::sSchakelaarMouseUp(TSchakelaar* sender, Qt::MouseButton button) {
    // Released with any button, also the right one that latches the key.
    if (auto* teller = qobject_cast<TPulsenTellerMod*>(sender->parentWidget()))
        moduleActie(teller, 3, 0);
    if (button == Qt::RightButton) {
        sender->stand = 2; // latched: stays shown down
        return;
    }
    sender->stand = 0;
    sender->setPicture(TSchakelaar::buttonUp());
}
