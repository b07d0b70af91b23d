// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Behaviour of the pulse counter, transistor, relay, LED and buzzer.
#include "simulation/simulatie.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"
#include "modules/soorten/led.h"
#include "modules/soorten/pulsenteller.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/transistor.h"
#include "modules/soorten/zoemer.h"
#include "platform/toon.h"
#include "simulation/niveaus.h"

#include <QAction>
#include <QLabel>

namespace {

void toon(TIngang* ingang, bool hoog) {
    ingang->setBrushKleur(hoog ? ingang->kleurAan : ingang->kleurUit);
}

// Shows the count as one upper-case hexadecimal digit. The text is set only
// when it changes: the clock shows the count on every tick.
void toonTelstand(QLabel* display, int telstand) {
    const QString tekst = display->text();
    if (telstand >= 0 && telstand <= 15) {
        const QLatin1Char cijfer("0123456789ABCDEF"[telstand]);
        if (tekst.size() == 1 && tekst.at(0) == cijfer)
            return;
        display->setText(QString(cijfer));
        return;
    }
    const QString nieuw = QString::number(telstand, 16).toUpper();
    if (tekst != nieuw)
        display->setText(nieuw);
}

} // namespace

void TSimulatie::pulsenTellerProc(TPulsenTellerMod* m, int ingang, quint8 niveau) {
    // Unfed, the count and count-on inputs read high, the reset input low
    // unless the key holds it.
    if (!gevoed(m, 1)) {
        toon(m->ingangen[1], true);
        m->telIngangHoog = true;
    }
    if (!gevoed(m, 2)) {
        toon(m->ingangen[2], true);
        m->tellenAan = true;
    }
    if (!gevoed(m, 3) && m->sSchakelaar->stand == 0) {
        toon(m->ingangen[3], false);
        m->resetHoog = false;
    }
    const bool hoog = niveau > 13;
    switch (ingang) {
    case 0: {
        toonTelstand(m->stTelstand, m->telstand);
        int v = m->telstand;
        for (int i = 1; i <= 4; ++i) {
            const int gewicht = bitWaarden[4 - i]; // 8, 4, 2, 1
            const bool bit = v - gewicht >= 0;
            if (bit)
                v -= gewicht;
            zend(m->uitgangen[i], bit ? kHoog : kLaag);
        }
        break;
    }
    case 1:
        // While counting is off or reset is high the input is not even shown.
        if (!m->tellenAan || m->resetHoog)
            break;
        toon(m->ingangen[1], hoog);
        if (hoog && !m->telIngangHoog) {
            int n = m->telstand + 1;
            const bool totF = m_form.miTellerLatenDoorlopen->isChecked();
            if ((totF && n > 15) || (!totF && n > 9))
                n = 0;
            m->telstand = n;
        }
        m->telIngangHoog = hoog;
        break;
    case 2:
        toon(m->ingangen[2], hoog);
        m->tellenAan = hoog;
        break;
    default:
        // Reset, and any higher index. A key that is down holds the reset.
        if (m->sSchakelaar->stand != 0 && !hoog)
            break;
        toon(m->ingangen[3], hoog);
        if (hoog)
            m->telstand = 0;
        m->resetHoog = hoog;
        break;
    }
}

void TSimulatie::transistorProc(TTransistorMod* m, int ingang, quint8 niveau) {
    if (!gevoed(m, 1)) {
        toon(m->ingang, false);
        m->ingangsNiveau = 0;
    }
    if (ingang == 0) {
        // From 0,7 V the transistor conducts and pulls its output low.
        zend(m->uitgang, m->ingangsNiveau <= 6 ? kHoog : kLaag);
    } else {
        m->ingang->toonNiveau(niveau);
        m->ingangsNiveau = niveau;
    }
}

namespace {
// The contact's picture follows the coil, and the whole window is repainted
// at once; only when the coil really changes.
void schakelRelais(TfKwintelvlak& form, TRelaisMod* m, bool bekrachtigd) {
    m->bekrachtigd = bekrachtigd;
    m->iSymbool->setPicture(bekrachtigd ? form.iRelais2 : form.iRelais);
    form.repaint();
}
} // namespace

void TSimulatie::relaisProc(TRelaisMod* m, int ingang, quint8 niveau) {
    switch (ingang) {
    case 0:
        // Unfed inputs are checked on the tick only.
        if (!gevoed(m, 1)) {
            toon(m->ingangen[1], false);
            if (m->bekrachtigd) {
                schakelRelais(m_form, m, false);
                m->niveauIngang2 = 0;
            }
        }
        if (!gevoed(m, 2)) {
            toon(m->ingangen[2], false);
            m->niveauIngang2 = 0;
        }
        if (!gevoed(m, 3)) {
            toon(m->ingangen[3], false);
            m->niveauIngang3 = 0;
        }
        zend(m->uitgangen[1], m->bekrachtigd ? m->niveauIngang2 : kLaag);
        zend(m->uitgangen[2], m->niveauIngang3);
        break;
    case 1: {
        // Any level above 0 energises the coil.
        const bool bekrachtigd = niveau != 0;
        toon(m->ingangen[1], bekrachtigd);
        if (bekrachtigd != m->bekrachtigd)
            schakelRelais(m_form, m, bekrachtigd);
        break;
    }
    case 2:
        m->ingangen[2]->toonNiveau(niveau);
        m->niveauIngang2 = niveau;
        break;
    case 3:
        m->ingangen[3]->toonNiveau(niveau);
        m->niveauIngang3 = niveau;
        break;
    default:
        break;
    }
}

void TSimulatie::ledProc(TLEDMod* m, int ingang, quint8 niveau) {
    if (ingang == 0) {
        if (!gevoed(m, 1)) {
            toon(m->ingang, false);
            m->led->setBrushKleur(TLED::uit);
        }
        return;
    }
    const bool hoog = niveau > 13;
    toon(m->ingang, hoog);
    m->led->setBrushKleur(hoog ? TLED::aan : TLED::uit);
}

void TSimulatie::zoemerProc(TZoemerMod* m, int ingang, quint8 niveau) {
    constexpr int kToon = 500; // Hz
    if (ingang == 0) {
        if (!gevoed(m, 1)) {
            toon(m->ingang, false);
            if (m->zoemt) {
                m->zoemt = false;
                if (!isNT)
                    m_form.stopBeep();
            }
        }
        return;
    }
    const bool hoog = niveau > 13;
    toon(m->ingang, hoog);
    if (hoog == m->zoemt && !isNT)
        return;
    m->zoemt = hoog;
    if (isNT) {
        // Every high level lengthens the tone by one tick's worth.
        if (hoog)
            platform::Beep(kToon, 10);
        return;
    }
    piepActief = hoog;
    if (hoog)
        m_form.startBeep(kToon);
    else
        m_form.stopBeep();
}
