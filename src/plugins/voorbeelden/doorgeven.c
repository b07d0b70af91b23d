/* SPDX-License-Identifier: MIT
 * SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars */
/* Example plug-in: a pass-through. One input, one output; the samples go out
 * as they came in. Because the board truncates both when it turns a level
 * into samples and when it turns samples back into a level, a level L in
 * 1..49 comes out as L - 1, while 0 and 50 come out unchanged. Its face is an
 * arrow from the input to the output. */
#include "gezicht.h"
#include "kwintel_plugin.h"

#include <stdlib.h>
#include <string.h>

static const char kOpschrift[] = "Ingang naar uitgang (doorgeven)";

typedef struct {
    TZwenkelBeschrijving beschrijving; /* first: the board reads this */
    Gezicht gezicht;
} Doorgeven;

/* The panel is 56 x 80, input top left, output top right; the arrow below.
 * The face never changes. */
static void teken(Gezicht* g, int toestand) {
    int i;
    (void)toestand;
    gezicht_blok(g, 10, 47, 26, 4, GEZICHT_INKT);
    for (i = 0; i < 9; ++i) /* the head, one column at a time */
        gezicht_blok(g, 36 + i, 40 + i, 1, 18 - 2 * i, GEZICHT_INKT);
}

KWINTEL_EXPORT int KWINTEL_CALL init(char* tekst, int capaciteit) {
    if (capaciteit < (int)sizeof kOpschrift - 1)
        return 0;
    memcpy(tekst, kOpschrift, sizeof kOpschrift);
    return 1;
}

KWINTEL_EXPORT TZwenkelBeschrijving* KWINTEL_CALL create(void* venster) {
    Doorgeven* d = calloc(1, sizeof *d);
    TZwenkelBeschrijving* b;
    if (!d)
        return NULL;
    b = &d->beschrijving;
    b->breedte = 56;
    b->minHoogte = 0;
    b->ingangenTop = -1;
    b->basisTop = -1;
    b->uitgangenTop = 8;
    b->aantalIngangen = 1;
    b->aantalUitgangen = 1;
    gezicht_open(&d->gezicht, venster, 56, 80, teken, 0);
    return b;
}

KWINTEL_EXPORT void KWINTEL_CALL action(TZwenkelBeschrijving* b, int ingang, int uitgang,
                                        const char* ingangTekst, const char* uitgangTekst,
                                        TSignaalBuffer* buffer) {
    /* The buffer already holds the input's samples. */
    (void)b;
    (void)ingang;
    (void)uitgang;
    (void)ingangTekst;
    (void)uitgangTekst;
    (void)buffer;
}

KWINTEL_EXPORT void KWINTEL_CALL open(TZwenkelBeschrijving* b, const char* tekst) {
    (void)b;
    (void)tekst;
}

KWINTEL_EXPORT int KWINTEL_CALL save(TZwenkelBeschrijving* b, char* buffer, int capaciteit) {
    (void)b;
    (void)buffer;
    (void)capaciteit;
    return 0;
}

KWINTEL_EXPORT void KWINTEL_CALL destroy(TZwenkelBeschrijving* b) {
    gezicht_sluit(&((Doorgeven*)b)->gezicht);
    free(b);
}
