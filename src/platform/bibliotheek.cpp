#include "platform/bibliotheek.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>

#if defined(Q_OS_UNIX)
#include <dlfcn.h>
#if defined(__GLIBC__)
#include <link.h>
#endif
#endif

namespace platform {

class Bibliotheek {
public:
    QLibrary lib;
#if defined(Q_OS_UNIX) && defined(__GLIBC__)
    // The loader's record of this very library: an address belongs to the
    // library exactly when the loader finds it in this record.
    const void* kaart = nullptr;
#endif
};

namespace {
int g_geladen = 0;
// What a ZwenkelMapVoorTest put in place of the real folders: nothing, one
// folder alone, or the program's and the administrator's.
QStringList& mappenVoorTest() {
    static QStringList mappen;
    return mappen;
}
QString metScheiding(QString map) {
    if (!map.endsWith(QLatin1Char('/')))
        map += QLatin1Char('/');
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

Bibliotheek* laadBibliotheek(const QString& pad, QString* fout) {
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
#if defined(Q_OS_UNIX) && defined(__GLIBC__)
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
    ++g_geladen;
    return b;
}

namespace {

// Whether the address lies in the library itself and not in one it depends
// on. Looking a name up on a library's handle also searches the libraries it
// was linked against, the C library included, so a plug-in without "open" of
// its own would otherwise be handed the C library's open().
bool inDezeBibliotheek(const Bibliotheek* b, const void* adres) {
#if defined(Q_OS_UNIX) && defined(__GLIBC__)
    Dl_info info{};
    link_map* kaart = nullptr;
    if (dladdr1(adres, &info, reinterpret_cast<void**>(&kaart), RTLD_DL_LINKMAP) == 0)
        return false;
    return kaart && kaart == b->kaart;
#elif defined(Q_OS_UNIX)
    Dl_info info{};
    if (dladdr(adres, &info) == 0 || !info.dli_fname)
        return false;
    return QFileInfo(QFile::decodeName(info.dli_fname)).canonicalFilePath() ==
           QFileInfo(b->lib.fileName()).canonicalFilePath();
#else
    // GetProcAddress finds only what the library itself exports.
    (void)b;
    (void)adres;
    return true;
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

QString beheerZwenkelMap() {
#if defined(Q_OS_WIN)
    QString basis = qEnvironmentVariable("ProgramData");
    if (basis.isEmpty())
        basis = QStringLiteral("C:/ProgramData");
    return metScheiding(QDir::fromNativeSeparators(basis)) +
           QStringLiteral("Kwintelvlak/zwenkels/");
#else
    // Outside every package: /usr/local belongs to the administrator.
    return QStringLiteral("/usr/local/lib/kwintelvlak/zwenkels/");
#endif
}

QString gebruikersZwenkelMap() {
    return metScheiding(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)) +
           QStringLiteral("zwenkels/");
}

QStringList zwenkelMappen() {
    const QStringList& test = mappenVoorTest();
    if (test.size() == 1)
        return {metScheiding(test[0])};
    QStringList kandidaten;
    if (test.size() == 2)
        kandidaten << test[0] << test[1];
    else
        kandidaten << QCoreApplication::applicationDirPath() << beheerZwenkelMap();
    kandidaten << gebruikersZwenkelMap();
    QStringList mappen;
    QStringList echt; // as the file system names them, to spot one folder under two names
    for (const QString& kandidaat : std::as_const(kandidaten)) {
        const QString map = metScheiding(QDir::cleanPath(kandidaat));
        const QString canoniek = QFileInfo(map).canonicalFilePath();
        const QString sleutel = canoniek.isEmpty() ? map : metScheiding(canoniek);
        if (echt.contains(sleutel))
            continue;
        echt << sleutel;
        mappen << map;
    }
    return mappen;
}

ZwenkelMapVoorTest::ZwenkelMapVoorTest(const QString& map) : m_vorige(mappenVoorTest()) {
    mappenVoorTest() = QStringList{map};
}

ZwenkelMapVoorTest::ZwenkelMapVoorTest(const QString& programma, const QString& beheer)
    : m_vorige(mappenVoorTest()) {
    mappenVoorTest() = QStringList{programma, beheer};
}

ZwenkelMapVoorTest::~ZwenkelMapVoorTest() {
    mappenVoorTest() = m_vorige;
}

} // namespace platform
