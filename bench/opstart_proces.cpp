// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Whole-process start-up: starts as the program does and quits as soon as the
// board has been painted once. Time it from outside, e.g.
//   /usr/bin/time -v build/bench/kwintel_opstart
#include "app/bord.h"
#include "app/kwintelvlak.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {
class NaEersteVerf : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(o, e);
    }
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));
    TfKwintelvlak fKwintelvlak;
    NaEersteVerf filter;
    fKwintelvlak.bord->installEventFilter(&filter);
    fKwintelvlak.show();
    return QApplication::exec();
}
