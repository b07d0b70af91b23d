/* SPDX-License-Identifier: MIT
 * SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars */
/* Example plug-in: an exclusive-OR gate. Two inputs, one output; the output
 * is high (5.0 V) while exactly one input is high (1.4 V or more). Its face
 * is the gate's symbol, "=1" in a box. */
#include "gezicht.h"
#include "kwintel_plugin.h"

#include <stdlib.h>
#include <string.h>

typedef struct {
    TZwenkelBeschrijving beschrijving; /* first: the board reads this */
    int hoog[2];
    Gezicht gezicht;
} Xof;

static const char kOpschrift[] = "OF-poort, exclusief (XOF)";
/* Level 14 (1.4 V) as a sample: 14 * 5119 / 50. */
#define DREMPEL 1433

/* The panel is 72 x 80: the inputs along the top, the output on the right.
 * The face never changes. */
static void teken(Gezicht* g, int toestand) {
    (void)toestand;
    /* The box. */
    gezicht_blok(g, 6, 32, 34, 2, GEZICHT_INKT);
    gezicht_blok(g, 6, 70, 34, 2, GEZICHT_INKT);
    gezicht_blok(g, 6, 32, 2, 40, GEZICHT_INKT);
    gezicht_blok(g, 38, 32, 2, 40, GEZICHT_INKT);
    /* "=" */
    gezicht_blok(g, 12, 46, 10, 3, GEZICHT_INKT);
    gezicht_blok(g, 12, 54, 10, 3, GEZICHT_INKT);
    /* "1" */
    gezicht_blok(g, 28, 40, 3, 22, GEZICHT_INKT);
    gezicht_blok(g, 25, 43, 3, 3, GEZICHT_INKT);
}

KWINTEL_EXPORT int KWINTEL_CALL init(char* tekst, int capaciteit) {
    if (capaciteit < (int)sizeof kOpschrift - 1)
        return 0;
    memcpy(tekst, kOpschrift, sizeof kOpschrift);
    return 1;
}

KWINTEL_EXPORT TZwenkelBeschrijving* KWINTEL_CALL create(void* venster) {
    Xof* x = calloc(1, sizeof *x);
    if (!x)
        return NULL;
    x->beschrijving.breedte = 72;
    x->beschrijving.minHoogte = 0;
    x->beschrijving.ingangenTop = -1;
    x->beschrijving.basisTop = -1;
    x->beschrijving.uitgangenTop = -1;
    x->beschrijving.aantalIngangen = 2;
    x->beschrijving.aantalUitgangen = 1;
    gezicht_open(&x->gezicht, venster, 72, 80, teken, 0);
    return &x->beschrijving;
}

KWINTEL_EXPORT void KWINTEL_CALL action(TZwenkelBeschrijving* b, int ingang, int uitgang,
                                        const char* ingangTekst, const char* uitgangTekst,
                                        TSignaalBuffer* buffer) {
    Xof* x = (Xof*)b;
    int i;
    uint16_t uit;
    (void)uitgang;
    (void)ingangTekst;
    (void)uitgangTekst;
    if (ingang == 1 || ingang == 2)
        x->hoog[ingang - 1] = buffer->monsters[0] >= DREMPEL;
    uit = (x->hoog[0] != x->hoog[1]) ? KWINTEL_MONSTER_MAX : 0;
    for (i = 0; i < KWINTEL_MONSTERS; ++i)
        buffer->monsters[i] = uit;
}

KWINTEL_EXPORT void KWINTEL_CALL open(TZwenkelBeschrijving* b, const char* tekst) {
    (void)b;
    (void)tekst;
}

KWINTEL_EXPORT int KWINTEL_CALL save(TZwenkelBeschrijving* b, char* buffer, int capaciteit) {
    (void)b;
    (void)buffer;
    (void)capaciteit;
    return 0; /* nothing to store */
}

KWINTEL_EXPORT void KWINTEL_CALL destroy(TZwenkelBeschrijving* b) {
    gezicht_sluit(&((Xof*)b)->gezicht);
    free(b);
}
