// The layer over the visible board on which the wires and the drag
// rectangle are drawn. It lies above every module and lets every mouse event
// through to what lies beneath. It paints only when asked (a wire or the
// rectangle changed, the board scrolled, or something beneath it repainted),
// never on the clock's ticks.
#pragma once

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

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect opLaag(const QRect& bordRechthoek) const;

    TfKwintelvlak* m_form;
    QScrollArea* m_scrollBox;
};
