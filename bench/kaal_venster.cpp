// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The yardstick for the program's start-up: a bare Qt main window of the same
// size (a menu bar over a 720 x 576 client area), nothing else. Timed and
// measured side by side with the program by scripts/opstart_meting.py.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow venster;
    venster.setWindowTitle(QStringLiteral("Kaal venster"));
    venster.menuBar()->addMenu(QStringLiteral("&Bestand"));
    auto* vlak = new QWidget(&venster);
    vlak->setFixedSize(720, 576);
    venster.setCentralWidget(vlak);
    venster.show();
    return QApplication::exec();
}
