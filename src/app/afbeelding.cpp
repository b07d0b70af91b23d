// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "app/afbeelding.h"

#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "app/opdrachtregel.h"
#include "app/zondergebruiker.h"
#include "modules/module.h"
#include "platform/platform.h"
#include "toetsen/toetsen.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QScrollArea>
#include <QTextStream>

namespace afbeelding {

namespace {
constexpr QSize kZichtbaarBord(720, 576);

// A label at each module's top-left corner, over the picture: black on
// white with a black frame, readable on any module and on the board.
void tekenNamen(QImage& beeld, const TfKwintelvlak& form, QPoint oorsprong,
                const std::function<QString(const TModule*)>& naam) {
    QPainter p(&beeld);
    // DejaVu Sans where it is there (most Linux systems), else the system's
    // own sans-serif: never a fallback that happens to be a typewriter face.
    QFont letter;
    letter.setFamilies(QStringList{QStringLiteral("DejaVu Sans")} +
                       platform::schreefloosLettertype());
    letter.setStyleHint(QFont::SansSerif);
    letter.setPixelSize(11);
    letter.setBold(true);
    p.setFont(letter);
    const QFontMetrics maat(letter);
    for (const TModule* m : form.modules) {
        if (m->isHidden())
            continue;
        const QString tekst = naam(m);
        if (tekst.isEmpty())
            continue;
        const QRect vak(m->geometry().topLeft() - oorsprong,
                        QSize(maat.horizontalAdvance(tekst) + 6, maat.height() + 2));
        p.fillRect(vak, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(vak.adjusted(0, 0, -1, -1));
        p.drawText(vak, Qt::AlignCenter, tekst);
    }
}
} // namespace

QImage bordAfbeelding(TfKwintelvlak& form, bool bijsnijden,
                      const std::function<QString(const TModule*)>& naam) {
    if (!form.isVisible()) {
        // Laid out and painted like a shown window, but never put on a screen.
        form.setAttribute(Qt::WA_DontShowOnScreen);
        form.show();
    }
    form.miVernieuwenClick(); // the board's size follows its modules
    QScrollArea* scroll = form.scrollBox;
    const QSize bordMaat = form.bord->minimumSize().expandedTo(kZichtbaarBord);
    const QSize tekort = bordMaat - scroll->viewport()->size();
    if (tekort.width() > 0 || tekort.height() > 0) {
        form.resize(form.size() + tekort.expandedTo(QSize(0, 0)));
        QApplication::sendPostedEvents();
    }
    scroll->ensureVisible(0, 0);
    QApplication::sendPostedEvents();

    QRect uitsnede(QPoint(0, 0), bordMaat);
    if (bijsnijden) {
        QRect modules;
        for (const TModule* m : form.modules)
            if (!m->isHidden())
                modules |= m->geometry();
        if (!modules.isEmpty())
            uitsnede = modules;
    }
    // The view holds the board and, over it, the layer with the wires.
    const QRect opView(form.bord->mapTo(scroll->viewport(), uitsnede.topLeft()), uitsnede.size());
    QImage beeld = scroll->viewport()->grab(opView).toImage();
    if (naam)
        tekenNamen(beeld, form, uitsnede.topLeft(), naam);
    return beeld;
}

int voerUit(const opdrachtregel::Opdracht& opdracht, QTextStream& fout) {
    const QString bordNaam = opdracht.borden.value(0);
    ZonderGebruiker omgeving;
    TfKwintelvlak form;
    omgeving.neemMeldingen(); // start-up's own (a missing standard board) do not count
    form.openen(bordNaam);
    // An error stops the reading: no picture of half a board. Other messages
    // (more wires than a module has outputs) are passed on and the picture
    // is made, as the window shows the board after such a message.
    for (const ZonderGebruiker::Melding& m : omgeving.neemMeldingen()) {
        const QString tekst = QString(m.tekst).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (m.icoon == QMessageBox::Critical) {
            fout << "kwintelvlak: " << tekst << '\n';
            return 1;
        }
        fout << "kwintelvlak: melding bij het lezen van \"" << QDir::toNativeSeparators(bordNaam)
             << "\": " << tekst << '\n';
    }
    omgeving.tik(opdracht.tikken);
    const QFileInfo doel(opdracht.afbeelding);
    const QString doelNaam = QDir::toNativeSeparators(opdracht.afbeelding);
    if (!doel.absoluteDir().exists()) {
        fout << "kwintelvlak: de afbeelding \"" << doelNaam
             << "\" kan niet worden geschreven: de map \""
             << QDir::toNativeSeparators(doel.absolutePath()) << "\" bestaat niet\n";
        return 1;
    }
    if (doel.isDir()) {
        fout << "kwintelvlak: de afbeelding \"" << doelNaam
             << "\" kan niet worden geschreven: dat is een map\n";
        return 1;
    }
    // Each module by its kind's caption and its own number, as a check
    // file names it.
    const QImage beeld = opdracht.nummers
                             ? bordAfbeelding(form, opdracht.bijsnijden,
                                              [&form](const TModule* m) {
                                                  return toetsen::soortNaam(form, m->moduleSoort) +
                                                         QLatin1Char(' ') +
                                                         QString::number(int(m->nummer));
                                              })
                             : bordAfbeelding(form, opdracht.bijsnijden);

    // Written whole or not at all: an old picture stays until the new one is complete.
    QSaveFile uit(opdracht.afbeelding);
    if (!uit.open(QIODevice::WriteOnly) || !beeld.save(&uit, "PNG") || !uit.commit()) {
        fout << "kwintelvlak: de afbeelding \"" << QDir::toNativeSeparators(opdracht.afbeelding)
             << "\" kan niet worden geschreven. Melding van het systeem: " << uit.errorString()
             << '\n';
        return 1;
    }
    return 0;
}

} // namespace afbeelding
