// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Linux desktops have no viewer for compiled HTML help: the program shows the
// help file in a window of its own.
#include "platform/helpviewer.h"

namespace platform {

SysteemHelp toonSysteemHelpEcht(QWidget*, const QString&) {
    return SysteemHelp::GeenViewer;
}

void sluitSysteemHelp() {}

} // namespace platform
