// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Windows-1252, the single-byte character set of board files. Boards travel
// between copies of this program on different systems; one fixed character
// set keeps their texts (plug-in library names) the same everywhere.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace cp1252 {

// Every byte has a character: the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
// the same number, so that any file reads back unchanged.
QString naarTekst(QByteArrayView bytes);

// A character that Windows-1252 cannot hold becomes "?".
QByteArray vanTekst(QStringView tekst);

} // namespace cp1252
