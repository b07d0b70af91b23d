// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The artwork of the module panels and the two key bitmaps, drawn in code.
//
// The panel pictures are black line drawings on white, one bit per pixel
// (QImage::Format_Mono with the colour table {white, black}); the picture
// widget shows white as transparent, so only the lines appear on the panel.
// Every line that leads to a terminal ends on the picture's edge exactly where
// that terminal stands once the picture is placed on its module panel.
//
// Text in the pictures comes from a small built-in pixel font, so the
// drawings are the same on every machine and stay crisp at one bit per pixel.
// Each function draws its picture afresh.
#pragma once

#include <QImage>

namespace tekeningen {

QImage comparator();   // iComparator   121 x 64
QImage pulsenTeller(); // iPulsenTeller 289 x 56
QImage ofPoort();      // iOfPoort      132 x 33, gate marked "≥1"
QImage enPoort();      // iENPoort      132 x 33, gate marked "&"
QImage geheugenCel();  // iGeheugenCel  132 x 33, "M" with "s" and "r" at its inputs
QImage invertor();     // iInvertor     132 x 33, "1" with a negation wedge at the output
QImage transistor();   // iTransistor   137 x 74, NPN with collector resistor to "+5V"
QImage relais();       // iRelais       138 x 66, contact open
QImage relais2();      // iRelais2      138 x 66, contact closed
QImage zoemer();       // iZoemer        38 x 54, loudspeaker

// The key bitmaps, 16 x 16 at 24 bits per pixel (QImage::Format_RGB888).
QImage knopOmhoog(); // "buttonup": blue face, light bevel top/left, dark bottom/right
QImage knopOmlaag(); // "buttondown": the same picture turned by half a turn

} // namespace tekeningen
