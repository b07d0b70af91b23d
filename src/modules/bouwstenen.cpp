// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The construction steps that every module kind shares.
#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "modules/onderdelen.h"
#include "modules/regelaars.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

TIngang* TModule::maakIngang(int x, int y, int index, Kleurpaar paar) {
    auto* ingang = new TIngang(this);
    ingang->move(x, y);
    ingang->index = index;
    ingang->kleurAan = paar.aan;
    ingang->kleurUit = paar.uit;
    ingang->setBrushKleur(paar.uit);
    m_ingangen.push_back(ingang);
    return ingang;
}

TUitgang* TModule::maakUitgang(int x, int y, Kleurpaar paar) {
    auto* uitgang = new TUitgang(this);
    uitgang->move(x, y);
    uitgang->kleurAan = paar.aan;
    uitgang->kleurUit = paar.uit;
    uitgang->setBrushKleur(paar.uit);
    m_uitgangen.push_back(uitgang);
    return uitgang;
}

QLabel* TModule::maakNaamLabel(int x, int y, int w, int h, const QString& naam) {
    QLabel* label = maakLabel(x, y, w, h, naam, Qt::AlignHCenter | Qt::AlignTop);
    QFont f = label->font();
    f.setBold(true);
    // Where the platform's bold letters are wider than the name's box, the
    // name is condensed just enough to fit rather than clipped.
    const QStringList regels = naam.split(QLatin1Char('\n'));
    auto breedste = [&f, &regels] {
        const QFontMetrics fm(f);
        int breedte = 0;
        for (const QString& regel : regels)
            breedte = std::max(breedte, fm.horizontalAdvance(regel));
        return breedte;
    };
    for (int rek = 99; rek >= 75 && breedste() > w; --rek)
        f.setStretch(rek);
    label->setFont(f);
    return label;
}

QLabel* TModule::maakLabel(int x, int y, const QString& tekst) {
    auto* label = new QLabel(tekst, this);
    label->move(x, y);
    label->adjustSize();
    koppelAanModule(label);
    return label;
}

QLabel* TModule::maakLabel(int x, int y, int w, int h, const QString& tekst,
                           Qt::Alignment uitlijning) {
    auto* label = new QLabel(tekst, this);
    label->setGeometry(x, y, w, h);
    label->setAlignment(uitlijning);
    koppelAanModule(label);
    return label;
}

TAfbeelding* TModule::maakAfbeelding(int x, int y, const QImage& beeld) {
    auto* afbeelding = new TAfbeelding(this);
    afbeelding->setAutoSize(true);
    afbeelding->move(x, y);
    afbeelding->setTransparent(true);
    afbeelding->setPicture(beeld);
    koppelAanModule(afbeelding);
    return afbeelding;
}

TSchakelaar* TModule::maakSchakelaar(int x, int y) {
    auto* schakelaar = new TSchakelaar(this);
    schakelaar->move(x, y);
    return schakelaar;
}

TBevel* TModule::maakBevel(int x, int y, int w, int h) {
    auto* bevel = new TBevel(this);
    bevel->setGeometry(x, y, w, h);
    return bevel;
}

TRegelaar* TModule::maakRegelaar(int x, int y, int min, int max, int waarde) {
    auto* regelaar = new TRegelaar(this);
    regelaar->move(x, y);
    regelaar->setMinValue(min);
    regelaar->setMaxValue(max);
    regelaar->setValue(waarde);
    return regelaar;
}

TKommaRegelaar* TModule::maakKommaRegelaar(int x, int y, int min, int max, int waarde) {
    auto* regelaar = new TKommaRegelaar(this);
    regelaar->move(x, y);
    regelaar->setMinValue(min);
    regelaar->setMaxValue(max);
    regelaar->setValue(waarde);
    return regelaar;
}
