// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Behaviour of the sources (push button, pulse generator, variable voltage,
// sensor, sound sensor) and of the processing kinds AD converter, comparator,
// AND and OR gates, inverter, memory cell and split.
//
// Index 0 is the clock's call: evaluate and send. Index k >= 1 means a level
// arrives at input k: record it and paint the input, never send. An input no
// wire reaches reads as unfed; processing kinds check that on every call.
#include "simulation/simulatie.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/regelaars.h"
#include "modules/soorten/adomzetter.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/geheugencel.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/invertor.h"
#include "modules/soorten/poorten.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/sensor.h"
#include "modules/soorten/split.h"
#include "modules/soorten/variabelespanning.h"
#include "platform/platform.h"
#include "simulation/afronden.h"
#include "simulation/niveaus.h"

#include <cstdlib>

namespace {

quint8 logisch(bool hoog) {
    return hoog ? kHoog : kLaag;
}

// A setting outside its range is clamped and the clamped value is written
// back into the control; then it is read again.
int begrensd(TSpinEdit* regelaar, int minimum, int maximum) {
    const int v = regelaar->value();
    if (v < minimum)
        regelaar->setValue(minimum);
    else if (v > maximum)
        regelaar->setValue(maximum);
    return regelaar->value();
}

void toonUit(TIngang* ingang) {
    ingang->setBrushKleur(ingang->kleurUit);
}

} // namespace

void TSimulatie::drukSchakelaarProc(TDrukSchakelaarMod* m) {
    // Held down or latched down, the key gives 5,0 V.
    zend(m->uitgang, logisch(m->sSchakelaar->stand != 0));
}

void TSimulatie::pulsGeneratorProc(TPulsGeneratorMod* m) {
    const int f = begrensd(m->regelaar, 0, 10);
    quint8 niveau = kLaag;
    if (f > 0) {
        // Unsigned 32-bit arithmetic gives the true distance across a wrap
        // of the tick count.
        const std::uint32_t nu = platform::tickCount();
        const std::uint32_t verstreken = nu - m->laatstePuls;
        if (double(verstreken) > 1000.0 / f) {
            m->laatstePuls = nu;
            niveau = kHoog;
        }
    }
    zend(m->uitgang, niveau);
}

void TSimulatie::variabeleSpanningProc(TVariabeleSpanningMod* m) {
    zend(m->uitgang, static_cast<quint8>(begrensd(m->regelaar, 0, 50)));
}

void TSimulatie::sensorProc(TSensorMod* m) {
    const QPoint module = m->mapToGlobal(QPoint(0, 0));
    const QPoint wijzer = platform::cursorPos();
    const QRect venster = m_form.frameGeometry();
    const long double w = venster.width();
    const long double h = venster.height();
    int niveau = 0;
    if (w > 0 && h > 0) {
        const long double px = std::max(0.0L, w - std::abs(module.x() - wijzer.x()));
        const long double py = std::max(0.0L, h - std::abs(module.y() - wijzer.y()));
        niveau = simulatie::niveauVan((px / w + py / h) / 2 * 50);
    }
    zend(m->uitgang, static_cast<quint8>(niveau));
}

void TSimulatie::geluidSensorProc(TGeluidSensorMod* m) {
    // 36768, not 32768: the loudest sound gives 4,5 V.
    int niveau = 0;
    if (audioBeschikbaar)
        niveau = simulatie::niveauVan(geluidNiveau / 36768.0L * 50);
    zend(m->uitgang, static_cast<quint8>(niveau));
}

void TSimulatie::adOmzetterProc(TADOmzetterMod* m, int ingang, quint8 niveau) {
    if (!gevoed(m, 1)) {
        toonUit(m->ingang);
        m->ingangsNiveau = 0;
    }
    if (ingang != 0) {
        m->ingang->toonNiveau(niveau);
        m->ingangsNiveau = niveau;
        return;
    }
    // The level as a code 0..15, (level / 50) x 15 rounded half to even,
    // computed exactly.
    int code = simulatie::deelAfgerond(m->ingangsNiveau * 15, 50);
    for (int i = 1; i <= 4; ++i) {
        const int gewicht = bitWaarden[4 - i]; // 8, 4, 2, 1
        const bool bit = code - gewicht >= 0;
        if (bit)
            code -= gewicht;
        zend(m->uitgangen[i], logisch(bit));
    }
}

