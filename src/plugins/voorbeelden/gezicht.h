/* A small drawing kit the example plug-ins share to draw their faces into
 * the window handle the board gives "create": Xlib on X11, the Windows API
 * under _WIN32. Coordinates are panel pixels as the plug-in's descriptor
 * asks for them; when the board is shown enlarged (its window is larger than
 * that), everything is drawn larger by the same whole factor.
 *
 * On X11 the face becomes the window's background, so the X server itself
 * puts it back whenever the panel is uncovered, without the plug-in being
 * called. Under Windows it is drawn into the window whenever the plug-in
 * draws it again.
 *
 * Everything here is static inline: each example includes it once. */
#ifndef KWINTEL_GEZICHT_H
#define KWINTEL_GEZICHT_H

#include <stdlib.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <X11/Xlib.h>
#endif

/* The panel's colours (0xRRGGBB): its face, and what is drawn on it. */
#define GEZICHT_VLAK 0xEFEFEF
#define GEZICHT_INKT 0x000000

typedef struct {
    void* venster; /* the handle from "create"; NULL: nothing is drawn */
    int breedte, hoogte;
    int schaal; /* window pixels per panel pixel */
#if defined(_WIN32)
    HDC dc;
#else
    Display* dpy;
    Pixmap beeld;
    GC gc;
    int beeldB, beeldH;
#endif
} Gezicht;

#if !defined(_WIN32)
/* One connection per library, shared by its modules, opened when first
 * needed; NULL when there is no X server (then nothing is drawn). */
static inline Display* gezicht_verbinding(void) {
    static Display* dpy = NULL;
    static int geprobeerd = 0;
    if (!geprobeerd) {
        geprobeerd = 1;
        dpy = XOpenDisplay(NULL);
    }
    return dpy;
}
#endif

static inline void gezicht_open(Gezicht* g, void* venster, int breedte, int hoogte) {
    g->venster = venster;
    g->breedte = breedte;
    g->hoogte = hoogte;
    g->schaal = 1;
#if defined(_WIN32)
    g->dc = NULL;
#else
    g->dpy = venster ? gezicht_verbinding() : NULL;
    g->beeld = None;
    g->gc = NULL;
    g->beeldB = g->beeldH = 0;
#endif
}

/* Starts a new face, filled with the panel's colour. Returns 0 when there
 * is nothing to draw into. With meten 0 the face is drawn at the panel's own
 * size: in "create" the board has not yet given the window its size. */
static inline int gezicht_begin(Gezicht* g, int meten) {
#if defined(_WIN32)
    RECT r;
    HBRUSH vlak;
    if (!g->venster)
        return 0;
    GetClientRect((HWND)g->venster, &r);
    g->schaal = r.right / (g->breedte > 0 ? g->breedte : 1);
    if (r.bottom / (g->hoogte > 0 ? g->hoogte : 1) < g->schaal)
        g->schaal = r.bottom / (g->hoogte > 0 ? g->hoogte : 1);
    if (g->schaal < 1 || !meten)
        g->schaal = 1;
    g->dc = GetDC((HWND)g->venster);
    if (!g->dc)
        return 0;
    vlak = CreateSolidBrush(RGB(0xEF, 0xEF, 0xEF));
    FillRect(g->dc, &r, vlak);
    DeleteObject(vlak);
    return 1;
#else
    Window wortel;
    int x, y;
    unsigned int b, h, rand, diepte;
    Window w = (Window)(unsigned long)g->venster;
    if (!g->dpy || !w)
        return 0;
    if (!XGetGeometry(g->dpy, w, &wortel, &x, &y, &b, &h, &rand, &diepte))
        return 0;
    g->schaal = (int)b / (g->breedte > 0 ? g->breedte : 1);
    if ((int)h / (g->hoogte > 0 ? g->hoogte : 1) < g->schaal)
        g->schaal = (int)h / (g->hoogte > 0 ? g->hoogte : 1);
    if (g->schaal < 1 || !meten)
        g->schaal = 1;
    /* The background repeats across the window: unmeasured, it is made large
     * enough for a panel shown up to four times enlarged. */
    rand = meten ? (unsigned)g->schaal : 4u;
    if (g->beeld == None || g->beeldB != g->breedte * (int)rand ||
        g->beeldH != g->hoogte * (int)rand) {
        if (g->beeld != None)
            XFreePixmap(g->dpy, g->beeld);
        g->beeldB = g->breedte * (int)rand;
        g->beeldH = g->hoogte * (int)rand;
        g->beeld = XCreatePixmap(g->dpy, w, (unsigned)g->beeldB, (unsigned)g->beeldH, diepte);
    }
    if (!g->gc)
        g->gc = XCreateGC(g->dpy, g->beeld, 0, NULL);
    XSetForeground(g->dpy, g->gc, GEZICHT_VLAK);
    XFillRectangle(g->dpy, g->beeld, g->gc, 0, 0, (unsigned)g->beeldB, (unsigned)g->beeldH);
    XSetForeground(g->dpy, g->gc, GEZICHT_INKT);
    return 1;
#endif
}

