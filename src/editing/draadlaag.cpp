#include "editing/draadlaag.h"

#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

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
    if (watched == m_scrollBox->viewport() && event->type() == QEvent::Resize)
        setGeometry(m_scrollBox->viewport()->rect());
    return QWidget::eventFilter(watched, event);
}

void TDraadLaag::vernieuw() {
    update();
}

QRect TDraadLaag::opLaag(const QRect& r) const {
    // The rectangle's right and bottom are exclusive: a module of width w
    // at left l covers l .. l + w - 1.
    const QPoint linksBoven = m_form->bord->mapTo(parentWidget(), QPoint(r.left(), r.top()));
    return {linksBoven, QSize(r.right() - r.left(), r.bottom() - r.top())};
}

void TDraadLaag::toonRechthoek(const QRect& r) {
    update(opLaag(r));
}

void TDraadLaag::wisRechthoek(const QRect& r) {
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
    if (!klokGestopt && !m_form->modules.empty()) {
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
