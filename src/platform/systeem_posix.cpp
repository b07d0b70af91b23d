// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The operating-system pieces on Linux and other POSIX systems.
#include "platform/systeem.h"

namespace platform::systeem {

bool isNT() {
    // No supported POSIX system gives programs the PC's I/O ports, which is
    // what the NT family stands for in the rest of the program.
    return true;
}

void beperkCursor(const QRect&) {
    // X11 confines the pointer only through an active grab, which would take
    // the drag's events from the board: the drag clamps its positions and
    // moves the pointer back instead.
}

QStringList argumenten(int argc, char* argv[]) {
    QStringList uit;
    for (int i = 0; i < argc; ++i)
        uit << QString::fromLocal8Bit(argv[i]);
    return uit;
}

QStringList schreefloosLettertype() {
    // fontconfig's name for the desktop's sans-serif font.
    return {QStringLiteral("Sans Serif")};
}

void wijsLettertypenAan() {
    // fontconfig tells every platform where the fonts are.
}

void gebruikConsole() {
    // Standard output and error are the terminal's or a file's already.
}

} // namespace platform::systeem
