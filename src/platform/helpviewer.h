// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The system's own viewer for compiled help files (".chm"), where the system
// has one: HTML Help on Windows, called as the program always called it
// (owner window, the file's full path, "show the default topic", no data).
// Where the system has none, the program shows the file in its own window.
#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace platform {

enum class SysteemHelp {
    Getoond,    // handed to the system's viewer (or, without one installed, nothing)
    GeenViewer, // this system has no viewer for help files: show it yourself
};

// Shows the default topic of the help file at pad (a full path that exists)
// in the system's viewer, owned by eigenaar.
SysteemHelp toonSysteemHelp(QWidget* eigenaar, const QString& pad);

// Closes what the system's viewer still shows of this program (at shutdown).
void sluitSysteemHelp();

// Test seam: while it exists, calls to the system's viewer are recorded here
// instead of made, on every system.
class HelpViewerRecorder {
public:
    struct Oproep {
        QWidget* eigenaar;
        QString pad;
        unsigned opdracht;
        unsigned long long gegevens;
    };
    HelpViewerRecorder();
    ~HelpViewerRecorder();
    HelpViewerRecorder(const HelpViewerRecorder&) = delete;
    HelpViewerRecorder& operator=(const HelpViewerRecorder&) = delete;
    const std::vector<Oproep>& oproepen() const { return m_oproepen; }
    static HelpViewerRecorder* current();

private:
    friend SysteemHelp toonSysteemHelp(QWidget*, const QString&);
    std::vector<Oproep> m_oproepen;
};

} // namespace platform
