// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Plug-in libraries on Windows: LoadLibraryA, GetProcAddress and
// FreeLibrary. GetProcAddress looks only in the library's own export table,
// so an export counts only when the library itself defines it.
#include "platform/bibliotheek_systeem.h"

#include <QDir>
#include <QString>

#include <windows.h>

namespace platform {

class Bibliotheek {
public:
    HMODULE module = nullptr;
};

QString bibliotheekAchtervoegsel() {
    return QStringLiteral(".dll");
}

namespace {

// The system's text for an error code, in the user's language.
QString foutTekst(DWORD code) {
    wchar_t* tekst = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<LPWSTR>(&tekst), 0, nullptr);
    QString uit =
        n ? QString::fromWCharArray(tekst, int(n)).trimmed() : QStringLiteral("fout %1").arg(code);
    if (tekst)
        LocalFree(tekst);
    return uit;
}

} // namespace

Bibliotheek* systeem::laad(const QString& pad, QString* fout) {
    const QString systeemPad = QDir::toNativeSeparators(pad);
    // A library that cannot be loaded is skipped without the system's own
    // message box about a missing DLL.
    DWORD vorige = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &vorige);
    HMODULE module = nullptr;
    const QByteArray ansi = systeemPad.toLocal8Bit();
    if (QString::fromLocal8Bit(ansi) == systeemPad)
        module = LoadLibraryA(ansi.constData());
    else // a path the ANSI code page cannot hold (the user's name, say)
        module = LoadLibraryW(reinterpret_cast<LPCWSTR>(systeemPad.utf16()));
    const DWORD code = module ? 0 : GetLastError();
    SetThreadErrorMode(vorige, nullptr);
    if (!module) {
        if (fout)
            *fout = foutTekst(code);
        return nullptr;
    }
    auto* b = new Bibliotheek;
    b->module = module;
    return b;
}

void* zoekExport(Bibliotheek* bibliotheek, const char* naam) {
    if (!bibliotheek)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(bibliotheek->module, naam));
}

void systeem::geefVrij(Bibliotheek* bibliotheek) {
    FreeLibrary(bibliotheek->module);
    delete bibliotheek;
}

QString systeem::beheerMap() {
    wchar_t map[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"ProgramData", map, MAX_PATH);
    QString basis = n > 0 && n < MAX_PATH ? QString::fromWCharArray(map, int(n))
                                          : QStringLiteral("C:\\ProgramData");
    return basis + QStringLiteral("\\Kwintelvlak");
}

} // namespace platform
