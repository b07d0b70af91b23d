/* SPDX-License-Identifier: GPL-3.0-or-later
 * SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars */
/* A plug-in library for the tests, built in several variants (see
 * CMakeLists.txt): the caption and result of "init" and the exports it lacks
 * come from the build; the descriptor, what "action" does and what "save"
 * returns are set by the test through the extra exports "test_*". */
#include "plugins/kwintel_plugin.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

#ifndef INIT_RESULTAAT
#define INIT_RESULTAAT 1
#endif

#define GEEN INT_MIN

typedef struct {
    TZwenkelBeschrijving beschrijving;
    char tekst[300];
    int volgnummer; /* 1 for the first module made, 2 for the next, ... */
} Module;

typedef struct {
    int ingang, uitgang;
    int eenenIn, eenenUit; /* which text place held the ones text */
    int legeIn, legeUit;   /* which held an empty text */
    int monster;           /* the first sample on the way in */
} Aanroep;

static int32_t g_velden[7] = {0, 0, -1, -1, -1, 1, 1};
static int g_uitMonster = -1; /* -1: leave the samples as they came */
static int g_saveResultaat = GEEN;
static int g_creates, g_destroys;
static int g_geenBeschrijving; /* "create" returns NULL */
static Aanroep g_log[64];
static int g_logAantal;
static int g_vernietigd[64]; /* the volgnummer of each module "destroy" freed, in order */

static const char kEenen[] = "1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|";

#ifndef ZONDER_INIT
KWINTEL_EXPORT int KWINTEL_CALL init(char* tekst, int capaciteit) {
    strncpy(tekst, OPSCHRIFT, (size_t)capaciteit);
    return INIT_RESULTAAT;
}
#endif

#ifndef ZONDER_CREATE
KWINTEL_EXPORT TZwenkelBeschrijving* KWINTEL_CALL create(void* venster) {
    Module* m;
    (void)venster;
    if (g_geenBeschrijving)
        return NULL;
    m = calloc(1, sizeof *m);
    memcpy(&m->beschrijving.breedte, g_velden, sizeof g_velden);
    m->volgnummer = ++g_creates;
    return &m->beschrijving;
}
#endif

KWINTEL_EXPORT void KWINTEL_CALL action(TZwenkelBeschrijving* b, int ingang, int uitgang,
                                        const char* ingangTekst, const char* uitgangTekst,
                                        TSignaalBuffer* buffer) {
    int i;
    (void)b;
    if (g_logAantal < 64) {
        Aanroep* a = &g_log[g_logAantal++];
        a->ingang = ingang;
        a->uitgang = uitgang;
        a->eenenIn = strcmp(ingangTekst, kEenen) == 0;
        a->eenenUit = strcmp(uitgangTekst, kEenen) == 0;
        a->legeIn = ingangTekst[0] == '\0';
        a->legeUit = uitgangTekst[0] == '\0';
        a->monster = buffer->monsters[0];
    }
    if (g_uitMonster >= 0)
        for (i = 0; i < KWINTEL_MONSTERS; ++i)
            buffer->monsters[i] =
                (uint16_t)(g_uitMonster + (ingang == 0 && uitgang > 0 ? uitgang - 1 : 0));
}

/* Called by name inside the library, "open" would reach the C library's
 * function of that name; both exports share this one instead. */
static void zetTekst(TZwenkelBeschrijving* b, const char* tekst) {
    Module* m = (Module*)b;
    strncpy(m->tekst, tekst, sizeof m->tekst - 1);
}

#ifndef ZONDER_OPEN
KWINTEL_EXPORT void KWINTEL_CALL open(TZwenkelBeschrijving* b, const char* tekst) {
    zetTekst(b, tekst);
}
#endif

#ifndef ZONDER_SAVE
KWINTEL_EXPORT int KWINTEL_CALL save(TZwenkelBeschrijving* b, char* buffer, int capaciteit) {
    const Module* m = (const Module*)b;
    size_t n = strlen(m->tekst);
    if (n > (size_t)capaciteit)
        n = (size_t)capaciteit;
    memcpy(buffer, m->tekst, n);
    return g_saveResultaat == GEEN ? (int)n : g_saveResultaat;
}
#endif

#ifndef ZONDER_DESTROY
KWINTEL_EXPORT void KWINTEL_CALL destroy(TZwenkelBeschrijving* b) {
    if (g_destroys < 64)
        g_vernietigd[g_destroys] = ((Module*)b)->volgnummer;
    ++g_destroys;
    free(b);
}
#endif

/* ---- For the tests ---- */

/* breedte, minHoogte, ingangenTop, basisTop, uitgangenTop, inputs, outputs
 * for the modules made from now on. */
KWINTEL_EXPORT void test_stel(const int32_t* velden) {
    memcpy(g_velden, velden, sizeof g_velden);
}
/* -1: "action" leaves the samples alone; otherwise it writes this value
 * (on a tick: plus the output index less one) into every sample. */
KWINTEL_EXPORT void test_stel_uit(int monster) {
    g_uitMonster = monster;
}
/* What "save" returns; INT_MIN: the length of the module's text. */
KWINTEL_EXPORT void test_stel_save(int resultaat) {
    g_saveResultaat = resultaat;
}
KWINTEL_EXPORT void test_zet_tekst(TZwenkelBeschrijving* b, const char* tekst) {
    zetTekst(b, tekst);
}
KWINTEL_EXPORT const char* test_tekst(TZwenkelBeschrijving* b) {
    return ((Module*)b)->tekst;
}
KWINTEL_EXPORT int test_tellers(int* creates, int* destroys) {
    *creates = g_creates;
    *destroys = g_destroys;
    return g_logAantal;
}
KWINTEL_EXPORT const int* test_aanroep(int i) {
    return &g_log[i].ingang;
}
KWINTEL_EXPORT void test_stel_geen_beschrijving(int ja) {
    g_geenBeschrijving = ja;
}
/* The volgnummer of the module the i-th "destroy" freed (from 0). */
KWINTEL_EXPORT int test_vernietigd(int i) {
    return i >= 0 && i < 64 ? g_vernietigd[i] : 0;
}
KWINTEL_EXPORT void test_wis(void) {
    g_logAantal = 0;
}
