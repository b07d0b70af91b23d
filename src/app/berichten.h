// Message boxes in the program's own Dutch wording.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Shows a modal message box with one "OK" button. With owner nullptr the box
// has no owner window.
void toonBericht(QWidget* owner, QMessageBox::Icon icon, const QString& titel,
                 const QString& tekst);
