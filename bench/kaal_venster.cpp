// The yardstick for start-up: a bare Qt main window of the program's size,
// with nothing in it. scripts/opstart_meting.py starts it and the program
// side by side and compares the time to the mapped window and the memory.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow venster;
    venster.setWindowTitle(QStringLiteral("Kaal venster"));
    venster.resize(754, 654);
    venster.show();
    return QApplication::exec();
}
