// Shared libraries loaded at run time (plug-in modules). Each library is
// loaded with its symbols kept local and every symbol is looked up on that
// library's own handle, and counts only when the library itself defines it:
// an export named like a C library function ("open", "save") never stands in
// for it, nor the other way round, and a library without such an export does
// not get the C library's function in its place.
#pragma once

#include <QString>

namespace platform {

// A loaded library; opaque outside the platform layer.
class Bibliotheek;

// The platform's file suffix for shared libraries, dot included: ".so",
// ".dll" or ".dylib".
QString bibliotheekAchtervoegsel();

// Loads the library at pad (a full path), resolving all its symbols at once,
// so that a library with a missing dependency is refused here rather than
// failing when first called. nullptr when it cannot be loaded.
Bibliotheek* laadBibliotheek(const QString& pad);

// The address of an export of this very library; nullptr when it has none,
// also when a library it depends on has one of that name.
void* zoekExport(Bibliotheek* bibliotheek, const char* naam);

// Releases a library from laadBibliotheek; nullptr is ignored.
void geefBibliotheekVrij(Bibliotheek* bibliotheek);

// How many libraries laadBibliotheek has loaded and not yet released.
int geladenBibliotheken();

// The folder searched for plug-ins: the program's own, unless a
// ZwenkelMapVoorTest says otherwise. Ends with a separator.
QString zwenkelMap();

// Test seam: while it exists, plug-ins are looked for in another folder.
class ZwenkelMapVoorTest {
public:
    explicit ZwenkelMapVoorTest(const QString& map);
    ~ZwenkelMapVoorTest();
    ZwenkelMapVoorTest(const ZwenkelMapVoorTest&) = delete;
    ZwenkelMapVoorTest& operator=(const ZwenkelMapVoorTest&) = delete;

private:
    QString m_vorige;
};

} // namespace platform