/* A filled rectangle in the colour kleur (0xRRGGBB). */
static inline void gezicht_blok(Gezicht* g, int x, int y, int b, int h, unsigned long kleur) {
    const int s = g->schaal;
#if defined(_WIN32)
    RECT r;
    HBRUSH kwast = CreateSolidBrush(RGB((kleur >> 16) & 0xFF, (kleur >> 8) & 0xFF, kleur & 0xFF));
    r.left = x * s;
    r.top = y * s;
    r.right = (x + b) * s;
    r.bottom = (y + h) * s;
    FillRect(g->dc, &r, kwast);
    DeleteObject(kwast);
#else
    XSetForeground(g->dpy, g->gc, kleur);
    XFillRectangle(g->dpy, g->beeld, g->gc, x * s, y * s, (unsigned)(b * s), (unsigned)(h * s));
#endif
}

/* A filled circle around (x, y) with radius r, in the colour kleur. */
static inline void gezicht_stip(Gezicht* g, int x, int y, int r, unsigned long kleur) {
    const int s = g->schaal;
#if defined(_WIN32)
    HBRUSH kwast = CreateSolidBrush(RGB((kleur >> 16) & 0xFF, (kleur >> 8) & 0xFF, kleur & 0xFF));
    HGDIOBJ oud = SelectObject(g->dc, kwast);
    Ellipse(g->dc, (x - r) * s, (y - r) * s, (x + r) * s + 1, (y + r) * s + 1);
    SelectObject(g->dc, oud);
    DeleteObject(kwast);
#else
    XSetForeground(g->dpy, g->gc, GEZICHT_INKT);
    XFillArc(g->dpy, g->beeld, g->gc, (x - r) * s - 1, (y - r) * s - 1, (unsigned)(2 * r * s + 2),
             (unsigned)(2 * r * s + 2), 0, 360 * 64);
    XSetForeground(g->dpy, g->gc, kleur);
    XFillArc(g->dpy, g->beeld, g->gc, (x - r) * s, (y - r) * s, (unsigned)(2 * r * s),
             (unsigned)(2 * r * s), 0, 360 * 64);
#endif
}

/* Puts the face on the screen. */
static inline void gezicht_klaar(Gezicht* g) {
#if defined(_WIN32)
    ReleaseDC((HWND)g->venster, g->dc);
    g->dc = NULL;
#else
    Window w = (Window)(unsigned long)g->venster;
    XSetWindowBackgroundPixmap(g->dpy, w, g->beeld);
    XClearWindow(g->dpy, w);
    XFlush(g->dpy);
#endif
}

/* At "destroy": lets go of what the face holds. The window is the board's
 * and stays. */
static inline void gezicht_sluit(Gezicht* g) {
#if !defined(_WIN32)
    if (g->dpy) {
        Window w = (Window)(unsigned long)g->venster;
        /* The window must not keep a background that is about to go. */
        if (w)
            XSetWindowBackgroundPixmap(g->dpy, w, None);
        if (g->beeld != None)
            XFreePixmap(g->dpy, g->beeld);
        if (g->gc)
            XFreeGC(g->dpy, g->gc);
        XFlush(g->dpy);
    }
#endif
    g->venster = NULL;
}

#endif /* KWINTEL_GEZICHT_H */
