// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The real pointer on a real X server, moved by xdotool as a user's hand
// would, for the tst_x11_* tests.
#pragma once

#include <QPoint>
#include <QStringList>

class QAction;
class QMenu;
class TfKwintelvlak;

namespace kwinteltest {

// Runs xdotool and lets the program take in the events it caused.
bool xdotool(const QStringList& args);
// Moves the pointer to a point in the window's own (device-independent)
// coordinates; at a scale factor xdotool works in the screen's pixels.
bool wijsAan(QPoint globaal);
bool klik(QPoint globaal);
// Opens a menu of the menu bar and clicks one of its items.
bool kiesUitMenu(TfKwintelvlak& form, QMenu* menu, QAction* item);

} // namespace kwinteltest
