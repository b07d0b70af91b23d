/* SPDX-License-Identifier: GPL-3.0-or-later
 * SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars */
/* A plug-in for the tests that draws into its window with Xlib, as a
 * library with a face of its own does: on every tick it fills a square of
 * the colour VIERKANT_KLEUR into the window "create" was given. No inputs,
 * one output that stays low. */
#include "plugins/kwintel_plugin.h"

#include <X11/Xlib.h>
#include <stdlib.h>
#include <string.h>

/* A colour nothing else on the board has. */
#define VIERKANT_KLEUR 0x20C878

typedef struct {
    TZwenkelBeschrijving beschrijving;
    Window venster;
    int geteld; /* its first "action" has been seen */
} Vierkant;

static Display* g_dpy;
static GC g_gc;
static int g_levend;                  /* modules alive, so the last one closes the display */
static unsigned g_eersteB, g_eersteH; /* the window's size at the last module's first "action" */

KWINTEL_EXPORT int KWINTEL_CALL init(char* tekst, int capaciteit) {
    strncpy(tekst, "IVierkant", (size_t)capaciteit);
    return 1;
}

KWINTEL_EXPORT TZwenkelBeschrijving* KWINTEL_CALL create(void* venster) {
    Vierkant* v = calloc(1, sizeof *v);
    if (!v)
        return NULL;
    v->beschrijving.breedte = 120;
    v->beschrijving.minHoogte = 60;
    v->beschrijving.ingangenTop = -1;
    v->beschrijving.basisTop = -1;
    v->beschrijving.uitgangenTop = -1;
    v->beschrijving.aantalIngangen = 0;
    v->beschrijving.aantalUitgangen = 1;
    v->venster = (Window)(unsigned long)venster;
    ++g_levend;
    if (!g_dpy)
        g_dpy = XOpenDisplay(NULL);
    if (g_dpy && !g_gc) {
        g_gc = XCreateGC(g_dpy, DefaultRootWindow(g_dpy), 0, NULL);
        XSetForeground(g_dpy, g_gc, VIERKANT_KLEUR);
    }
    return &v->beschrijving;
}

KWINTEL_EXPORT void KWINTEL_CALL action(TZwenkelBeschrijving* b, int ingang, int uitgang,
                                        const char* ingangTekst, const char* uitgangTekst,
                                        TSignaalBuffer* buffer) {
    Vierkant* v = (Vierkant*)b;
    (void)ingang;
    (void)uitgang;
    (void)ingangTekst;
    (void)uitgangTekst;
    memset(buffer->monsters, 0, sizeof buffer->monsters);
    if (g_dpy && v->venster && !v->geteld) {
        Window wortel;
        int x, y;
        unsigned rand, diepte;
        v->geteld = 1;
        XGetGeometry(g_dpy, v->venster, &wortel, &x, &y, &g_eersteB, &g_eersteH, &rand, &diepte);
    }
    if (g_dpy && g_gc && v->venster) {
        /* In window pixels, from the top-left corner. */
        XFillRectangle(g_dpy, v->venster, g_gc, 4, 4, 40, 40);
        XFlush(g_dpy);
    }
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
    free(b);
    /* The last module lets go of the connection, before the library is unloaded. */
    if (--g_levend == 0 && g_dpy) {
        if (g_gc)
            XFreeGC(g_dpy, g_gc);
        XCloseDisplay(g_dpy);
        g_gc = NULL;
        g_dpy = NULL;
    }
}

/* For the tests: the window's size as the last module made saw it at its
 * first "action" call. */
KWINTEL_EXPORT void test_eerste_grootte(unsigned* breedte, unsigned* hoogte) {
    *breedte = g_eersteB;
    *hoogte = g_eersteH;
}
