// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Shared helpers for the tests: a started main window, a catcher for modal
// message boxes, and a stand-in module for the base's behaviour.
#pragma once

#include "app/kwintelvlak.h"
#include "modules/module.h"

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

class QLabel;

namespace kwinteltest {

// Sets the process up as the program does (decimal comma, font).
void initProces();

// What a modal message box showed before the test closed it.
struct Bericht {
    bool getoond = false;
    QString titel;
    QString tekst;
    QMessageBox::Icon icoon = QMessageBox::NoIcon;
    QWidget* eigenaar = nullptr;
    QStringList knoppen;
};

// Runs action; every modal message box it opens is read and closed with its
// first button. Returns what the first box showed.
Bericht vangBericht(const std::function<void()>& action);

// While it lives, calls bijTonen for every window that is shown (a dialog or
// a message box the moment it comes up, before anyone can answer it) and
// bijVerbergen for every window hidden, so tests react to the window itself
// instead of polling for it.
class BijTonen : public QObject {
public:
    explicit BijTonen(std::function<void(QWidget*)> bijTonen,
                      std::function<void(QWidget*)> bijVerbergen = {});
    ~BijTonen() override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    std::function<void(QWidget*)> m_bijTonen;
    std::function<void(QWidget*)> m_bijVerbergen;
};

// How long a test waits at most for a window it needs: long enough for a
// machine under heavy load, so that only a real hang ends the wait.
inline constexpr int kWachtMs = 20000;

// The catalogue entry at a catalogue position.
PModuleSoort entry(TfKwintelvlak& form, int positie);

// A module standing in for a real kind: one passive name label, one picture,
// a bevel, inputs and outputs as asked.
class TestModule : public TModule {
    Q_OBJECT
public:
    TestModule(TfKwintelvlak* owner, int ingangen, int uitgangen);
    QLabel* lNaam = nullptr;
    TAfbeelding* iSymbool = nullptr;
    TBevel* bLijn = nullptr;
};

// Places a stand-in module of the given catalogue entry on the board.
TestModule* plaatsTestModule(TfKwintelvlak& form, PModuleSoort entry, int ingangen = 1,
                             int uitgangen = 1, int top = 0, int left = 0);

// Takes a module from a menu item and drops it on the board with its
// top-left corner at bordPos, as a user does with the mouse. The window is
// shown first if it is not. Returns the new module.
TModule* neemUitMenu(TfKwintelvlak& form, QAction* item, QPoint bordPos);

// Wires output `uitgang` (from 1) of `van` to input `ingang` of `naar`.
void verbind(TModule* van, int uitgang, const TModule* naar, int ingang);

} // namespace kwinteltest
