// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "editing/draadlaag.h"

#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"

#include <QBitmap>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

TDraadLaag::TDraadLaag(TfKwintelvlak* form, QScrollArea* scrollBox)
    : QWidget(scrollBox->viewport()), m_form(form), m_scrollBox(scrollBox) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setGeometry(scrollBox->viewport()->rect());
    scrollBox->viewport()->installEventFilter(this);
    connect(scrollBox->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TDraadLaag::vernieuw);
    connect(scrollBox->verticalScrollBar(), &QScrollBar::valueChanged, this, &TDraadLaag::vernieuw);
    raise();
    show();
}

bool TDraadLaag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scrollBox->viewport() && event->type() == QEvent::Resize) {
        setGeometry(m_scrollBox->viewport()->rect());
        werkDradenBij();
    }
    return QWidget::eventFilter(watched, event);
}

bool TDraadLaag::event(QEvent* e) {
    const bool resultaat = QWidget::event(e);
    if (e->type() == QEvent::WinIdChange && heeftEigenVenster()) {
        zetDoorlaatbaar();
        werkDradenBij();
    }
    return resultaat;
}

bool TDraadLaag::heeftEigenVenster() const {
    return internalWinId() != 0 && windowHandle() != nullptr;
}

void TDraadLaag::zetDoorlaatbaar() {
    // WA_TransparentForMouseEvents only tells Qt's own dispatch; a window of
    // its own would still take every click at the window system, before any
    // module under it could see one.
    QWindow* venster = windowHandle();
    if (!venster->flags().testFlag(Qt::WindowTransparentForInput))
        venster->setFlags(venster->flags() | Qt::WindowTransparentForInput);
}

void TDraadLaag::vernieuw() {
    werkDradenBij();
    update();
}

QRegion TDraadLaag::zichtbaar() const {
    return m_vorm;
}

void TDraadLaag::werkDradenBij() {
    if (!heeftEigenVenster())
        return;
    // The lines drawn with the wires' pen into a one-bit picture of the
    // layer, one bit per board pixel. The shape can only hold whole board
    // pixels, so paintEvent fills exactly this region too: at a scale factor
    // each board pixel of a wire becomes a square of screen pixels, and no
    // screen pixel of the shape is left without wire.
    QBitmap beeld(size());
    beeld.fill(Qt::color0);
    if (!klokGestopt && !m_form->modules.empty()) {
        QPainter p(&beeld);
        p.setPen(QPen(Qt::color1, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        TUitgang* lijst[10];
        bool iets = false;
        for (const TModule* m : m_form->modules) {
            const int n = m_form->zoekModuleUitgangen(m, lijst);
            for (int i = 0; i < n; ++i) {
                const TUitgang* u = lijst[i];
                if (u->doelSoort == -1)
                    continue;
                const TIngang* in =
                    m_form->zoekModuleIngang(u->doelSoort, u->doelNummer, u->doelIngang);
                if (!in)
                    continue;
                p.drawLine(aansluitpunt(u), aansluitpunt(in));
                iets = true;
            }
        }
        p.end();
        m_draden = iets ? QRegion(beeld) : QRegion();
    } else {
        m_draden = QRegion();
    }
    werkVormBij();
}

void TDraadLaag::werkVormBij() {
    if (!heeftEigenVenster())
        return;
    QRegion vorm = m_draden;
    if (m_form->focusRect.left() != GEEN) {
        // The rectangle's one-pixel outline.
        const QRect r = opLaag(m_form->focusRect).adjusted(0, 0, -1, -1);
        vorm += QRect(r.left(), r.top(), r.width(), 1);
        vorm += QRect(r.left(), r.bottom(), r.width(), 1);
        vorm += QRect(r.left(), r.top(), 1, r.height());
        vorm += QRect(r.right(), r.top(), 1, r.height());
    }
    vorm &= rect();
    if (vorm == m_vorm && !m_vorm.isEmpty())
        return;
    m_vorm = vorm;
    // An empty shape would mean "no shape", the whole layer; a square just
    // outside the layer leaves none of it on the screen.
    windowHandle()->setMask(vorm.isEmpty() ? QRegion(-2, -2, 1, 1) : vorm);
}

QRect TDraadLaag::opLaag(const QRect& r) const {
    // The rectangle's right and bottom are exclusive: a module of width w
    // at left l covers l .. l + w - 1.
    const QPoint linksBoven = m_form->bord->mapTo(parentWidget(), QPoint(r.left(), r.top()));
    return {linksBoven, QSize(r.right() - r.left(), r.bottom() - r.top())};
}

void TDraadLaag::toonRechthoek(const QRect& r) {
    werkVormBij();
    update(opLaag(r));
}

void TDraadLaag::wisRechthoek(const QRect& r) {
    werkVormBij();
    update(opLaag(r));
}

QPoint TDraadLaag::aansluitpunt(const QWidget* klem) const {
    // Nine pixels in from the terminal's top-left corner, in x and in y.
    return klem->mapTo(parentWidget(), QPoint(9, 9));
}

void TDraadLaag::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect gevraagd = e->rect();

    // While the clock is held the board is being changed: no wires until the
    // refresh that follows.
    if (heeftEigenVenster()) {
        // Exactly the shape's wires, so that the wire is as wide over a
        // plug-in's window as anywhere else and no pixel of the shape shows
        // anything but wire.
        for (const QRect& r : m_draden & e->region())
            p.fillRect(r, QColor(255, 0, 0));
    } else if (!klokGestopt && !m_form->modules.empty()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        TUitgang* lijst[10];
        for (const TModule* m : m_form->modules) {
            const int n = m_form->zoekModuleUitgangen(m, lijst);
            for (int i = 0; i < n; ++i) {
                const TUitgang* u = lijst[i];
                if (u->doelSoort == -1)
                    continue;
                const TIngang* in =
                    m_form->zoekModuleIngang(u->doelSoort, u->doelNummer, u->doelIngang);
                if (!in)
                    continue; // a wire to an input that does not exist is kept, not drawn
                const QPoint van = aansluitpunt(u);
                const QPoint naar = aansluitpunt(in);
                // Only what the repaint asks for: a terminal that changes
                // colour repaints a small square, not every wire.
                if (!QRect(van, naar).normalized().adjusted(-2, -2, 2, 2).intersects(gevraagd))
                    continue;
                p.drawLine(van, naar);
            }
        }
    }

    if (m_form->focusRect.left() != GEEN) {
        // A dotted outline that inverts what lies beneath, like the
        // system's focus rectangle.
        const QRect r = opLaag(m_form->focusRect);
        QPen stippel(Qt::white, 1, Qt::CustomDashLine);
        stippel.setDashPattern({1, 1});
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(stippel);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}
