// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "platform/slepen.h"

#include "platform/platform.h"

#include <QApplication>
#include <QCursor>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

struct Handlers {
    SleepOver over;
    SleepLos los;
};

// One drag at a time for the whole program, as there is one mouse.
class SleepBeheer : public QObject {
public:
    static SleepBeheer& instantie() {
        static SleepBeheer beheer;
        return beheer;
    }

    void zetDoel(QWidget* doel, SleepOver over, SleepLos los) {
        if (!m_doelen.contains(doel))
            connect(doel, &QObject::destroyed, this,
                    [this](QObject* weg) { m_doelen.remove(weg); });
        m_doelen.insert(doel, Handlers{std::move(over), std::move(los)});
    }

    bool isDoel(const QWidget* doel) const { return m_doelen.contains(doel); }

    void begin(QWidget* bron, QPoint startPos, std::function<void()> bijStart,
               SleepEinde bijEinde) {
        if (m_actief || !bron)
            return;
        m_actief = true;
        m_bron = bron;
        // A control that goes while it is dragged ends its drag, as Escape does.
        m_bronWeg = connect(bron, &QObject::destroyed, this, [this] { annuleer(); });
        m_venster = bron->window();
        m_einde = std::move(bijEinde);
        m_doel = nullptr;
        m_accepteert = false;
        qApp->installEventFilter(this);
        // Capture the mouse and the keyboard, so that moves outside the
        // window, the release that drops and Escape all reach the drag.
        if (m_venster && kanVangen()) {
            m_venster->grabMouse();
            m_venster->grabKeyboard();
        }
        QGuiApplication::setOverrideCursor(QCursor(Qt::ForbiddenCursor));
        if (bijStart)
            bijStart();
        if (m_actief)
            beweeg(startPos);
    }

    bool actief() const { return m_actief; }
    QWidget* bron() const { return m_actief ? m_bron.data() : nullptr; }

