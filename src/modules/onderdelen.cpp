// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/onderdelen.h"

#include <QMouseEvent>
#include <QPainter>

// ---- TVorm ------------------------------------------------------------------

TVorm::TVorm(QWidget* parent) : QWidget(parent) {}

void TVorm::setVorm(Vorm v) {
    if (v == m_vorm)
        return;
    m_vorm = v;
    update();
}

void TVorm::setBrushKleur(TColor c) {
    if (c == m_brush)
        return;
    m_brush = c;
    update();
}

void TVorm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kleur(m_brush));
    // The outline covers the outermost pixels, so a 17 x 17 shape is 17 x 17.
    const QRect r(0, 0, width() - 1, height() - 1);
    if (m_vorm == Vorm::Cirkel) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawEllipse(r);
    } else {
        p.drawRect(r);
    }
}

// ---- TAfbeelding --------------------------------------------------------------

TAfbeelding::TAfbeelding(QWidget* parent) : QWidget(parent) {}

void TAfbeelding::setPicture(const QImage& image) {
    m_picture = image;
    maakPixmap();
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
    update();
}

void TAfbeelding::setTransparent(bool on) {
    if (on == m_transparent)
        return;
    m_transparent = on;
    maakPixmap();
    update();
}

void TAfbeelding::setAutoSize(bool on) {
    m_autoSize = on;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
}

void TAfbeelding::setCenter(bool on) {
    m_center = on;
    update();
}

void TAfbeelding::maakPixmap() {
    if (m_picture.isNull()) {
        m_pixmap = QPixmap();
        return;
    }
    if (!m_transparent) {
        m_pixmap = QPixmap::fromImage(m_picture);
        return;
    }
    // White lets the panel through.
    QImage argb = m_picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* regel = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if ((regel[x] & 0xFFFFFF) == 0xFFFFFF)
                regel[x] = 0;
    }
    m_pixmap = QPixmap::fromImage(argb);
}

void TAfbeelding::paintEvent(QPaintEvent*) {
    if (m_pixmap.isNull())
        return;
    QPainter p(this);
    QPoint at(0, 0);
    if (m_center)
        at = QPoint((width() - m_pixmap.width()) / 2, (height() - m_pixmap.height()) / 2);
    p.drawPixmap(at, m_pixmap);
}

// ---- TBevel -------------------------------------------------------------------

TBevel::TBevel(QWidget* parent) : QWidget(parent) {}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(kleuren::knopSchaduw);
    p.drawLine(0, 0, width() - 1, 0);
    p.setPen(kleuren::knopLicht);
    p.drawLine(0, 1, width() - 1, 1);
}

void TBevel::mousePressEvent(QMouseEvent* e) {
    e->accept();
}
void TBevel::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
}
