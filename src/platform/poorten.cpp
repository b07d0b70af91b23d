// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "platform/poorten.h"

#include "platform/toon.h"

namespace platform {

namespace {

// Channel 2 of the 8253/8254 as far as the speaker needs it, and port $61.
struct Luidspreker {
    std::uint8_t poort61 = 0;
    std::uint8_t toegang = 3; // 1 low byte only, 2 high byte only, 3 low then high
    std::uint8_t modus = 0;
    bool hoogVolgt = false; // the next byte of a low/high pair is the high one
    std::uint8_t laag = 0;
    bool geladen = false; // a whole count was written since the last mode command
    std::uint32_t deler = 0;
    bool klinkt = false;
    double frequentie = 0.0;

    void bijwerken() {
        // Modes 3 and 7 are the square wave; the other modes give no tone.
        const bool aan = (poort61 & 3) == 3 && geladen && (modus == 3 || modus == 7);
        const double f = aan ? kTimerKlok / double(deler) : 0.0;
        if (aan && (!klinkt || f != frequentie))
            toonAan(f);
        else if (!aan && klinkt)
            toonUit();
        klinkt = aan;
        frequentie = f;
    }

    void laad(std::uint32_t waarde) {
        deler = waarde == 0 ? 65536 : waarde; // a count of 0 stands for 65536
        geladen = true;
    }
};

Luidspreker g_luidspreker;
PoortRecorder* g_poortRecorder = nullptr;

void naarBeginstand(std::uint8_t poort61) {
    const bool klonk = g_luidspreker.klinkt;
    g_luidspreker = Luidspreker{};
    g_luidspreker.poort61 = poort61;
    if (klonk)
        toonUit();
}

} // namespace

std::uint8_t leesPoort(std::uint16_t poort) {
    std::uint8_t waarde = 0xFF; // an unused port reads as a floating bus
    if (poort == 0x61)
        waarde = g_luidspreker.poort61;
    else if (poort == 0x42)
        waarde = 0; // the running count is not emulated
    if (g_poortRecorder)
        g_poortRecorder->m_toegangen.push_back({false, poort, waarde});
    return waarde;
}

void schrijfPoort(std::uint16_t poort, std::uint8_t waarde) {
    if (g_poortRecorder)
        g_poortRecorder->m_toegangen.push_back({true, poort, waarde});
    Luidspreker& l = g_luidspreker;
    switch (poort) {
    case 0x61:
        l.poort61 = waarde;
        break;
    case 0x43:
        // Only commands for channel 2 (bits 7..6 = 10) concern the speaker;
        // access mode 0 latches the count and changes nothing.
        if ((waarde >> 6) == 2 && ((waarde >> 4) & 3) != 0) {
            l.toegang = (waarde >> 4) & 3;
            l.modus = (waarde >> 1) & 7;
            l.hoogVolgt = false;
            l.geladen = false; // the output waits for a new count
        }
        break;
    case 0x42:
        if (l.toegang == 1) {
            l.laad(waarde);
        } else if (l.toegang == 2) {
            l.laad(std::uint32_t(waarde) << 8);
        } else if (!l.hoogVolgt) {
            l.laag = waarde;
            l.hoogVolgt = true;
        } else {
            l.hoogVolgt = false;
            l.laad(l.laag | (std::uint32_t(waarde) << 8));
        }
        break;
    default:
        return;
    }
    l.bijwerken();
}

PoortRecorder::PoortRecorder(std::uint8_t poort61) {
    naarBeginstand(poort61);
    g_poortRecorder = this;
}

PoortRecorder::~PoortRecorder() {
    if (g_poortRecorder == this)
        g_poortRecorder = nullptr;
    naarBeginstand(0);
}

PoortRecorder* PoortRecorder::current() {
    return g_poortRecorder;
}

std::vector<PoortToegang> PoortRecorder::schrijfacties() const {
    std::vector<PoortToegang> uit;
    for (const PoortToegang& t : m_toegangen)
        if (t.schrijven)
            uit.push_back(t);
    return uit;
}

} // namespace platform
