// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The system's own library loader behind bibliotheek.h, one implementation
// per system (bibliotheek_posix.cpp, bibliotheek_win.cpp). Only the platform
// layer includes this header.
#pragma once

#include "platform/bibliotheek.h"

namespace platform::systeem {

// Loads a library, all its symbols resolved at once; nullptr, with the
// loader's reason in fout when given, when it cannot be loaded.
Bibliotheek* laad(const QString& pad, QString* fout);
// Releases it and frees the record.
void geefVrij(Bibliotheek* bibliotheek);
// The folder of the computer's administrator that holds the program's data
// outside every package: /usr/local/lib/kwintelvlak, %ProgramData%\Kwintelvlak.
QString beheerMap();

} // namespace platform::systeem
