// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The speaker driven through its ports: channel 2 of the interval timer makes
// a square wave, port $61 opens the speaker to it. Only used where the
// platform is not of the NT family; on the NT family the buzzer beeps.
#include "app/kwintelvlak.h"

#include "platform/poorten.h"

quint8 TfKwintelvlak::getPort(quint16 poort) {
    return platform::leesPoort(poort);
}

void TfKwintelvlak::setPort(quint16 poort, int waarde) {
    platform::schrijfPoort(poort, static_cast<quint8>(waarde & 0xFF));
}

void TfKwintelvlak::startBeep(quint16 frequentie) {
    // Below 19 Hz the count no longer fits in 16 bits; 0 would divide by zero.
    if (frequentie < 19)
        return;
    const int deler = 1193181 / frequentie;
    const quint8 b = getPort(0x61);
    // Gate and speaker still closed: open both and set channel 2 to a square
    // wave, low byte then high byte. Otherwise only the count changes.
    if ((b & 3) == 0) {
        setPort(0x61, b | 3);
        setPort(0x43, 0xB6);
    }
    setPort(0x42, deler & 0xFF);
    setPort(0x42, (deler & 0xFFFF) >> 8);
}

void TfKwintelvlak::stopBeep() {
    setPort(0x61, getPort(0x61) & 0xFC);
}
