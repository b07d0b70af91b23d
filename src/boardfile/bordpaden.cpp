// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "boardfile/bordpaden.h"

#include <QDir>
#include <QFileInfo>

namespace bordpaden {

namespace {
// A folder of that name is not a board.
bool isBestand(const QString& pad) {
    return QFileInfo(pad).isFile();
}
} // namespace

QString zoekStandaardBord(const QString& naam, const QString& programmaMap) {
    if (isBestand(naam))
        return naam;
    const QString naastProgramma = programmaMap + naam;
    if (isBestand(naastProgramma))
        return naastProgramma;
    return {};
}

QString opdrachtregelBord(const QString& argument, const QString& programmaMap) {
    if (argument.isEmpty())
        return {};
    // A directory part in the system's own spelling counts too: a board
    // double-clicked in Windows' Explorer comes as "C:\\Lessen\\les.brd".
    const QString algemeen = QDir::fromNativeSeparators(argument);
    const bool heeftMap = algemeen.contains(QLatin1Char('/')) || QFileInfo(algemeen).isAbsolute();
    const QString pad = heeftMap ? algemeen : programmaMap + argument;
    return isBestand(pad) ? pad : QString();
}

} // namespace bordpaden
