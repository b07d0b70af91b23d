// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "support/echtemuis.h"

#include "app/kwintelvlak.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTest>

namespace kwinteltest {

bool xdotool(const QStringList& args) {
    const int rc = QProcess::execute(QStringLiteral("xdotool"), args);
    QTest::qWait(120);
    return rc == 0;
}

bool wijsAan(QPoint globaal) {
    const qreal schaal = QGuiApplication::primaryScreen()->devicePixelRatio();
    return xdotool({"mousemove", "--sync", QString::number(qRound(globaal.x() * schaal)),
                    QString::number(qRound(globaal.y() * schaal))});
}

bool klik(QPoint globaal) {
    return wijsAan(globaal) && xdotool({"click", "1"});
}

bool kiesUitMenu(TfKwintelvlak& form, QMenu* menu, QAction* item) {
    const QRect kop = form.menuBar()->actionGeometry(menu->menuAction());
    if (!klik(form.menuBar()->mapToGlobal(kop.center())))
        return false;
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000))
        return false;
    return klik(menu->mapToGlobal(menu->actionGeometry(item).center()));
}

} // namespace kwinteltest
