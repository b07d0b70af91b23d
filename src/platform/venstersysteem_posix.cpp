// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The panel's window background on X11 (xcb); nothing on a system without it.
#include "platform/venstersysteem.h"

#include <QColor>
#include <QGuiApplication>

#if defined(KWINTEL_XCB)
#include <xcb/xcb.h>

#include <bit>
#include <cstdlib>
#endif

namespace platform {

#if defined(KWINTEL_XCB)

namespace {

// One colour channel (0..255) in the bits of a visual's mask.
quint32 inMasker(int waarde, quint32 masker) {
    if (masker == 0)
        return 0;
    const int verschuiving = std::countr_zero(masker);
    const quint32 grootste = masker >> verschuiving;
    return ((static_cast<quint32>(waarde) * grootste + 127) / 255) << verschuiving;
}

// The pixel value of a colour in the window's visual; false when the visual
// is not one of true colours (never on a display Qt runs on today).
bool pixelVoor(xcb_connection_t* c, xcb_window_t venster, const QColor& kleur, quint32& pixel) {
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, venster), nullptr);
    if (!a)
        return false;
    const xcb_visualid_t visual = a->visual;
    std::free(a);
    for (auto s = xcb_setup_roots_iterator(xcb_get_setup(c)); s.rem; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
                const xcb_visualtype_t* t = v.data;
                if (t->visual_id != visual)
                    continue;
                if (t->_class != XCB_VISUAL_CLASS_TRUE_COLOR &&
                    t->_class != XCB_VISUAL_CLASS_DIRECT_COLOR)
                    return false;
                pixel = inMasker(kleur.red(), t->red_mask) |
                        inMasker(kleur.green(), t->green_mask) |
                        inMasker(kleur.blue(), t->blue_mask);
                return true;
            }
    return false;
}

} // namespace

void zetVensterAchtergrond(quintptr venster, const QColor& kleur) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !venster)
        return;
    xcb_connection_t* c = x11->connection();
    const auto w = static_cast<xcb_window_t>(venster);
    quint32 pixel = 0;
    if (!pixelVoor(c, w, kleur, pixel))
        return;
    // Qt makes its windows without a background, so that nothing is painted
    // before Qt paints; here nobody of ours ever paints, so the X server
    // fills every part of the window that comes into view.
    xcb_change_window_attributes(c, w, XCB_CW_BACK_PIXEL, &pixel);
    xcb_clear_area(c, 0, w, 0, 0, 0, 0);
    xcb_flush(c);
}

#else

void zetVensterAchtergrond(quintptr, const QColor&) {}

#endif

} // namespace platform
