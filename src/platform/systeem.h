// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// What differs per operating system inside the platform layer. Each function
// has one implementation per system, in the files named after it
// (systeem_posix.cpp, systeem_win.cpp); the build takes the ones of the
// system it builds for. Only the platform layer includes this header.
#pragma once

#include <QRect>
#include <QStringList>

namespace platform {
class OpnameStuurprogramma;
}

namespace platform::systeem {

// Whether the operating system reports the NT family.
bool isNT();

// Confines the real pointer to a rectangle in Qt's screen coordinates, or
// frees it when the rectangle is empty. Where the system cannot confine the
// pointer, nothing happens here: every drag position is clamped anyway.
void beperkCursor(const QRect& rect);

// The program's arguments as the user typed them, the program's own name
// first, whatever the system's code page.
QStringList argumenten(int argc, char* argv[]);

// Makes standard output and standard error reach the console or file the
// program was started from, with Dutch text shown as written.
void gebruikConsole();

// The system's plain sans-serif font, by family names in order of preference.
QStringList schreefloosLettertype();

// Before the application object is made: where Qt's offscreen platform,
// which draws text with its own font engine, finds the system's fonts.
void wijsLettertypenAan();

// The capture driver of this system's sound input.
OpnameStuurprogramma& opname();

} // namespace platform::systeem
