#include "platform/bibliotheek.h"

#include <QCoreApplication>
#include <QLibrary>

namespace platform {

class Bibliotheek {
public:
    QLibrary lib;
};

namespace {
int g_geladen = 0;
QString& mapVoorTest() {
    static QString map;
    return map;
}
} // namespace

QString bibliotheekAchtervoegsel() {
#if defined(Q_OS_WIN)
    return QStringLiteral(".dll");
#elif defined(Q_OS_DARWIN)
    return QStringLiteral(".dylib");
#else
    return QStringLiteral(".so");
#endif
}

Bibliotheek* laadBibliotheek(const QString& pad) {
    auto* b = new Bibliotheek;
    b->lib.setFileName(pad);
    // Local binding is QLibrary's default; symbols are never exported to
    // libraries loaded later (no ExportExternalSymbolsHint).
    b->lib.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!b->lib.load()) {
        delete b;
        return nullptr;
    }
    ++g_geladen;
    return b;
}

void* zoekExport(Bibliotheek* bibliotheek, const char* naam) {
    if (!bibliotheek)
        return nullptr;
    // QLibrary resolves on the library's own handle, not in the process.
    return reinterpret_cast<void*>(bibliotheek->lib.resolve(naam));
}

void geefBibliotheekVrij(Bibliotheek* bibliotheek) {
    if (!bibliotheek)
        return;
    bibliotheek->lib.unload();
    --g_geladen;
    delete bibliotheek;
}

int geladenBibliotheken() {
    return g_geladen;
}

QString zwenkelMap() {
    QString map = mapVoorTest().isEmpty() ? QCoreApplication::applicationDirPath() : mapVoorTest();
    if (!map.endsWith(QLatin1Char('/')))
        map += QLatin1Char('/');
    return map;
}

ZwenkelMapVoorTest::ZwenkelMapVoorTest(const QString& map) : m_vorige(mapVoorTest()) {
    mapVoorTest() = map;
}

ZwenkelMapVoorTest::~ZwenkelMapVoorTest() {
    mapVoorTest() = m_vorige;
}

} // namespace platform
