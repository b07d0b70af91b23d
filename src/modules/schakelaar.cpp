// What the push key does when it is pressed and released.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"

void TfKwintelvlak::sSchakelaarMouseDown(TSchakelaar* sender, Qt::MouseButton) {
    sender->setPicture(TSchakelaar::buttonDown());
    sender->stand = 1;
}

void TfKwintelvlak::sSchakelaarMouseUp(TSchakelaar* sender, Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        sender->stand = 2; // latched: stays shown down
        return;
    }
    sender->stand = 0;
    sender->setPicture(TSchakelaar::buttonUp());
}
