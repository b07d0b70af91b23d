// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Pictures of boards: the board as the window shows it (modules, wires, the
// logo when it is on), the whole board when it is larger than the window.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

class QTextStream;
class TfKwintelvlak;
class TModule;

namespace opdrachtregel {
struct Opdracht;
}

namespace afbeelding {

// The board of a window as the window shows it, at the window's scale. The
// window is laid out first (it need not be on screen) and grown, if need
// be, until its view holds the whole board. With bijsnijden the picture is
// cut to the modules, the logo left out: a board with one module gives
// exactly that module's panel. With naam, each module carries the name it
// gives in a small label at its top-left corner, so that a teacher can point
// at "LED 2" on the picture.
QImage bordAfbeelding(TfKwintelvlak& form, bool bijsnijden,
                      const std::function<QString(const TModule*)>& naam = {});

// The whole --afbeelding run: returns the exit status (0 written, 1 the
// board could not be read or the picture not written).
int voerUit(const opdrachtregel::Opdracht& opdracht, QTextStream& fout);

} // namespace afbeelding
