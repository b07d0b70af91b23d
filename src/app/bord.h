// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The board: the widget inside the scroll area that every module and the
// logo panel stand on. Module positions are measured from its top left, so
// they never depend on how far the board is scrolled.
#pragma once

#include <QWidget>

class TBord : public QWidget {
    Q_OBJECT
public:
    explicit TBord(QWidget* parent = nullptr);

    // Grows the board to hold every child that stands beyond the visible
    // area, so the scroll area can reach it.
    void pasGrootteAan();
    // Grows the board, if need be, to hold one rectangle: a module just
    // placed. Cheaper than pasGrootteAan while a board is being built.
    void groeiVoor(const QRect& rechthoek);
};
