// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The file commands of the "Bestand" menu, their dialogs, the question that
// guards the standard boards, and opening the standard board at start-up.
#include "app/kwintelvlak.h"

#include "boardfile/bordpaden.h"
#include "editing/geschiedenis.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A question with the buttons "Ja" and "Nee", "Nee" being the default and
// the answer to Escape. True for "Ja".
bool vraagJa(QWidget* owner, QMessageBox::Icon icoon, const QString& titel, const QString& tekst) {
    QMessageBox box(icoon, titel, tekst, QMessageBox::NoButton, owner);
    QPushButton* ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* nee = box.addButton(QStringLiteral("&Nee"), QMessageBox::NoRole);
    box.setDefaultButton(nee);
    box.setEscapeButton(nee);
    box.exec();
    return box.clickedButton() == ja;
}

bool isStandaardBord(const QString& pad) {
    // Upper and lower case count: "Standaard.brd" is another file's name.
    const QString naam = QFileInfo(pad).fileName();
    return naam == QLatin1String(bordpaden::kStandaardBord1) ||
           naam == QLatin1String(bordpaden::kStandaardBord2);
}

// The save dialog refuses a name in a folder that does not exist and stays
// open, so the user can correct it, instead of letting the save fail later.
class TOpslaanDialoog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QString pad = selectedFiles().value(0);
        if (!pad.isEmpty()) {
            const QFileInfo info(pad);
            if (!info.isDir() && !info.absoluteDir().exists()) {
                QMessageBox box(QMessageBox::Warning, windowTitle(),
                                QStringLiteral("%1\nDe map bestaat niet.\nControleer of de juiste "
                                               "map is opgegeven.")
                                    .arg(QDir::toNativeSeparators(info.absolutePath())),
                                QMessageBox::NoButton, this);
                box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
                box.exec();
                return;
            }
        }
        QFileDialog::accept();
    }
};

} // namespace

void TfKwintelvlak::maakBestandsDialogen() {
    if (odLoad)
        return;
    // Qt's own dialogs, the same on every system, in Dutch where Qt lets us.
    const auto maak = [](QFileDialog* d, QFileDialog::AcceptMode modus, const QString& knop) {
        d->setOption(QFileDialog::DontUseNativeDialog, true);
        d->setAcceptMode(modus);
        d->setNameFilter(QStringLiteral("Kwintelvlak bestanden (*.brd)"));
        d->setDefaultSuffix(QStringLiteral("brd"));
        d->setLabelText(QFileDialog::LookIn, QStringLiteral("Zoeken in:"));
        d->setLabelText(QFileDialog::FileName, QStringLiteral("Bestands&naam:"));
        d->setLabelText(QFileDialog::FileType, QStringLiteral("Bestandstype:"));
        d->setLabelText(QFileDialog::Accept, knop);
        d->setLabelText(QFileDialog::Reject, QStringLiteral("Annuleren"));
        d->setSizeGripEnabled(true);
        return d;
    };
    odLoad = maak(new QFileDialog(this, QStringLiteral("Openen")), QFileDialog::AcceptOpen,
                  QStringLiteral("&Openen"));
    odLoad->setFileMode(QFileDialog::ExistingFile);
    sdSave = maak(new TOpslaanDialoog(this, QStringLiteral("Opslaan als")), QFileDialog::AcceptSave,
                  QStringLiteral("Op&slaan"));
    sdSave->setFileMode(QFileDialog::AnyFile);
    // Qt would ask in English; the command asks itself (miOpslaanAlsClick).
    sdSave->setOption(QFileDialog::DontConfirmOverwrite, true);
}

void TfKwintelvlak::openStandaardBordBijStart() {
    // Without a standard board the program starts with an empty board.
    const QString pad =
        bordpaden::zoekStandaardBord(QLatin1String(bordpaden::kStandaardBord1), programmaMap());
    if (!pad.isEmpty())
        openen(pad);
}

void TfKwintelvlak::miNieuwStandaardBord1Click() {
    const QString naam = QLatin1String(bordpaden::kStandaardBord1);
    const QString pad = bordpaden::zoekStandaardBord(naam, programmaMap());
    const QByteArray voor = bordTekst();
    // When it is nowhere, opening the bare name reports that.
    openen(pad.isEmpty() ? naam : pad);
    m_geschiedenis->bordVervangen(voor, QStringLiteral("nieuw standaardbord (1)"));
    miVernieuwenClick();
}

void TfKwintelvlak::miNieuwstandaardbord2Click() {
    const QString naam = QLatin1String(bordpaden::kStandaardBord2);
    const QString pad = bordpaden::zoekStandaardBord(naam, programmaMap());
    const QByteArray voor = bordTekst();
    openen(pad.isEmpty() ? naam : pad);
    m_geschiedenis->bordVervangen(voor, QStringLiteral("nieuw standaardbord (2)"));
    miVernieuwenClick();
}

void TfKwintelvlak::miOpenenClick() {
    maakBestandsDialogen();
    if (odLoad->exec() != QDialog::Accepted)
        return;
    const QString pad = odLoad->selectedFiles().value(0);
    if (pad.isEmpty())
        return;
    const QByteArray voor = bordTekst();
    // Also when it could not be read, the board that was there is kept (its
    // recovery file stays); the empty board then comes from no file.
    const bool gelezen = openen(pad);
    m_geschiedenis->bordVervangen(voor, QStringLiteral("bord openen"),
                                  gelezen ? QFileInfo(pad).absoluteFilePath() : QString());
    miVernieuwenClick();
}

void TfKwintelvlak::miOpslaanAlsClick() {
    maakBestandsDialogen();
    // A recovered board goes back where it came from: the dialog starts in
    // that folder with that name. Any other board starts in the current
    // folder.
    const TBordStand& stand = m_geschiedenis->stand();
    const QFileInfo herkomst(stand.bestand);
    if (stand.bestandVoorstellen) {
        sdSave->setDirectory(herkomst.absoluteDir().exists() ? herkomst.absolutePath()
                                                             : QDir::currentPath());
        sdSave->selectFile(herkomst.fileName());
    } else {
        sdSave->setDirectory(QDir::currentPath());
    }
    QString pad;
    for (;;) {
        if (sdSave->exec() != QDialog::Accepted)
            return;
        pad = sdSave->selectedFiles().value(0);
        if (pad.isEmpty())
            return;
        if (!QFileInfo::exists(pad))
            break;
        if (vraagJa(sdSave, QMessageBox::Warning, sdSave->windowTitle(),
                    QStringLiteral("Het bestand \"%1\" bestaat al.\nWil je het vervangen?")
                        .arg(QDir::toNativeSeparators(pad))))
            break;
        // "Nee": back to the dialog to choose another name.
    }

    if (isStandaardBord(pad) && QFileInfo::exists(pad)) {
        const QString naam = QFileInfo(pad).fileName();
        const QString vraag =
            QStringLiteral("Je probeert om het bestand met het standaardbord te overschrijven\n") +
            QStringLiteral("(\"%1\"). Dit is een essentieel onderdeel van dit programma.\n")
                .arg(naam) +
            QStringLiteral("Als je dit aanpast zal de opmaak van elk aangemaakt standaardbord "
                           "blijvend veranderen.\n") +
            QStringLiteral("Weet je zeker dat je dit wilt doen?");
        if (!vraagJa(this, QMessageBox::Question, windowTitle(), vraag)) {
            miVernieuwenClick();
            return;
        }
    }
    if (opslaan(pad))
        m_geschiedenis->opgeslagen(QFileInfo(pad).absoluteFilePath());
    miVernieuwenClick();
}
