// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/soorten/pulsenteller.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"

#include <QLabel>

TPulsenTellerMod::TPulsenTellerMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(336, 128);
    telstand = 0;
    telIngangHoog = false;
    tellenAan = true; // counting is on until input 2 says otherwise
    resetHoog = false;

    iSymbool = maakAfbeelding(24, 33, owner->iPulsenTeller);
    lTelPulsen = maakLabel(16, 2, QStringLiteral("tel pulsen"));
    for (int i = 1; i <= 3; ++i)
        ingangen[i] = maakIngang(16, 32 * i - 16, i, kleurparen::logica);
    ingangen[2]->setBrushKleur(ingangen[2]->kleurAan);
    for (int i = 1; i <= 4; ++i) {
        lBits[i] = maakLabel(32 * i + 176, 2, 17, 13, QString::number(bitWaarden[4 - i]),
                             Qt::AlignHCenter | Qt::AlignTop);
        uitgangen[i] = maakUitgang(32 * i + 176, 16, kleurparen::logica);
    }
    sSchakelaar = maakSchakelaar(149, 80);

    // The count as one hexadecimal digit, large and red in a sunken box.
    stTelstand = new QLabel(QStringLiteral("0"), this);
    stTelstand->setGeometry(280, 52, 32, 40);
    stTelstand->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stTelstand->setLineWidth(1);
    stTelstand->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The digit stands at the top of the box: a framed label would otherwise
    // indent it by half an "x" from the top, pushing it against the bottom.
    stTelstand->setIndent(0);
    // An opaque box: the picture's lines beneath it do not show through.
    stTelstand->setAutoFillBackground(true);
    QFont groot = stTelstand->font();
    groot.setPixelSize(32); // 24 points at 96 dpi, whatever the screen
    stTelstand->setFont(groot);
    QPalette rood = stTelstand->palette();
    rood.setColor(QPalette::WindowText, kleur(kleuren::rood));
    stTelstand->setPalette(rood);
    koppelAanModule(stTelstand);

    lNaam = maakNaamLabel(184, 111, 80, 16, QStringLiteral("Pulsenteller"));
}
