#include "app/kwintelvlak.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));

    TfKwintelvlak fKwintelvlak;
    fKwintelvlak.show();
    return QApplication::exec();
}
