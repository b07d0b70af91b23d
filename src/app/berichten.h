// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Message boxes in the program's own Dutch wording.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// Shows a modal message box with one "OK" button. With owner nullptr the box
// has no owner window.
void toonBericht(QWidget* owner, QMessageBox::Icon icon, const QString& titel,
                 const QString& tekst);

// Runs without a user (the command-line checks and pictures) take the
// messages instead of showing boxes: while a catcher is set, toonBericht
// hands it every message and shows nothing. An empty function restores the
// boxes.
using BerichtVanger =
    std::function<void(QMessageBox::Icon icon, const QString& titel, const QString& tekst)>;
void zetBerichtVanger(BerichtVanger vanger);
