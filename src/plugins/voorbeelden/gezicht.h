/* SPDX-License-Identifier: MIT
 * SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars */
/* A small drawing kit the example plug-ins share to draw their faces into
 * the window handle the board gives "create": Xlib on X11, the Windows API
 * under _WIN32.
 *
 * A plug-in describes its face in a drawing function of its own (a
 * GezichtTekenaar) with gezicht_blok and gezicht_stip, in panel pixels as
 * its descriptor asks for them, from one number of state (a lamp on or off).
 * The kit calls that function whenever the face must be drawn: at once, each
 * time the window gets another size, and when the plug-in changes the state
 * with gezicht_zet. The board never asks for a repaint, and during "create"
 * the window does not have its size yet (at --schaal N it becomes N times the
 * panel's size), so the kit watches the window itself:
 *  - On X11 the face becomes the window's background picture, so the X
 *    server puts it back whenever the panel is uncovered. A thread of the
 *    library's own waits for the window's size changes on the library's own
 *    display connection and draws the face anew at the new size. Every Xlib
 *    call of the kit, in either thread, is made under one lock.
 *  - Under Windows the kit subclasses the window: it paints the face on
 *    WM_PAINT at the window's size, and repaints when the size changes.
 * Without a window (the board gives NULL where nothing can be drawn) or
 * without an X server nothing is drawn and nothing else changes.
 *
 * Everything here is static: each example includes it once. */
#ifndef KWINTEL_GEZICHT_H
#define KWINTEL_GEZICHT_H

#include "kwintel_plugin.h"

#include <stdlib.h>

#if defined(_WIN32)
#include <windows.h>

#include <commctrl.h>
#else
#include <X11/Xlib.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>
#endif

/* What is drawn on the face (0xRRGGBB); its ground is the board's module
 * colour, KWINTEL_VLAKKLEUR. */
#define GEZICHT_INKT 0x000000

typedef struct Gezicht Gezicht;

/* Draws the face for the given state, with gezicht_blok and gezicht_stip,
 * onto a ground already filled with the module colour. */
typedef void (*GezichtTekenaar)(Gezicht* g, int toestand);

struct Gezicht {
    void* venster;       /* the handle from "create"; NULL: nothing is drawn */
    int breedte, hoogte; /* the panel's size in its own pixels */
    GezichtTekenaar tekenaar;
    int toestand;
    int schaal; /* while drawing: window pixels per panel pixel */
#if defined(_WIN32)
    HDC dc; /* while drawing */
#else
    Pixmap beeld;             /* while drawing */
    int getekendB, getekendH; /* the window size the face was last drawn for */
    int diepte;
    Gezicht* volgende; /* the library's other faces, for the watching thread */
#endif
};

/* The window pixels per panel pixel for a window of b x h. */
static inline int gezicht_schaal(const Gezicht* g, int b, int h) {
    int s = b / (g->breedte > 0 ? g->breedte : 1);
    if (h / (g->hoogte > 0 ? g->hoogte : 1) < s)
        s = h / (g->hoogte > 0 ? g->hoogte : 1);
    return s < 1 ? 1 : s;
}

#if defined(_WIN32)

/* ---- Windows ---------------------------------------------------------- */

static inline COLORREF gezicht_kleur(unsigned long kleur) {
    return RGB((kleur >> 16) & 0xFF, (kleur >> 8) & 0xFF, kleur & 0xFF);
}

/* The whole face into dc, for a window of b x h, through a picture in
 * memory so that the panel never shows half a face. */
static inline void gezicht_teken_in(Gezicht* g, HDC dc, int b, int h) {
    HDC geheugen = CreateCompatibleDC(dc);
    HBITMAP beeld = CreateCompatibleBitmap(dc, b, h);
    HGDIOBJ oud = SelectObject(geheugen, beeld);
    HBRUSH vlak = CreateSolidBrush(gezicht_kleur(KWINTEL_VLAKKLEUR));
    RECT r;
    r.left = r.top = 0;
    r.right = b;
    r.bottom = h;
    FillRect(geheugen, &r, vlak);
    DeleteObject(vlak);
    g->schaal = gezicht_schaal(g, b, h);
    g->dc = geheugen;
    g->tekenaar(g, g->toestand);
    g->dc = NULL;
    BitBlt(dc, 0, 0, b, h, geheugen, 0, 0, SRCCOPY);
    SelectObject(geheugen, oud);
    DeleteObject(beeld);
    DeleteDC(geheugen);
}

