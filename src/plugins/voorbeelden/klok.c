/* SPDX-License-Identifier: MIT
 * SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars */
/* Example plug-in: a free-running clock. No inputs, one output that is high
 * and low in turn, each for a number of clock ticks (10 ms each). That number
 * is the module's setting, stored in the board file as a decimal text: "50"
 * (the default) makes a 1 Hz clock, "5" a 10 Hz one. Its face is a dot that
 * lights while the output is high. */
#include "gezicht.h"
#include "kwintel_plugin.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    TZwenkelBeschrijving beschrijving; /* first: the board reads this */
    long halvePeriode;                 /* ticks per half period */
    long teller;
    int hoog;
    Gezicht gezicht;
} Klok;

static const char kOpschrift[] = "Oscillator (vrijlopende klok)";
#define STANDAARD 50
#define MAXIMUM 360000 /* an hour */

/* The panel is 72 x 64 with its output on the right; the dot left of it,
 * lit while the output is high (toestand 1). */
static void teken(Gezicht* g, int toestand) {
    gezicht_stip(g, 22, 32, 9, toestand ? 0xFF0000 : 0x800000);
}

KWINTEL_EXPORT int KWINTEL_CALL init(char* tekst, int capaciteit) {
    if (capaciteit < (int)sizeof kOpschrift - 1)
        return 0;
    memcpy(tekst, kOpschrift, sizeof kOpschrift);
    return 1;
}

KWINTEL_EXPORT TZwenkelBeschrijving* KWINTEL_CALL create(void* venster) {
    Klok* k = calloc(1, sizeof *k);
    if (!k)
        return NULL;
    k->beschrijving.breedte = 72;
    k->beschrijving.minHoogte = 64;
    k->beschrijving.ingangenTop = -1;
    k->beschrijving.basisTop = 0;
    k->beschrijving.uitgangenTop = 24;
    k->beschrijving.aantalIngangen = 0;
    k->beschrijving.aantalUitgangen = 1;
    k->halvePeriode = STANDAARD;
    gezicht_open(&k->gezicht, venster, 72, 64, teken, 0);
    return &k->beschrijving;
}

KWINTEL_EXPORT void KWINTEL_CALL action(TZwenkelBeschrijving* b, int ingang, int uitgang,
                                        const char* ingangTekst, const char* uitgangTekst,
                                        TSignaalBuffer* buffer) {
    Klok* k = (Klok*)b;
    int i;
    uint16_t uit;
    (void)ingangTekst;
    (void)uitgangTekst;
    if (ingang == 0 && uitgang == 1 && ++k->teller >= k->halvePeriode) {
        k->teller = 0;
        k->hoog = !k->hoog;
        gezicht_zet(&k->gezicht, k->hoog); /* the dot follows the output */
    }
    uit = k->hoog ? KWINTEL_MONSTER_MAX : 0;
    for (i = 0; i < KWINTEL_MONSTERS; ++i)
        buffer->monsters[i] = uit;
}

KWINTEL_EXPORT void KWINTEL_CALL open(TZwenkelBeschrijving* b, const char* tekst) {
    Klok* k = (Klok*)b;
    char* eind = NULL;
    long waarde = strtol(tekst, &eind, 10);
    /* Anything but a whole number in range keeps the default. */
    if (eind != tekst && *eind == '\0' && waarde >= 1 && waarde <= MAXIMUM)
        k->halvePeriode = waarde;
}

KWINTEL_EXPORT int KWINTEL_CALL save(TZwenkelBeschrijving* b, char* buffer, int capaciteit) {
    const Klok* k = (const Klok*)b;
    int n = snprintf(buffer, (size_t)capaciteit, "%ld", k->halvePeriode);
    return n < 0 ? 0 : (n < capaciteit ? n : capaciteit - 1);
}

KWINTEL_EXPORT void KWINTEL_CALL destroy(TZwenkelBeschrijving* b) {
    gezicht_sluit(&((Klok*)b)->gezicht);
    free(b);
}
