#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
"""Writes a class of pupil boards and a check file for timing the checker.

Each board is standard-board sized (23 modules): three keys, each wired to
its own LED, beside modules the check does not name. The records stand in a
different order on every board, so the modules are numbered differently and
the checker has to find the numbering; every fifth board has its third key
unwired, so no numbering passes and every one is tried.

    python3 scripts/maak_klas.py MAP [AANTAL]
    kwintelvlak --toets MAP/toets.txt MAP/bord_*.brd

With --zeven-leds: boards with seven LEDs (a 1 Hz pulse generator and a
counter lighting four of them in binary, two keys, one through an inverter,
and a sensor) and a check of 30 simulated seconds that looks at every LED
each second. The LEDs stand in a different order on every board; every
other board lacks the wire to the counter's lowest LED, so it fails and the
checker looks for the best numbering.

    python3 scripts/maak_klas.py --zeven-leds MAP [AANTAL]
    kwintelvlak --toets MAP/toets.txt MAP/zeven_*.brd
"""
import os
import random
import sys

VULLING = [(11, 1, ""), (11, 1, ""), (8, 1, ""), (8, 1, ""), (7, 1, ""), (9, 3, ""),
           (9, 3, ""), (6, 4, ""), (3, 1, "25"), (3, 1, "25"), (3, 1, "25"), (5, 1, "25"),
           (5, 1, "25"), (10, 1, ""), (12, 1, ""), (13, 2, ""), (14, 0, "")]


def bord(nummer, fout):
    rnd = random.Random(nummer)
    # (kind, key index or LED index or None, fill entry)
    regels = [("knop", i) for i in range(3)] + [("led", i) for i in range(3)]
    regels += [("vul", i) for i in range(len(VULLING))]
    rnd.shuffle(regels)
    # Numbers follow the order in the file, within each kind.
    led_nummer = {}
    teller = {}
    soort_van = {"knop": 0, "led": 1}
    for wat, i in regels:
        soort = soort_van.get(wat, VULLING[i][0] if wat == "vul" else None)
        teller[soort] = teller.get(soort, 0) + 1
        if wat == "led":
            led_nummer[i] = teller[soort]
    uit = ["EKWINTELVLAK V1.5|1"]
    plek = 0
    for wat, i in regels:
        top, left = 20 + 80 * (plek % 7), 20 + 140 * (plek // 7)
        plek += 1
        if wat == "knop":
            doel = "-1|1|1" if fout and i == 2 else "1|%d|1" % led_nummer[i]
            uit.append("%d|%d|0|1|1|%s|" % (top, left, doel))
        elif wat == "led":
            uit.append("%d|%d|1|1|0|" % (top, left))
        else:
            soort, n, instelling = VULLING[i]
            draden = "".join("-1|1|1|" for _ in range(n))
            uit.append("%d|%d|%d|1|%d|%s%s" % (top, left, soort, n, draden,
                                              instelling + "|" if instelling else ""))
    return "\r\n".join(uit) + "\r\n"


def toets():
    regels = ["# Elke knop laat zijn eigen LED branden."]
    stappen = 0
    ronde = 0
    while stappen < 100:
        for k in range(1, 4):
            regels += ["druk Drukschakelaar %d" % k, "tik 2"]
            regels += ["verwacht LED %d %s" % (l, "aan" if l == k else "uit") for l in range(1, 4)]
            regels += ["los Drukschakelaar %d" % k, "tik 1"]
            stappen += 7
        ronde += 1
    return "\n".join(regels[:101]) + "\n"


def zeven_bord(nummer, fout):
    rnd = random.Random(1000 + nummer)
    # The LEDs' records in a shuffled order: the board numbers them so.
    volgorde = list(range(7))
    rnd.shuffle(volgorde)
    led_nummer = {rol: i + 1 for i, rol in enumerate(volgorde)}
    # Counter outputs (weights 8, 4, 2, 1) light LEDs 1..4 of the check.
    teller = "".join("1|%d|1|" % led_nummer[3 - k] for k in range(4))
    if fout:
        # The weight 1 not wired.
        teller = "".join("1|%d|1|" % led_nummer[3 - k] for k in range(3)) + "-1|1|1|"
    uit = ["EKWINTELVLAK V1.5|1",
           "20|20|2|1|1|6|1|1|1|",
           "20|150|6|1|4|" + teller,
           "150|20|0|1|1|1|%d|1|" % led_nummer[4],
           "150|150|0|2|1|11|1|1|",
           "150|280|11|1|1|1|%d|1|" % led_nummer[5],
           "300|20|16|1|1|1|%d|1|" % led_nummer[6]]
    for i, rol in enumerate(volgorde):
        uit.append("%d|%d|1|1|0|" % (450, 20 + 90 * i))
    return "\r\n".join(uit) + "\r\n"


def zeven_toets():
    regels = ["# Zeven LED's: de teller telt binair op LED 1 tot en met 4 (1 Hz), knop 1",
              "# laat LED 5 branden, knop 2 doet LED 6 uit, de sensor doet LED 7 aan."]
    # Pulses at ticks 1, 102, 203, ...: after 100 s ticks the count is s.
    regels.append("tik 1")
    for seconde in range(1, 31):
        knop = seconde % 2 == 1
        regels += ["druk Drukschakelaar 1" if knop else "los Drukschakelaar 1",
                   "druk Drukschakelaar 2" if not knop else "los Drukschakelaar 2",
                   "muis Sensor 1 5 5" if knop else "muis 5000 5000",
                   "tik 101"]
        stand = (seconde + 1) % 16
        for k in range(4):
            regels.append("verwacht LED %d %s" % (k + 1, "aan" if stand & (8 >> k) else "uit"))
        regels.append("verwacht LED 5 %s" % ("aan" if knop else "uit"))
        regels.append("verwacht LED 6 %s" % ("uit" if not knop else "aan"))
        regels.append("verwacht LED 7 %s" % ("aan" if knop else "uit"))
    return "\n".join(regels) + "\n"


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--zeven-leds":
        map_ = sys.argv[2]
        aantal = int(sys.argv[3]) if len(sys.argv) > 3 else 30
        os.makedirs(map_, exist_ok=True)
        for n in range(1, aantal + 1):
            with open(os.path.join(map_, "zeven_%02d.brd" % n), "w", newline="") as f:
                f.write(zeven_bord(n, n % 2 == 0))
        with open(os.path.join(map_, "toets.txt"), "w") as f:
            f.write(zeven_toets())
        return
    map_ = sys.argv[1]
    aantal = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    os.makedirs(map_, exist_ok=True)
    for n in range(1, aantal + 1):
        with open(os.path.join(map_, "bord_%02d.brd" % n), "w", newline="") as f:
            f.write(bord(n, n % 5 == 0))
    with open(os.path.join(map_, "toets.txt"), "w") as f:
        f.write(toets())


if __name__ == "__main__":
    main()
