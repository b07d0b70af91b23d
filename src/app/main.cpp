#include "app/kwintelvlak.h"
#include "boardfile/bordpaden.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));

    TfKwintelvlak fKwintelvlak;
    // A board named on the command line replaces the standard board.
    const QString bord = bordpaden::opdrachtregelBord(QCoreApplication::arguments().value(1),
                                                      TfKwintelvlak::programmaMap());
    if (!bord.isEmpty()) {
        fKwintelvlak.openen(bord);
        fKwintelvlak.miVernieuwenClick();
    }
    fKwintelvlak.show();
    return QApplication::exec();
}