    void annuleer() {
        if (m_actief)
            eindig(false, m_laatste);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (!m_actief)
            return QObject::eventFilter(watched, e);
        switch (e->type()) {
        case QEvent::MouseMove:
            beweeg(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::MouseButtonRelease: {
            // Any button dropped, as a release of the button that started the drag does.
            const QPoint pos = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
            beweeg(pos);
            if (m_actief)
                eindig(true, m_laatste);
            return true;
        }
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
                eindig(false, m_laatste);
            return true;
        case QEvent::KeyRelease:
            return true;
        case QEvent::ShortcutOverride:
            // No menu shortcut fires in the middle of a drag.
            e->accept();
            return true;
        default:
            return QObject::eventFilter(watched, e);
        }
    }

private:
    // Window systems without a pointer of their own (offscreen, minimal)
    // have nothing to capture: every event reaches the drag through its
    // event filter anyway.
    static bool kanVangen() {
        const QString naam = QGuiApplication::platformName();
        return naam != QLatin1String("offscreen") && naam != QLatin1String("minimal");
    }

    // The deepest visible, enabled control under the screen position p that
    // takes mouse input, searched from the top of the stacking order down.
    // A disabled control is passed over as if it were not there, so a module
    // being dragged never stands in the way of its own drop.
    static QWidget* zoekIn(QWidget* w, QPoint p) {
        const QObjectList& kinderen = w->children();
        for (auto it = kinderen.rbegin(); it != kinderen.rend(); ++it) {
            auto* kind = qobject_cast<QWidget*>(*it);
            if (!kind || kind->isWindow() || kind->isHidden() || !kind->isEnabled() ||
                kind->testAttribute(Qt::WA_TransparentForMouseEvents))
                continue;
            if (!kind->geometry().contains(w->mapFromGlobal(p)))
                continue;
            return zoekIn(kind, p);
        }
        return w;
    }

    QWidget* zoekDoel(QPoint p) const {
        if (!m_venster || !m_venster->isVisible())
            return nullptr;
        if (!m_venster->rect().contains(m_venster->mapFromGlobal(p)))
            return nullptr;
        return zoekIn(m_venster, p);
    }

    bool vraag(QWidget* doel, SleepToestand toestand, QPoint p) {
        const auto it = m_doelen.constFind(doel);
        if (it == m_doelen.constEnd() || !it->over)
            return false;
        const SleepOver over = it->over; // the handler may change the table
        return over(doel, m_bron.data(), doel->mapFromGlobal(p), toestand);
    }

    void beweeg(QPoint p) {
        const QPoint binnen = clampToConfinement(p);
        if (binnen != p)
            setCursorPos(binnen);
        m_laatste = binnen;
        QWidget* nieuw = zoekDoel(binnen);
        bool accepteert = false;
        if (nieuw != m_doel) {
            if (m_doel)
                vraag(m_doel, SleepToestand::Verlaten, binnen);
            if (!m_actief)
                return;
            m_doel = nieuw;
            accepteert = nieuw && vraag(nieuw, SleepToestand::Binnen, binnen);
        } else if (nieuw) {
            accepteert = vraag(nieuw, SleepToestand::Bewegen, binnen);
        }
        if (!m_actief)
            return;
        if (accepteert != m_accepteert || QGuiApplication::overrideCursor() == nullptr) {
            m_accepteert = accepteert;
            QGuiApplication::changeOverrideCursor(
                QCursor(accepteert ? Qt::DragMoveCursor : Qt::ForbiddenCursor));
        }
    }

    void eindig(bool loslaten, QPoint p) {
        // The capture ends first, so that whatever the handlers do (a
        // message box, a new drag) runs in the normal state.
        m_actief = false;
        disconnect(m_bronWeg);
        qApp->removeEventFilter(this);
        if (m_venster && kanVangen()) {
            m_venster->releaseKeyboard();
            m_venster->releaseMouse();
        }
        QGuiApplication::restoreOverrideCursor();

        QPointer<QWidget> doel = m_doel;
        m_doel = nullptr;
        QWidget* genomen = nullptr;
        QPoint lokaal = p;
        if (doel) {
            // The control under the pointer hears that the drag leaves it;
            // its answer decides whether it takes the drop.
            const bool accepteert = vraag(doel, SleepToestand::Verlaten, p);
            if (accepteert && loslaten && doel) {
                lokaal = doel->mapFromGlobal(p);
                const auto it = m_doelen.constFind(static_cast<QObject*>(doel.data()));
                if (it != m_doelen.constEnd() && it->los) {
                    const SleepLos los = it->los;
                    los(doel, m_bron.data(), lokaal);
                }
                genomen = doel.data();
            }
        }
        SleepEinde einde = std::move(m_einde);
        m_einde = nullptr;
        m_bron = nullptr;
        m_venster = nullptr;
        if (einde)
            einde(genomen, genomen ? lokaal : p);
    }

    // Keyed by the control as a QObject: the entry is removed from
    // QObject::destroyed, when the control is no longer a QWidget.
    QHash<const QObject*, Handlers> m_doelen;
    bool m_actief = false;
    QPointer<QWidget> m_bron;
    QPointer<QWidget> m_venster;
    QPointer<QWidget> m_doel;
    bool m_accepteert = false;
    QPoint m_laatste;
    SleepEinde m_einde;
    QMetaObject::Connection m_bronWeg;
};

} // namespace

void zetSleepDoel(QWidget* doel, SleepOver over, SleepLos los) {
    if (doel)
        SleepBeheer::instantie().zetDoel(doel, std::move(over), std::move(los));
}

bool isSleepDoel(const QWidget* doel) {
    return SleepBeheer::instantie().isDoel(doel);
}

void beginSlepen(QWidget* bron, QPoint startPos, std::function<void()> bijStart,
                 SleepEinde bijEinde) {
    SleepBeheer::instantie().begin(bron, startPos, std::move(bijStart), std::move(bijEinde));
}

bool sleeptNu() {
    return SleepBeheer::instantie().actief();
}

QWidget* sleepBron() {
    return SleepBeheer::instantie().bron();
}

void annuleerSlepen() {
    SleepBeheer::instantie().annuleer();
}

} // namespace platform
