// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "app/bord.h"

#include "modules/kleuren.h"

TBord::TBord(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kleuren::knopVlak);
    setPalette(pal);
}

void TBord::pasGrootteAan() {
    QRect omvang(0, 0, 1, 1);
    for (QObject* o : children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isHidden())
            omvang |= w->geometry();
    }
    // Only the part right and below of the origin can be scrolled to.
    setMinimumSize(std::max(0, omvang.right() + 1), std::max(0, omvang.bottom() + 1));
}

void TBord::groeiVoor(const QRect& rechthoek) {
    const QSize nodig(std::max(minimumWidth(), rechthoek.right() + 1),
                      std::max(minimumHeight(), rechthoek.bottom() + 1));
    if (nodig != minimumSize())
        setMinimumSize(nodig);
}
