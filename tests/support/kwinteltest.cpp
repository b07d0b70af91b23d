// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "support/kwinteltest.h"

#include "app/bord.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"
#include "platform/bibliotheek.h"
#include "platform/slepen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTimer>

namespace kwinteltest {

void initProces() {
    QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    nl.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(nl);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));
    // Plug-ins only from beside the test program: the computer's and the
    // user's own plug-in folders change no test.
    static const platform::ZwenkelMapVoorTest alleenNaastDeTest(
        QCoreApplication::applicationDirPath());
}

Bericht vangBericht(const std::function<void()>& action) {
    Bericht eerste;
    QTimer poller;
    poller.setInterval(5);
    QObject::connect(&poller, &QTimer::timeout, [&eerste] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (!eerste.getoond) {
            eerste.getoond = true;
            eerste.titel = box->windowTitle();
            eerste.tekst = box->text();
            eerste.icoon = box->icon();
            eerste.eigenaar = box->parentWidget();
            for (QAbstractButton* b : box->buttons())
                eerste.knoppen << b->text();
        }
        box->buttons().value(0)->click();
    });
    poller.start();
    action();
    poller.stop();
    return eerste;
}

BijTonen::BijTonen(std::function<void(QWidget*)> bijTonen,
                   std::function<void(QWidget*)> bijVerbergen)
    : m_bijTonen(std::move(bijTonen)), m_bijVerbergen(std::move(bijVerbergen)) {
    qApp->installEventFilter(this);
}

BijTonen::~BijTonen() {
    qApp->removeEventFilter(this);
}

bool BijTonen::eventFilter(QObject* object, QEvent* event) {
    const bool tonen = event->type() == QEvent::Show;
    if ((tonen || event->type() == QEvent::Hide) && object->isWidgetType()) {
        auto* w = static_cast<QWidget*>(object);
        if (w->isWindow() && tonen)
            m_bijTonen(w);
        else if (w->isWindow() && m_bijVerbergen)
            m_bijVerbergen(w);
    }
    return false;
}

PModuleSoort entry(TfKwintelvlak& form, int positie) {
    return form.moduleSoorten.at(static_cast<size_t>(positie)).get();
}

TestModule::TestModule(TfKwintelvlak* owner, int ingangen, int uitgangen) : TModule(owner) {
    resize(168, 64);
    for (int i = 1; i <= ingangen; ++i)
        maakIngang(8, 24 * i - 16, i, kleurparen::logica);
    for (int i = 1; i <= uitgangen; ++i)
        maakUitgang(144, 24 * i - 16, kleurparen::logica);
    QImage beeld(20, 10, QImage::Format_RGB32);
    beeld.fill(Qt::black);
    iSymbool = maakAfbeelding(60, 8, beeld);
    bLijn = maakBevel(60, 30, 40, 9);
    lNaam = maakNaamLabel(8, 47, 152, 16, QStringLiteral("Test"));
}

TestModule* plaatsTestModule(TfKwintelvlak& form, PModuleSoort entry, int ingangen, int uitgangen,
                             int top, int left) {
    auto* m = new TestModule(&form, ingangen, uitgangen);
    form.plaatsModule(m, entry, top, left);
    return m;
}

TModule* neemUitMenu(TfKwintelvlak& form, QAction* item, QPoint bordPos) {
    if (!form.isVisible()) {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return nullptr;
    }
    item->trigger();
    auto* module = qobject_cast<TModule*>(platform::sleepBron());
    if (!module)
        return nullptr;
    // A module taken from a menu is held at its top-left corner.
    QTest::mouseRelease(form.bord, Qt::LeftButton, {}, bordPos);
    return module;
}

void verbind(TModule* van, int uitgang, const TModule* naar, int ingang) {
    TUitgang* u = van->uitgangenLijst().at(static_cast<size_t>(uitgang - 1));
    u->doelSoort = naar->moduleSoort->soort;
    u->doelNummer = naar->nummer;
    u->doelIngang = ingang;
}

} // namespace kwinteltest
