// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The layer over the visible board on which the wires and the drag
// rectangle are drawn. It lies above every module and lets every mouse event
// through to what lies beneath. It paints only when asked (a wire or the
// rectangle changed, the board scrolled, or something beneath it repainted),
// never on the clock's ticks.
//
// Once a plug-in module is on the board the layer has a window of its own at
// the window system (Qt gives the siblings of a native panel native windows).
// That window then takes no input at all, and its shape covers only the
// wires and the drag rectangle, so the faces that plug-in libraries draw into
// their own windows show everywhere else. The shape changes only when the
// wires or the rectangle do.
#pragma once

#include <QRegion>
#include <QWidget>

class TfKwintelvlak;
class QScrollArea;

class TDraadLaag : public QWidget {
    Q_OBJECT
public:
    // Covers the scroll area's viewport, so wires are clipped to the visible
    // board and never run over the menu bar or the scroll bars.
    TDraadLaag(TfKwintelvlak* form, QScrollArea* scrollBox);

    // Redraws every wire.
    void vernieuw();
    // The drag rectangle (board coordinates, right and bottom exclusive)
    // appears, or disappears.
    void toonRechthoek(const QRect& r);
    void wisRechthoek(const QRect& r);

    // Where a wire meets a terminal, in this layer's coordinates.
    QPoint aansluitpunt(const QWidget* klem) const;

    // Where the layer's own window shows (only while it has one): the wires
    // and the drag rectangle, in this layer's coordinates.
    QRegion zichtbaar() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* e) override;

private:
    QRect opLaag(const QRect& bordRechthoek) const;
    bool heeftEigenVenster() const;
    // The window takes no input; called whenever the window is (re)made.
    void zetDoorlaatbaar();
    // The wires' part of the shape, drawn anew, then the whole shape.
    void werkDradenBij();
    void werkVormBij();

    // Each wire's line, as last drawn.
    QRegion m_draden;
    QRegion m_vorm;

    TfKwintelvlak* m_form;
    QScrollArea* m_scrollBox;
};
