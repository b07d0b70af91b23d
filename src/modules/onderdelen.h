// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The drawn parts that modules are assembled from, as small widgets: a shape
// (rectangle or circle with a brush and a one-pixel black pen), a picture that
// may show white as transparent, and a bevel line.
#pragma once

#include "modules/kleuren.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A rectangle or circle filled with a brush colour and outlined by a
// one-pixel black pen, like a terminal or a lamp.
class TVorm : public QWidget {
    Q_OBJECT
public:
    enum class Vorm { Rechthoek, Cirkel };

    explicit TVorm(QWidget* parent = nullptr);

    Vorm vorm() const { return m_vorm; }
    void setVorm(Vorm v);
    TColor brushKleur() const { return m_brush; }
    // Repaints only when the colour really changes: the clock sets colours on
    // every tick, and most of the time they stay the same.
    void setBrushKleur(TColor c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Vorm m_vorm = Vorm::Rechthoek;
    TColor m_brush = kleuren::wit;
};

// A picture. With AutoSize the widget takes the picture's size; with
// Transparent on, white pixels show the parent through.
class TAfbeelding : public QWidget {
    Q_OBJECT
public:
    explicit TAfbeelding(QWidget* parent = nullptr);

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& image);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    // Draws the picture centred in the widget rather than at its top left.
    void setCenter(bool on);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void maakPixmap();

    QImage m_picture;
    QPixmap m_pixmap; // what is painted: the picture with white masked when transparent
    bool m_transparent = false;
    bool m_autoSize = false;
    bool m_center = false;
};

// A lowered bevel drawn as a line along its top edge. It takes no part in
// mouse handling: a press on it does nothing.
class TBevel : public QWidget {
    Q_OBJECT
public:
    explicit TBevel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};
