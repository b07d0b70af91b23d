// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "platform/bibliotheek.h"
#include "platform/bibliotheek_systeem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

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

Bibliotheek* laadBibliotheek(const QString& pad, QString* fout) {
    Bibliotheek* b = systeem::laad(pad, fout);
    if (b)
        ++g_geladen;
    return b;
}

void geefBibliotheekVrij(Bibliotheek* bibliotheek) {
    if (!bibliotheek)
        return;
    systeem::geefVrij(bibliotheek);
    --g_geladen;
}

int geladenBibliotheken() {
    return g_geladen;
}

QString beheerZwenkelMap() {
    return metScheiding(QDir::fromNativeSeparators(systeem::beheerMap())) +
           QStringLiteral("zwenkels/");
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
