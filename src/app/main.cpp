#include "app/kwintelvlak.h"
#include "boardfile/bordpaden.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));
    // Qt's own texts (file dialogs, standard buttons) in Dutch, when Qt's
    // translations are installed.
    QTranslator qtTeksten;
    if (qtTeksten.load(QLocale(QLocale::Dutch), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTeksten);

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
