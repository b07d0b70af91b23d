// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The panel's window background on Windows: the window erases itself with
// the module colour.
#include "platform/venstersysteem.h"

#include <QColor>

#include <windows.h>

#include <commctrl.h>

namespace platform {

namespace {

LRESULT CALLBACK vlakProc(HWND venster, UINT bericht, WPARAM w, LPARAM l, UINT_PTR id,
                          DWORD_PTR kleur) {
    if (bericht == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(venster, &r);
        HBRUSH kwast = CreateSolidBrush(static_cast<COLORREF>(kleur));
        FillRect(reinterpret_cast<HDC>(w), &r, kwast);
        DeleteObject(kwast);
        return 1;
    }
    if (bericht == WM_NCDESTROY)
        RemoveWindowSubclass(venster, vlakProc, id);
    return DefSubclassProc(venster, bericht, w, l);
}

} // namespace

void zetVensterAchtergrond(quintptr venster, const QColor& kleur) {
    if (!venster)
        return;
    // Qt's window classes have no background brush; the panel's window
    // erases its uncovered parts with the colour itself. A library that
    // subclasses the window after this comes first and may draw over it.
    const auto hwnd = reinterpret_cast<HWND>(venster);
    SetWindowSubclass(hwnd, vlakProc, 1, RGB(kleur.red(), kleur.green(), kleur.blue()));
    InvalidateRect(hwnd, nullptr, TRUE);
}

} // namespace platform
