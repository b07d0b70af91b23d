// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// In-process drag and drop, the way the board's controls know it: a drag
// starts at once (no movement threshold), the control under the pointer is
// told when the drag enters it, moves over it and leaves it, and answers
// whether it would take a drop; releasing a mouse button drops on the control
// under the pointer, Escape cancels, and the dragged control hears last how
// its drag ended: on which control it was dropped, or on none.
//
// It runs on ordinary Qt mouse and key events with the mouse and keyboard
// captured for the duration of the drag, so it works the same on every
// window system and under QTest. Qt's system drag and drop (QDrag) is a
// different thing: it carries data between programs.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace platform {

// Where the drag stands with respect to the control being asked.
enum class SleepToestand {
    Binnen,   // the drag has just entered the control
    Verlaten, // the drag leaves the control (also just before a drop or a cancel)
    Bewegen,  // the drag moves over the control
};

// A control's answers during drags. `over` is asked on every enter, move and
// leave, with the position in the control's own coordinates, and returns
// whether a drop here would be taken. `los` is the drop itself.
using SleepOver = std::function<bool(QWidget* sender, QObject* bron, QPoint pos, SleepToestand)>;
using SleepLos = std::function<void(QWidget* sender, QObject* bron, QPoint pos)>;

// Makes `doel` take part in drags as a drop target. A control without
// handlers refuses every drop. The handlers live as long as the control.
void zetSleepDoel(QWidget* doel, SleepOver over, SleepLos los);
// Whether `doel` has drop handlers.
bool isSleepDoel(const QWidget* doel);

// Called when the drag has ended: `doel` is the control that took the drop,
// or null when the drag was cancelled or dropped where it was refused; `pos`
// is in doel's coordinates (screen coordinates when doel is null).
using SleepEinde = std::function<void(QWidget* doel, QPoint pos)>;

// Starts dragging `bron` at once. `bijStart` runs first (the drag has then
// begun); the first drag-over follows immediately at `startPos` (screen
// coordinates), so a drag started without moving the mouse already shows
// where a drop would land. Nothing happens while another drag runs.
void beginSlepen(QWidget* bron, QPoint startPos, std::function<void()> bijStart,
                 SleepEinde bijEinde);

// Whether a drag runs, and what is being dragged (null when none).
bool sleeptNu();
QWidget* sleepBron();
// Cancels a running drag as Escape does.
void annuleerSlepen();

} // namespace platform
