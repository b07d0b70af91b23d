#include "app/berichten.h"

#include <QPushButton>

void toonBericht(QWidget* owner, QMessageBox::Icon icon, const QString& titel,
                 const QString& tekst) {
    QMessageBox box(icon, titel, tekst, QMessageBox::NoButton, owner);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
