// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "app/berichten.h"

#include <QPushButton>

namespace {
BerichtVanger& vanger() {
    static BerichtVanger v;
    return v;
}
} // namespace

void zetBerichtVanger(BerichtVanger v) {
    vanger() = std::move(v);
}

void toonBericht(QWidget* owner, QMessageBox::Icon icon, const QString& titel,
                 const QString& tekst) {
    if (vanger()) {
        vanger()(icon, titel, tekst);
        return;
    }
    QMessageBox box(icon, titel, tekst, QMessageBox::NoButton, owner);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
