// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/module.h"

#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"

#include <QMenu>
#include <QMouseEvent>

TModule::TModule(TfKwintelvlak* owner) : QFrame(nullptr), m_eigenaar(owner) {
    // A raised panel with a one-pixel bevel in the button-face colour.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    if (owner) {
        // A module is disabled while it is dragged; it keeps its looks.
        QPalette pal = owner->palette();
        for (int rol = 0; rol < QPalette::NColorRoles; ++rol) {
            const auto r = static_cast<QPalette::ColorRole>(rol);
            pal.setBrush(QPalette::Disabled, r, pal.brush(QPalette::Active, r));
        }
        setPalette(pal);
        setFont(owner->font());
        owner->maakBordSleepDoel(this);
    }
}

TModule::~TModule() = default;

void TModule::koppelAanModule(QWidget* child) {
    child->installEventFilter(this);
    if (m_eigenaar)
        m_eigenaar->maakBordSleepDoel(child);
}

bool TModule::eventFilter(QObject* watched, QEvent* event) {
    auto* child = qobject_cast<QWidget*>(watched);
    if (child && child != this) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* me = static_cast<QMouseEvent*>(event);
            moduleMuisNeer(child, me->button(), me->modifiers(), me->position().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            moduleMuisOp(child, me->button(), me->modifiers(), me->position().toPoint());
            return true;
        }
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TModule::mousePressEvent(QMouseEvent* e) {
    moduleMuisNeer(this, e->button(), e->modifiers(), e->position().toPoint());
    e->accept();
}

void TModule::mouseReleaseEvent(QMouseEvent* e) {
    moduleMuisOp(this, e->button(), e->modifiers(), e->position().toPoint());
    e->accept();
}

void TModule::moduleMuisNeer(QWidget* sender, Qt::MouseButton button, Qt::KeyboardModifiers,
                             QPoint pos) {
    if (button != Qt::LeftButton)
        return;
    // Whether the panel or a passive part was pressed, the whole module is
    // taken; grijpPunt is where inside the module it was taken.
    eigenaar()->grijpPunt = sender == this ? pos : sender->mapTo(this, pos);
    eigenaar()->beginModuleSlepen(this, sender->mapToGlobal(pos));
}

void TModule::moduleMuisOp(QWidget* sender, Qt::MouseButton button, Qt::KeyboardModifiers,
                           QPoint pos) {
    if (button != Qt::RightButton)
        return;
    eigenaar()->contextModule = this;
    eigenaar()->pmContext->popup(sender->mapToGlobal(pos));
}

void TModule::verwijderUitBord() {
    TfKwintelvlak* form = eigenaar();
    KlokHouder houder(form);
    const int soort = moduleSoort->soort;
    form->verwijderVerbindingMetModule(this);
    const int n = form->zoekModuleAantal(soort);
    const int i = form->zoekModuleIndex(this);
    if (i < static_cast<int>(form->modules.size()))
        form->modules.erase(static_cast<size_t>(i));
    // Working upwards, the number j - 1 is always free when it is given.
    for (int j = nummer + 1; j <= n; ++j) {
        TModule* q = form->zoekModule(soort, j);
        if (!q)
            continue;
        form->vervangVerbindingMetModule(q, j - 1);
        q->nummer = j - 1;
    }
}
