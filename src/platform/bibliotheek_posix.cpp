// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Plug-in libraries on Linux and other POSIX systems: the dynamic loader,
// through QLibrary, with local binding. glibc's loader tells which library
// an address belongs to, so an export counts only when the library itself
// defines it.
#include "platform/bibliotheek_systeem.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <dlfcn.h>
#if defined(__GLIBC__)
#include <link.h>
#endif

namespace platform {

class Bibliotheek {
public:
    QLibrary lib;
#if defined(__GLIBC__)
    // The loader's record of this very library: an address belongs to the
    // library exactly when the loader finds it in this record.
    const void* kaart = nullptr;
#endif
};

QString bibliotheekAchtervoegsel() {
#if defined(Q_OS_DARWIN)
    return QStringLiteral(".dylib");
#else
    return QStringLiteral(".so");
#endif
}

Bibliotheek* systeem::laad(const QString& pad, QString* fout) {
    auto* b = new Bibliotheek;
    b->lib.setFileName(pad);
    // Local binding is QLibrary's default; symbols are never exported to
    // libraries loaded later (no ExportExternalSymbolsHint).
    b->lib.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!b->lib.load()) {
        if (fout)
            *fout = b->lib.errorString();
        delete b;
        return nullptr;
    }
#if defined(__GLIBC__)
    // A second, counted handle on the library just loaded; it is given back
    // at once, the record stays valid while QLibrary keeps the library.
    if (void* h =
            dlopen(QFile::encodeName(b->lib.fileName()).constData(), RTLD_LAZY | RTLD_NOLOAD)) {
        link_map* kaart = nullptr;
        if (dlinfo(h, RTLD_DI_LINKMAP, &kaart) == 0)
            b->kaart = kaart;
        dlclose(h);
    }
    if (!b->kaart) {
        if (fout)
            *fout = QStringLiteral("de lader kent de bibliotheek niet na het laden");
        b->lib.unload();
        delete b;
        return nullptr;
    }
#endif
    return b;
}

namespace {

// Whether the address lies in the library itself and not in one it depends
// on. Looking a name up on a library's handle also searches the libraries it
// was linked against, the C library included, so a plug-in without "open" of
// its own would otherwise be handed the C library's open().
bool inDezeBibliotheek(const Bibliotheek* b, const void* adres) {
#if defined(__GLIBC__)
    Dl_info info{};
    link_map* kaart = nullptr;
    if (dladdr1(adres, &info, reinterpret_cast<void**>(&kaart), RTLD_DL_LINKMAP) == 0)
        return false;
    return kaart && kaart == b->kaart;
#else
    Dl_info info{};
    if (dladdr(adres, &info) == 0 || !info.dli_fname)
        return false;
    return QFileInfo(QFile::decodeName(info.dli_fname)).canonicalFilePath() ==
           QFileInfo(b->lib.fileName()).canonicalFilePath();
#endif
}

} // namespace

void* zoekExport(Bibliotheek* bibliotheek, const char* naam) {
    if (!bibliotheek)
        return nullptr;
    // QLibrary resolves on the library's own handle, not in the process;
    // what it finds still counts only when the library defines it.
    void* adres = reinterpret_cast<void*>(bibliotheek->lib.resolve(naam));
    if (!adres || !inDezeBibliotheek(bibliotheek, adres))
        return nullptr;
    return adres;
}

void systeem::geefVrij(Bibliotheek* bibliotheek) {
    bibliotheek->lib.unload();
    delete bibliotheek;
}

QString systeem::beheerMap() {
    // Outside every package: /usr/local belongs to the administrator.
    return QStringLiteral("/usr/local/lib/kwintelvlak");
}

} // namespace platform
