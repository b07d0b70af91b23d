// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Windows' HTML Help viewer, from the library "HHCTRL.OCX" loaded when the
// help is first asked for. The viewer brings the contents, the index and the
// search of the help file.
#include "platform/helpviewer.h"

#include <QDir>
#include <QWidget>

#include <windows.h>

namespace platform {

namespace {

using HtmlHelpAFunctie = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT HH_DISPLAY_TOPIC = 0;
constexpr UINT HH_CLOSE_ALL = 0x12;

// The viewer's entry, looked up once; null when the library or the export is
// missing. The library stays loaded until the program ends.
HtmlHelpAFunctie htmlHelp() {
    static HtmlHelpAFunctie functie = [] {
        HMODULE lib = LoadLibraryA("HHCTRL.OCX");
        return lib ? reinterpret_cast<HtmlHelpAFunctie>(
                         reinterpret_cast<void*>(GetProcAddress(lib, "HtmlHelpA")))
                   : nullptr;
    }();
    return functie;
}

bool g_gebruikt = false;

} // namespace

SysteemHelp toonSysteemHelpEcht(QWidget* eigenaar, const QString& pad) {
    // Without the viewer the command does nothing.
    HtmlHelpAFunctie functie = htmlHelp();
    if (!functie)
        return SysteemHelp::Getoond;
    // The viewer takes the path in the system's code page, with backslashes;
    // a path that code page cannot hold is handed over by its short name.
    QString systeemPad = QDir::toNativeSeparators(pad);
    if (QString::fromLocal8Bit(systeemPad.toLocal8Bit()) != systeemPad) {
        wchar_t kort[MAX_PATH];
        const auto w = systeemPad.toStdWString();
        const DWORD n = GetShortPathNameW(w.c_str(), kort, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
            systeemPad = QString::fromWCharArray(kort, int(n));
    }
    const QByteArray naam = systeemPad.toLocal8Bit();
    HWND venster = eigenaar ? reinterpret_cast<HWND>(eigenaar->window()->winId()) : nullptr;
    functie(venster, naam.constData(), HH_DISPLAY_TOPIC, 0);
    g_gebruikt = true;
    return SysteemHelp::Getoond;
}

void sluitSysteemHelp() {
    if (g_gebruikt)
        if (HtmlHelpAFunctie functie = htmlHelp())
            functie(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

} // namespace platform
