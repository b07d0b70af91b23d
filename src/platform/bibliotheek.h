// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Shared libraries loaded at run time (plug-in modules). Each library is
// loaded with its symbols kept local and every symbol is looked up on that
// library's own handle, and counts only when the library itself defines it:
// an export named like a C library function ("open", "save") never stands in
// for it, nor the other way round, and a library without such an export does
// not get the C library's function in its place.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// A loaded library; opaque outside the platform layer.
class Bibliotheek;

// The platform's file suffix for shared libraries, dot included: ".so",
// ".dll" or ".dylib".
QString bibliotheekAchtervoegsel();

// Loads the library at pad (a full path), resolving all its symbols at once,
// so that a library with a missing dependency is refused here rather than
// failing when first called. nullptr when it cannot be loaded; fout, when
// given, then gets the loader's reason.
Bibliotheek* laadBibliotheek(const QString& pad, QString* fout = nullptr);

// The address of an export of this very library; nullptr when it has none,
// also when a library it depends on has one of that name.
void* zoekExport(Bibliotheek* bibliotheek, const char* naam);

// Releases a library from laadBibliotheek; nullptr is ignored.
void geefBibliotheekVrij(Bibliotheek* bibliotheek);

// How many libraries laadBibliotheek has loaded and not yet released.
int geladenBibliotheken();

// The folders searched for plug-ins, in the order searched, each ending with
// a separator:
//  1. the program's own folder, where the package puts its plug-ins;
//  2. the folder the computer's administrator keeps outside the package
//     (beheerZwenkelMap);
//  3. the user's own (gebruikersZwenkelMap), which needs no rights.
// A folder that is the same as an earlier one is left out.
QStringList zwenkelMappen();
// Linux: /usr/local/lib/kwintelvlak/zwenkels/. Windows:
// %ProgramData%\Kwintelvlak\zwenkels\.
QString beheerZwenkelMap();
// The user's application data folder (QStandardPaths::AppLocalDataLocation)
// with zwenkels/: ~/.local/share/Kwintelvlak/zwenkels/ on Linux,
// %LOCALAPPDATA%\Kwintelvlak\zwenkels\ on Windows.
QString gebruikersZwenkelMap();

// Test seam: while it exists, plug-ins are looked for elsewhere. With one
// folder, in that folder alone; with two, those stand for the program's and
// the administrator's folders, and the user's folder is searched as ever.
class ZwenkelMapVoorTest {
public:
    explicit ZwenkelMapVoorTest(const QString& map);
    ZwenkelMapVoorTest(const QString& programma, const QString& beheer);
    ~ZwenkelMapVoorTest();
    ZwenkelMapVoorTest(const ZwenkelMapVoorTest&) = delete;
    ZwenkelMapVoorTest& operator=(const ZwenkelMapVoorTest&) = delete;

private:
    QStringList m_vorige;
};

} // namespace platform
