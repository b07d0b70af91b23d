// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Moving and placing modules: the drag of a module, the rectangle that shows
// where it would land, and the drop that places it, brings it to the front
// and moves it to the end of the module list with its kind renumbered.
#include "app/kwintelvlak.h"

#include "app/bord.h"
#include "editing/draadlaag.h"
#include "editing/geschiedenis.h"
#include "modules/module.h"
#include "platform/platform.h"

#include <QPointer>
#include <QScrollArea>
#include <algorithm>

namespace {
// Runs its action when it goes out of scope, however the scope is left.
template <class F> class Altijd {
public:
    explicit Altijd(F f) : m_f(std::move(f)) {}
    ~Altijd() { m_f(); }
    Altijd(const Altijd&) = delete;
    Altijd& operator=(const Altijd&) = delete;

private:
    F m_f;
};
} // namespace

void TfKwintelvlak::maakBordSleepDoel(QWidget* w) {
    platform::zetSleepDoel(
        w,
        [this](QWidget* sender, QObject* bron, QPoint pos, platform::SleepToestand toestand) {
            return FormDragOver(sender, bron, pos, toestand);
        },
        [this](QWidget* sender, QObject* bron, QPoint pos) { FormDragDrop(sender, bron, pos); });
}

void TfKwintelvlak::beginModuleSlepen(TModule* module, QPoint startPos) {
    // The module is watched as a widget: while it is being freed it is no
    // longer a module, and is only compared, never converted.
    QPointer<QWidget> m = module;
    platform::beginSlepen(
        module, startPos,
        [this, m, module] {
            if (m)
                moduleStartDrag(module);
        },
        [this, m, module](QWidget* doel, QPoint pos) {
            if (m)
                moduleEndDrag(module, doel, pos);
        });
}

void TfKwintelvlak::moduleStartDrag(TModule* sender) {
    // The module's top-left corner can go no further up or left than the
    // visible board; its right and bottom may go beyond it.
    const QPoint o = scrollBox->mapToGlobal(QPoint(0, 0));
    const QRect gebied(o + grijpPunt, o + QPoint(scrollBox->width() - 1, scrollBox->height() - 1));
    platform::confineCursor(gebied);
    sender->setEnabled(false);
}

void TfKwintelvlak::moduleEndDrag(TModule* sender, QWidget* target, QPoint) {
    platform::freeCursor();
    // A module freed while it is dragged ends its drag on the way out; it
    // has already left the board's list and is not touched again.
    const bool opBord = std::find(modules.begin(), modules.end(), sender) != modules.end();
    if (!opBord) {
        clearFocusRect();
        return;
    }
    sender->setEnabled(true);
    // A module taken from a menu that was never placed does not stay on the
    // board hidden and simulating: it goes again, and with it the menu item
    // of a buzzer or sound sensor comes back.
    if (sender == m_nieuweModule) {
        m_nieuweModule = nullptr;
        if (!target) {
            moduleVerwijderen(sender);
            miVernieuwenClick();
        }
    }
}

QPoint TfKwintelvlak::naarBord(QWidget* sender, QPoint pos) const {
    return sender == bord ? pos : bord->mapFromGlobal(sender->mapToGlobal(pos));
}

bool TfKwintelvlak::FormDragOver(QWidget* sender, QObject* source, QPoint pos,
                                 platform::SleepToestand state) {
    // Only modules are dropped on the board: a dragged terminal or the logo
    // is refused wherever it goes.
    auto* module = qobject_cast<TModule*>(source);
    if (!module)
        return false;
    if (state != platform::SleepToestand::Binnen)
        clearFocusRect();
    if (state != platform::SleepToestand::Verlaten) {
        const QPoint p = naarBord(sender, pos);
        const int links = p.x() - grijpPunt.x();
        const int boven = p.y() - grijpPunt.y();
        QRect r;
        r.setCoords(links, boven, links + module->width(), boven + module->height());
        paintFocusRect(r);
    }
    return true;
}

void TfKwintelvlak::FormDragDrop(QWidget* sender, QObject* source, QPoint pos) {
    auto* module = qobject_cast<TModule*>(source);
    if (!module)
        return; // a terminal's drop is made by the end of its own drag
    const int oudePlek = zoekModuleIndex(module);
    const QPoint oudePositie = module->pos();
    const TBordBeeld voor = m_geschiedenis->beeld();
    module->hide();
    {
        // However placing goes, the module is never left hidden.
        Altijd toon([module] { module->show(); });
        const QPoint p = naarBord(sender, pos);
        module->raise();
        module->move(p.x() - grijpPunt.x(), p.y() - grijpPunt.y());
    }

    // To the end of the list, past each later module in turn; a module of
    // the same kind exchanges numbers with it, the wires into both following
    // (the first parked on a number no module has while the other takes its
    // number).
    const int soort = module->moduleSoort->soort;
    size_t i = static_cast<size_t>(zoekModuleIndex(module));
    while (i + 1 < modules.size()) {
        TModule* q = modules[i + 1];
        if (q->moduleSoort->soort == soort) {
            const int a = q->nummer;
            const int b = module->nummer;
            vervangVerbindingMetModule(q, GEEN);
            q->nummer = GEEN;
            vervangVerbindingMetModule(module, a);
            module->nummer = a;
            vervangVerbindingMetModule(q, b);
            q->nummer = b;
        }
        modules.wissel(i, i + 1);
        ++i;
    }
    clearFocusRect();
    if (module == m_nieuweModule)
        m_geschiedenis->geplaatst(voor);
    else
        m_geschiedenis->verplaatst(voor, oudePlek, oudePositie);
    miVernieuwenClick();
}

void TfKwintelvlak::paintFocusRect(const QRect& r) {
    if (r.left() == GEEN)
        return;
    focusRect = r;
    draadLaag->toonRechthoek(r);
}

void TfKwintelvlak::clearFocusRect() {
    if (focusRect.left() == GEEN)
        return;
    const QRect oud = focusRect;
    focusRect = QRect(QPoint(GEEN, GEEN), QPoint(GEEN, GEEN));
    draadLaag->wisRechthoek(oud);
}
