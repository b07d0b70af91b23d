// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The operating-system pieces on Windows.
#include "platform/systeem.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace platform::systeem {

bool isNT() {
    // The version record is handed over with its size field set to 148, the
    // size of the plain record, as the oldest callers did. Windows reports
    // the NT family as platform identifier 2.
    OSVERSIONINFOA versie{};
    versie.dwOSVersionInfoSize = 148;
    static_assert(sizeof(OSVERSIONINFOA) == 148);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    if (!GetVersionExA(&versie))
        return true;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    return versie.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void beperkCursor(const QRect& rect) {
    if (rect.isEmpty()) {
        ClipCursor(nullptr);
        return;
    }
    // Qt's screen coordinates are the system's divided by the screen's scale,
    // counted from the screen's own corner.
    const QScreen* scherm = QGuiApplication::screenAt(rect.center());
    if (!scherm)
        scherm = QGuiApplication::primaryScreen();
    const qreal schaal = scherm ? scherm->devicePixelRatio() : 1.0;
    const QPoint hoek = scherm ? scherm->geometry().topLeft() : QPoint();
    auto naarSysteem = [&](int v, int h) { return h + qRound((v - h) * schaal); };
    // The system's rectangle excludes its right and bottom edges.
    const RECT r{naarSysteem(rect.left(), hoek.x()), naarSysteem(rect.top(), hoek.y()),
                 naarSysteem(rect.right() + 1, hoek.x()), naarSysteem(rect.bottom() + 1, hoek.y())};
    ClipCursor(&r);
}

QStringList argumenten(int, char*[]) {
    // The arguments in UTF-16 as the system keeps them: a board in a folder
    // whose name the ANSI code page cannot hold still opens.
    QStringList uit;
    int n = 0;
    if (LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &n)) {
        for (int i = 0; i < n; ++i)
            uit << QString::fromWCharArray(args[i]);
        LocalFree(args);
    }
    return uit;
}

QStringList schreefloosLettertype() {
    // The TrueType successor of "MS Sans Serif", the dialogs' font since
    // Windows 2000; Tahoma and Arial where it is missing (Wine).
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
            QStringLiteral("Arial")};
}

void wijsLettertypenAan() {
    // Without a window (checks, pictures) Qt draws offscreen with its own
    // font engine, which knows only the fonts in the folder it is shown.
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen" || !qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        return;
    // Wine keeps next to none there, and its own fonts in its data folder,
    // which it names in WINEDATADIR ("\\??\\Z:\\usr\\share\\wine").
    const auto heeftLettertypen = [](const QString& map) {
        return !map.isEmpty() && !QDir(map)
                                      .entryList({QStringLiteral("*.ttf"), QStringLiteral("*.ttc"),
                                                  QStringLiteral("*.otf")},
                                                 QDir::Files)
                                      .isEmpty();
    };
    wchar_t windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    QString map = n > 0 && n < MAX_PATH
                      ? QString::fromWCharArray(windows, int(n)) + QStringLiteral("\\Fonts")
                      : QString();
    QString wine = qEnvironmentVariable("WINEDATADIR");
    if (wine.startsWith(QLatin1String("\\??\\")))
        wine.remove(0, 4);
    if (!wine.isEmpty() && !heeftLettertypen(map) &&
        heeftLettertypen(wine + QStringLiteral("\\fonts")))
        map = wine + QStringLiteral("\\fonts");
    if (!map.isEmpty())
        qputenv("QT_QPA_FONTDIR", map.toUtf8());
}

namespace {

UINT g_vorigeTekenset = 0;

void herstelTekenset() {
    if (g_vorigeTekenset)
        SetConsoleOutputCP(g_vorigeTekenset);
}

bool heeftUitvoer(DWORD welke) {
    const HANDLE h = GetStdHandle(welke);
    return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

} // namespace

void gebruikConsole() {
    // A program for the window has no console of its own. Output that was
    // redirected (a file, a pipe, the console twin kwintelvlak-toets.exe)
    // arrives as it is; otherwise the console of the command prompt that
    // started the program is borrowed.
    const bool uit = heeftUitvoer(STD_OUTPUT_HANDLE);
    const bool fout = heeftUitvoer(STD_ERROR_HANDLE);
    if ((!uit || !fout) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!uit)
            std::freopen("CONOUT$", "w", stdout);
        if (!fout)
            std::freopen("CONOUT$", "w", stderr);
    }
    // The same bytes as on every other system: lines end in a line feed,
    // text is UTF-8, and a console is told to show UTF-8 for as long as the
    // program runs.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    DWORD modus = 0;
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &modus) ||
        GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &modus)) {
        const UINT vorige = GetConsoleOutputCP();
        if (vorige != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
            g_vorigeTekenset = vorige;
            std::atexit(herstelTekenset);
        }
    }
}

} // namespace platform::systeem
