// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "platform/helpviewer.h"

namespace platform {

namespace {
HelpViewerRecorder* g_helpRecorder = nullptr;
}

// The system's part, in helpviewer_posix.cpp or helpviewer_win.cpp.
SysteemHelp toonSysteemHelpEcht(QWidget* eigenaar, const QString& pad);

SysteemHelp toonSysteemHelp(QWidget* eigenaar, const QString& pad) {
    if (g_helpRecorder) {
        // What the program hands the system's viewer: its window, the full
        // path, the default topic (0) and no data.
        g_helpRecorder->m_oproepen.push_back({eigenaar, pad, 0, 0});
        return SysteemHelp::Getoond;
    }
    return toonSysteemHelpEcht(eigenaar, pad);
}

HelpViewerRecorder::HelpViewerRecorder() {
    g_helpRecorder = this;
}

HelpViewerRecorder::~HelpViewerRecorder() {
    if (g_helpRecorder == this)
        g_helpRecorder = nullptr;
}

HelpViewerRecorder* HelpViewerRecorder::current() {
    return g_helpRecorder;
}

} // namespace platform
