// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Which window system the program runs on, and what the program asks of it
// directly for windows whose contents others draw.
#pragma once

#include <QtGlobal>

class QColor;

namespace platform {

// On a Wayland session the program runs through XWayland (Qt's xcb
// platform), since only there is a module panel's window handle a window
// that a plug-in library can draw into. Nothing changes when the user chose
// a platform (QT_QPA_PLATFORM) or when there is no X server to reach.
// Call before the application object is made.
void kiesVensterSysteem();

// Gives a native window (a plug-in panel's, which Qt never paints) a plain
// background in kleur that the window system itself paints wherever the
// window is uncovered and nothing else has been drawn there: the window's
// background pixel on X11, the answer to WM_ERASEBKGND under Windows. What
// a library draws into the window afterwards, a background picture of its
// own included, stays. Nothing happens on other window systems.
void zetVensterAchtergrond(quintptr venster, const QColor& kleur);

} // namespace platform
