// The class report: one static HTML page with a picture of every board,
// readable offline, straight from the disk, on a projector.
#pragma once

#include "toetsen/toetsen.h"

#include <QString>
#include <vector>

namespace verslag {

// The page's text; afbeeldingen names each board's picture file (empty: none).
QString pagina(const QString& toetsNaam, const toetsbestand::Toets& toets,
               const std::vector<toetsen::BordUitslag>& uitslagen, const QStringList& afbeeldingen);

// Writes map/index.html and the pictures beside it. Everything is first
// written into a hidden folder inside map and moved into place when
// complete, the page last, so an interrupted run leaves no half-written
// page. False with the reason in Dutch.
bool schrijf(const QString& map, const QString& toetsNaam, const toetsbestand::Toets& toets,
             const std::vector<toetsen::BordUitslag>& uitslagen, QString& reden);

} // namespace verslag