static inline LRESULT CALLBACK gezicht_proc(HWND venster, UINT bericht, WPARAM w, LPARAM l,
                                            UINT_PTR id, DWORD_PTR data) {
    Gezicht* g = (Gezicht*)data;
    switch (bericht) {
    case WM_ERASEBKGND:
        return 1; /* the face covers the whole window */
    case WM_PAINT: {
        PAINTSTRUCT ps;
        RECT r;
        HDC dc = BeginPaint(venster, &ps);
        GetClientRect(venster, &r);
        if (dc && r.right > 0 && r.bottom > 0)
            gezicht_teken_in(g, dc, r.right, r.bottom);
        EndPaint(venster, &ps);
        return 0;
    }
    case WM_SIZE:
        InvalidateRect(venster, NULL, FALSE);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(venster, gezicht_proc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(venster, bericht, w, l);
}

static inline void gezicht_open(Gezicht* g, void* venster, int breedte, int hoogte,
                                GezichtTekenaar tekenaar, int toestand) {
    g->venster = venster;
    g->breedte = breedte;
    g->hoogte = hoogte;
    g->tekenaar = tekenaar;
    g->toestand = toestand;
    g->schaal = 1;
    g->dc = NULL;
    if (!venster)
        return;
    if (!SetWindowSubclass((HWND)venster, gezicht_proc, (UINT_PTR)g, (DWORD_PTR)g)) {
        g->venster = NULL;
        return;
    }
    InvalidateRect((HWND)venster, NULL, FALSE);
}

static inline void gezicht_zet(Gezicht* g, int toestand) {
    if (g->toestand == toestand)
        return;
    g->toestand = toestand;
    if (g->venster)
        InvalidateRect((HWND)g->venster, NULL, FALSE);
}

static inline void gezicht_sluit(Gezicht* g) {
    if (g->venster)
        RemoveWindowSubclass((HWND)g->venster, gezicht_proc, (UINT_PTR)g);
    g->venster = NULL;
}

/* A filled rectangle in the colour kleur (0xRRGGBB), in panel pixels. */
static inline void gezicht_blok(Gezicht* g, int x, int y, int b, int h, unsigned long kleur) {
    const int s = g->schaal;
    RECT r;
    HBRUSH kwast = CreateSolidBrush(gezicht_kleur(kleur));
    r.left = x * s;
    r.top = y * s;
    r.right = (x + b) * s;
    r.bottom = (y + h) * s;
    FillRect(g->dc, &r, kwast);
    DeleteObject(kwast);
}

/* A filled circle around (x, y) with radius r in the colour kleur, with a
 * thin outline in the ink colour. */
static inline void gezicht_stip(Gezicht* g, int x, int y, int r, unsigned long kleur) {
    const int s = g->schaal;
    HBRUSH kwast = CreateSolidBrush(gezicht_kleur(kleur));
    HPEN pen = CreatePen(PS_SOLID, 1, gezicht_kleur(GEZICHT_INKT));
    HGDIOBJ oudeKwast = SelectObject(g->dc, kwast);
    HGDIOBJ oudePen = SelectObject(g->dc, pen);
    Ellipse(g->dc, (x - r) * s - 1, (y - r) * s - 1, (x + r) * s + 1, (y + r) * s + 1);
    SelectObject(g->dc, oudePen);
    SelectObject(g->dc, oudeKwast);
    DeleteObject(pen);
    DeleteObject(kwast);
}

#else

/* ---- X11 -------------------------------------------------------------- */

/* What the library's faces share: one display connection and one graphics
 * context, the faces themselves, and the thread that watches their windows.
 * Everything here, and every Xlib call, is used under slot. */
static struct {
    pthread_mutex_t slot;
    Display* dpy;
    GC gc;
    Gezicht* gezichten;
    int draadLoopt;
    pthread_t draad;
    int wekker[2]; /* a byte written to wekker[1] wakes the thread */
    int stoppen;
} gezicht_gedeeld = {PTHREAD_MUTEX_INITIALIZER, NULL, NULL, NULL, 0, 0, {-1, -1}, 0};

/* Draws g's face for a window of b x h and makes it the window's
 * background. Called under the lock. */
static inline void gezicht_teken_nu(Gezicht* g, int b, int h) {
    Display* dpy = gezicht_gedeeld.dpy;
    const Window w = (Window)(unsigned long)g->venster;
    if (!dpy || !w || b <= 0 || h <= 0)
        return;
    g->beeld = XCreatePixmap(dpy, w, (unsigned)b, (unsigned)h, (unsigned)g->diepte);
    if (!gezicht_gedeeld.gc)
        gezicht_gedeeld.gc = XCreateGC(dpy, g->beeld, 0, NULL);
    XSetForeground(dpy, gezicht_gedeeld.gc, KWINTEL_VLAKKLEUR);
    XFillRectangle(dpy, g->beeld, gezicht_gedeeld.gc, 0, 0, (unsigned)b, (unsigned)h);
    g->schaal = gezicht_schaal(g, b, h);
    g->tekenaar(g, g->toestand);
    /* The window keeps the picture; the X server shows it wherever the
     * window is uncovered. */
    XSetWindowBackgroundPixmap(dpy, w, g->beeld);
    XClearWindow(dpy, w);
    XFreePixmap(dpy, g->beeld);
    g->beeld = None;
    g->getekendB = b;
    g->getekendH = h;
    XFlush(dpy);
}

static inline void gezicht_wek(void) {
    const char c = 0;
    if (gezicht_gedeeld.draadLoopt && write(gezicht_gedeeld.wekker[1], &c, 1) < 0) {
        /* A full pipe wakes the thread all the same. */
    }
}

/* The watching thread: waits for events on the connection (and for a
 * wake-up), then draws each face whose window got another size. */
static inline void* gezicht_wacht(void* arg) {
    struct pollfd p[2];
    char weg[64];
    (void)arg;
    p[0].fd = ConnectionNumber(gezicht_gedeeld.dpy);
    p[0].events = POLLIN;
    p[1].fd = gezicht_gedeeld.wekker[0];
    p[1].events = POLLIN;
    for (;;) {
        pthread_mutex_lock(&gezicht_gedeeld.slot);
        if (gezicht_gedeeld.stoppen) {
            pthread_mutex_unlock(&gezicht_gedeeld.slot);
            return NULL;
        }
        /* Also what the other thread's calls have read into Xlib's queue. */
        while (XPending(gezicht_gedeeld.dpy) > 0) {
            XEvent e;
            Gezicht* g;
            XNextEvent(gezicht_gedeeld.dpy, &e);
            if (e.type != ConfigureNotify)
                continue;
            for (g = gezicht_gedeeld.gezichten; g; g = g->volgende)
                if ((Window)(unsigned long)g->venster == e.xconfigure.window &&
                    (e.xconfigure.width != g->getekendB || e.xconfigure.height != g->getekendH))
                    gezicht_teken_nu(g, e.xconfigure.width, e.xconfigure.height);
        }
        pthread_mutex_unlock(&gezicht_gedeeld.slot);
        p[0].revents = p[1].revents = 0;
        poll(p, 2, -1);
        if (p[1].revents & POLLIN) {
            if (read(gezicht_gedeeld.wekker[0], weg, sizeof weg) < 0) {
                /* Woken all the same. */
            }
        }
    }
}

/* Starts drawing g's face into venster (NULL: nothing is drawn), a panel of
 * breedte x hoogte panel pixels, with tekenaar, for state toestand. */
static inline void gezicht_open(Gezicht* g, void* venster, int breedte, int hoogte,
                                GezichtTekenaar tekenaar, int toestand) {
    const Window w = (Window)(unsigned long)venster;
    Window wortel;
    int x, y;
    unsigned int b, h, rand, diepte;
    g->venster = NULL;
    g->breedte = breedte;
    g->hoogte = hoogte;
    g->tekenaar = tekenaar;
    g->toestand = toestand;
    g->schaal = 1;
    g->beeld = None;
    g->getekendB = g->getekendH = 0;
    g->diepte = 0;
    g->volgende = NULL;
    if (!w)
        return;
    pthread_mutex_lock(&gezicht_gedeeld.slot);
    if (!gezicht_gedeeld.dpy)
        gezicht_gedeeld.dpy = XOpenDisplay(NULL);
    if (gezicht_gedeeld.dpy && !gezicht_gedeeld.draadLoopt && pipe(gezicht_gedeeld.wekker) == 0) {
        gezicht_gedeeld.stoppen = 0;
        if (pthread_create(&gezicht_gedeeld.draad, NULL, gezicht_wacht, NULL) == 0) {
            gezicht_gedeeld.draadLoopt = 1;
        } else {
            close(gezicht_gedeeld.wekker[0]);
            close(gezicht_gedeeld.wekker[1]);
        }
    }
    if (gezicht_gedeeld.dpy) {
        /* Told of every size change from now on; the size it has now is
         * read after that, so none is missed. */
        XSelectInput(gezicht_gedeeld.dpy, w, StructureNotifyMask);
        if (XGetGeometry(gezicht_gedeeld.dpy, w, &wortel, &x, &y, &b, &h, &rand, &diepte)) {
            g->venster = venster;
            g->diepte = (int)diepte;
            g->volgende = gezicht_gedeeld.gezichten;
            gezicht_gedeeld.gezichten = g;
            gezicht_teken_nu(g, (int)b, (int)h);
        }
    }
    pthread_mutex_unlock(&gezicht_gedeeld.slot);
    gezicht_wek();
}

/* The face for another state, drawn at once. */
static inline void gezicht_zet(Gezicht* g, int toestand) {
    if (g->toestand == toestand)
        return;
    pthread_mutex_lock(&gezicht_gedeeld.slot);
    g->toestand = toestand;
    if (g->venster)
        gezicht_teken_nu(g, g->getekendB, g->getekendH);
    pthread_mutex_unlock(&gezicht_gedeeld.slot);
    gezicht_wek();
}

/* At "destroy": the face is no longer watched; with the library's last
 * face the thread and the connection go too. The window is the board's. */
static inline void gezicht_sluit(Gezicht* g) {
    Gezicht** p;
    int laatste;
    if (!g->venster)
        return;
    pthread_mutex_lock(&gezicht_gedeeld.slot);
    for (p = &gezicht_gedeeld.gezichten; *p; p = &(*p)->volgende)
        if (*p == g) {
            *p = g->volgende;
            break;
        }
    XSelectInput(gezicht_gedeeld.dpy, (Window)(unsigned long)g->venster, NoEventMask);
    XFlush(gezicht_gedeeld.dpy);
    g->venster = NULL;
    laatste = gezicht_gedeeld.gezichten == NULL;
    if (laatste)
        gezicht_gedeeld.stoppen = 1;
    pthread_mutex_unlock(&gezicht_gedeeld.slot);
    if (!laatste)
        return;
    /* The thread must be gone before the board unloads the library. */
    if (gezicht_gedeeld.draadLoopt) {
        gezicht_wek();
        pthread_join(gezicht_gedeeld.draad, NULL);
        gezicht_gedeeld.draadLoopt = 0;
        close(gezicht_gedeeld.wekker[0]);
        close(gezicht_gedeeld.wekker[1]);
    }
    pthread_mutex_lock(&gezicht_gedeeld.slot);
    if (gezicht_gedeeld.gc)
        XFreeGC(gezicht_gedeeld.dpy, gezicht_gedeeld.gc);
    gezicht_gedeeld.gc = NULL;
    XCloseDisplay(gezicht_gedeeld.dpy);
    gezicht_gedeeld.dpy = NULL;
    pthread_mutex_unlock(&gezicht_gedeeld.slot);
}

/* A filled rectangle in the colour kleur (0xRRGGBB), in panel pixels. */
static inline void gezicht_blok(Gezicht* g, int x, int y, int b, int h, unsigned long kleur) {
    const int s = g->schaal;
    XSetForeground(gezicht_gedeeld.dpy, gezicht_gedeeld.gc, kleur);
    XFillRectangle(gezicht_gedeeld.dpy, g->beeld, gezicht_gedeeld.gc, x * s, y * s,
                   (unsigned)(b * s), (unsigned)(h * s));
}

/* A filled circle around (x, y) with radius r in the colour kleur, with a
 * thin outline in the ink colour. */
static inline void gezicht_stip(Gezicht* g, int x, int y, int r, unsigned long kleur) {
    const int s = g->schaal;
    Display* dpy = gezicht_gedeeld.dpy;
    GC gc = gezicht_gedeeld.gc;
    XSetForeground(dpy, gc, GEZICHT_INKT);
    XFillArc(dpy, g->beeld, gc, (x - r) * s - 1, (y - r) * s - 1, (unsigned)(2 * r * s + 2),
             (unsigned)(2 * r * s + 2), 0, 360 * 64);
    XSetForeground(dpy, gc, kleur);
    XFillArc(dpy, g->beeld, gc, (x - r) * s, (y - r) * s, (unsigned)(2 * r * s),
             (unsigned)(2 * r * s), 0, 360 * 64);
}

#endif

#endif /* KWINTEL_GEZICHT_H */
