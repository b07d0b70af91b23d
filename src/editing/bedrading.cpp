// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Wires: made by dragging from a terminal to a terminal of the other kind,
// cut with the right mouse button, re-aimed when a module's number changes,
// cut when the module they lead into leaves the board, and drawn as straight
// red lines over the board.
#include "app/kwintelvlak.h"

#include "editing/draadlaag.h"
#include "editing/geschiedenis.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"

#include <QPointer>

void TfKwintelvlak::verwijderVerbindingMetModule(const TModule* module) {
    const int soort = module->moduleSoort->soort;
    TUitgang* lijst[10];
    for (const TModule* m : modules) {
        const int n = zoekModuleUitgangen(m, lijst);
        for (int i = 0; i < n; ++i)
            if (lijst[i]->doelSoort == soort && lijst[i]->doelNummer == module->nummer)
                lijst[i]->verbreek();
    }
}

void TfKwintelvlak::vervangVerbindingMetModule(const TModule* module, int nieuwNummer) {
    const int soort = module->moduleSoort->soort;
    TUitgang* lijst[10];
    for (const TModule* m : modules) {
        const int n = zoekModuleUitgangen(m, lijst);
        for (int i = 0; i < n; ++i)
            if (lijst[i]->doelSoort == soort && lijst[i]->doelNummer == module->nummer)
                lijst[i]->doelNummer = nieuwNummer;
    }
}

void TfKwintelvlak::maakConnectorSleepDoel(TConnector* klem) {
    platform::zetSleepDoel(
        klem,
        [this](QWidget* sender, QObject* bron, QPoint pos, platform::SleepToestand toestand) {
            return connectorDragOver(sender, bron, pos, toestand);
        },
        [this](QWidget* sender, QObject* bron, QPoint pos) { FormDragDrop(sender, bron, pos); });
}

void TfKwintelvlak::beginConnectorSlepen(TConnector* klem, QPoint startPos) {
    QPointer<TConnector> k = klem;
    platform::beginSlepen(klem, startPos, nullptr, [this, k](QWidget* doel, QPoint pos) {
        if (k)
            connectorEndDrag(k, doel, pos);
    });
}

bool TfKwintelvlak::connectorDragOver(QWidget* sender, QObject* source, QPoint pos,
                                      platform::SleepToestand state) {
    // A module moved over a terminal is over the board.
    if (qobject_cast<TModule*>(source))
        return FormDragOver(sender, source, pos, state);
    // A wire runs from an output to an input, never between two of a kind.
    return (qobject_cast<TIngang*>(sender) && qobject_cast<TUitgang*>(source)) ||
           (qobject_cast<TUitgang*>(sender) && qobject_cast<TIngang*>(source));
}

void TfKwintelvlak::connectorEndDrag(TConnector* sender, QWidget* target, QPoint) {
    TUitgang* uitgang = nullptr;
    TIngang* ingang = nullptr;
    if (auto* in = qobject_cast<TIngang*>(target); in && qobject_cast<TUitgang*>(sender)) {
        uitgang = static_cast<TUitgang*>(sender);
        ingang = in;
    } else if (auto* uit = qobject_cast<TUitgang*>(target); uit && qobject_cast<TIngang*>(sender)) {
        uitgang = uit;
        ingang = static_cast<TIngang*>(sender);
    } else {
        return; // dropped on nothing, or on a terminal of the same kind
    }
    auto* module = qobject_cast<TModule*>(ingang->parentWidget());
    if (!module || !module->moduleSoort)
        return;
    const TBordBeeld voor = m_geschiedenis->beeld();
    const bool verleggen = uitgang->isVerbonden();
    {
        KlokHouder houder(this);
        // An input is fed by one output at most: the old wire into it goes.
        if (TUitgang* oud = zoekUitgangBijIngang(module, ingang->index))
            oud->verbreek();
        // Whatever the output fed before, it now feeds this input only.
        uitgang->doelSoort = module->moduleSoort->soort;
        uitgang->doelNummer = module->nummer;
        uitgang->doelIngang = ingang->index;
    }
    m_geschiedenis->dradenGewijzigd(voor, verleggen ? QStringLiteral("draad verleggen")
                                                    : QStringLiteral("draad maken"));
    miVernieuwenClick();
}

void TfKwintelvlak::connectorMouseUp(TConnector* sender, Qt::MouseButton button) {
    if (button != Qt::RightButton)
        return;
    TUitgang* uitgang = qobject_cast<TUitgang*>(sender);
    if (auto* ingang = qobject_cast<TIngang*>(sender)) {
        auto* module = qobject_cast<TModule*>(ingang->parentWidget());
        uitgang =
            module && module->moduleSoort ? zoekUitgangBijIngang(module, ingang->index) : nullptr;
    }
    if (uitgang) {
        const TBordBeeld voor = m_geschiedenis->beeld();
        uitgang->verbreek();
        m_geschiedenis->dradenGewijzigd(voor, QStringLiteral("draad doorknippen"));
    }
    miVernieuwenClick();
}

void TfKwintelvlak::tekenLijnen() {
    // The layer draws no wires while the clock is held, and repainting it
    // also wipes the wires of modules that have gone.
    draadLaag->vernieuw();
}
