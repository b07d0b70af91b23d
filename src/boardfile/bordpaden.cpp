#include "boardfile/bordpaden.h"

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
    const bool heeftMap = argument.contains(QLatin1Char('/'));
    const QString pad = heeftMap ? argument : programmaMap + argument;
    return isBestand(pad) ? pad : QString();
}

} // namespace bordpaden