void TSimulatie::comparatorProc(TComparatorMod* m, int ingang, quint8 niveau) {
    if (!gevoed(m, 1)) {
        toonUit(m->ingang);
        m->ingangsNiveau = 0;
    }
    if (ingang == 0) {
        const int referentie = begrensd(m->regelaar, 0, 50);
        // Equality counts as high.
        zend(m->uitgang, logisch(referentie <= m->ingangsNiveau));
    } else if (ingang == 1) {
        m->ingang->toonNiveau(niveau);
        m->ingangsNiveau = niveau;
    }
}

namespace {
template <class Poort>
void poortIngangen(TSimulatie& sim, Poort* m, int ingang, quint8 niveau,
                   bool (TSimulatie::*gevoed)(const TModule*, int)) {
    for (int k = 1; k <= 2; ++k) {
        if (!(sim.*gevoed)(m, k)) {
            toonUit(m->ingangen[k]);
            m->ingangHoog[k] = false;
        }
    }
    if (ingang == 1 || ingang == 2) {
        m->ingangHoog[ingang] = niveau > 13;
        m->ingangen[ingang]->toonNiveau(niveau);
    }
}
} // namespace

void TSimulatie::enPoortProc(TENPoortMod* m, int ingang, quint8 niveau) {
    poortIngangen(*this, m, ingang, niveau, &TSimulatie::gevoed);
    if (ingang == 0)
        zend(m->uitgang, logisch(m->ingangHoog[1] && m->ingangHoog[2]));
}

void TSimulatie::ofPoortProc(TOFPoortMod* m, int ingang, quint8 niveau) {
    poortIngangen(*this, m, ingang, niveau, &TSimulatie::gevoed);
    if (ingang == 0)
        zend(m->uitgang, logisch(m->ingangHoog[1] || m->ingangHoog[2]));
}

void TSimulatie::invertorProc(TInvertorMod* m, int ingang, quint8 niveau) {
    if (!gevoed(m, 1)) {
        toonUit(m->ingang);
        m->ingangHoog = false;
    }
    if (ingang == 0) {
        zend(m->uitgang, logisch(!m->ingangHoog));
    } else {
        m->ingangHoog = niveau > 13;
        m->ingang->toonNiveau(niveau);
    }
}

void TSimulatie::geheugenCelProc(TGeheugenCelMod* m, int ingang, quint8 niveau) {
    // An unfed input only shows low: the stored bit stays.
    for (int k = 1; k <= 2; ++k)
        if (!gevoed(m, k))
            toonUit(m->ingangen[k]);
    const bool hoog = niveau > 13;
    switch (ingang) {
    case 0:
        zend(m->uitgang, logisch(m->geheugen));
        break;
    case 1:
        m->ingang1Hoog = hoog;
        m->ingangen[1]->toonNiveau(niveau);
        if (hoog)
            m->geheugen = true;
        break;
    case 2:
        m->ingangen[2]->toonNiveau(niveau);
        // Set wins: a reset clears the bit only while the set input is low.
        if (hoog)
            m->geheugen = m->ingang1Hoog;
        break;
    default:
        break;
    }
}

void TSimulatie::splitProc(TSplitMod* m, int ingang, quint8 niveau) {
    // An unfed input only shows low: the outputs keep the last level.
    if (!gevoed(m, 1))
        toonUit(m->ingang);
    if (ingang != 0) {
        m->ingang->toonNiveau(niveau);
        m->ingangsNiveau = niveau;
        return;
    }
    // The small split's hidden third output is driven like the others.
    for (int i = 1; i <= 3; ++i)
        zend(m->uitgangen[i], m->ingangsNiveau);
}
