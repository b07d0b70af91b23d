#!/usr/bin/env python3
"""Writes a class of pupil boards and a check file for timing the checker.

Each board is standard-board sized (23 modules): three keys, each wired to
its own LED, beside modules the check does not name. The records stand in a
different order on every board, so the modules are numbered differently and
the checker has to find the numbering; every fifth board has its third key
unwired, so no numbering passes and every one is tried.

    python3 scripts/maak_klas.py MAP [AANTAL]
    kwintelvlak --toets MAP/toets.txt MAP/bord_*.brd
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


def main():
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
