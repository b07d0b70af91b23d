// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/aansluitingen.h"

#include "app/kwintelvlak.h"
#include "modules/module.h"
#include "modules/tekeningen.h"

#include <QMouseEvent>

// ---- Terminals ------------------------------------------------------------------

TConnector::TConnector(TModule* owner) : TVorm(owner), m_owner(owner) {
    resize(17, 17);
    if (m_owner && m_owner->eigenaar())
        m_owner->eigenaar()->maakConnectorSleepDoel(this);
}

void TConnector::mousePressEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() == Qt::LeftButton && m_owner && m_owner->eigenaar())
        m_owner->eigenaar()->beginConnectorSlepen(this, e->globalPosition().toPoint());
}

void TConnector::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    if (m_owner && m_owner->eigenaar())
        m_owner->eigenaar()->connectorMouseUp(this, e->button());
}

TIngang::TIngang(TModule* owner) : TConnector(owner) {}

TUitgang::TUitgang(TModule* owner) : TConnector(owner) {}

// ---- Key ------------------------------------------------------------------------

const QImage& TSchakelaar::buttonUp() {
    static const QImage beeld = tekeningen::knopOmhoog();
    return beeld;
}

const QImage& TSchakelaar::buttonDown() {
    static const QImage beeld = tekeningen::knopOmlaag();
    return beeld;
}

TSchakelaar::TSchakelaar(TModule* owner) : TAfbeelding(owner), m_owner(owner) {
    setAutoSize(true);
    setCursor(Qt::PointingHandCursor);
    setPicture(buttonUp());
    if (m_owner && m_owner->eigenaar())
        m_owner->eigenaar()->maakBordSleepDoel(this);
}

void TSchakelaar::mousePressEvent(QMouseEvent* e) {
    e->accept();
    if (m_owner && m_owner->eigenaar())
        m_owner->eigenaar()->sSchakelaarMouseDown(this, e->button());
}

void TSchakelaar::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    if (m_owner && m_owner->eigenaar())
        m_owner->eigenaar()->sSchakelaarMouseUp(this, e->button());
}

// ---- Lamp -----------------------------------------------------------------------

TLED::TLED(TModule* owner) : TVorm(owner) {
    resize(17, 17);
    setVorm(Vorm::Cirkel);
    setBrushKleur(uit);
    if (owner && owner->eigenaar())
        owner->eigenaar()->maakBordSleepDoel(this);
}
