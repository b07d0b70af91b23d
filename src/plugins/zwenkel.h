// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The plug-in module: a panel whose terminals a plug-in library describes,
// whose face the library may draw through the panel's native window, and
// whose outputs the library computes.
#pragma once

#include "modules/module.h"
#include "plugins/kwintel_plugin.h"

#include <QByteArray>
#include <QString>

class TZwenkelMod : public TModule {
    Q_OBJECT
public:
    // Builds the module of a plug-in kind: looks up the library's exports,
    // puts the panel on the board, asks "create" for the descriptor and lays
    // the terminals out as it says. A descriptor that cannot be honoured is
    // handed back to "destroy" at once; weigering() then says why.
    TZwenkelMod(TfKwintelvlak* owner, PModuleSoort entry);
    ~TZwenkelMod() override;

    // The library's descriptor for this module, from "create" until
    // "destroy"; nullptr for a refused module.
    TZwenkelBeschrijving* beschrijving = nullptr;

    kwintel_create_fn createProc = nullptr;
    kwintel_action_fn actionProc = nullptr;
    kwintel_ongebruikt_fn showProc = nullptr;
    kwintel_ongebruikt_fn hideProc = nullptr;
    kwintel_open_fn openProc = nullptr;
    kwintel_save_fn saveProc = nullptr;
    kwintel_ongebruikt_fn openSceneProc = nullptr;
    kwintel_ongebruikt_fn saveSceneProc = nullptr;
    kwintel_destroy_fn destroyProc = nullptr;

    // Empty for a module that can stand on the board; otherwise the Dutch
    // message that tells the user why it was refused.
    const QString& weigering() const { return m_weigering; }

    // The module's setting as the board file stores it: what "save" wrote,
    // as many characters as it returned (clipped to 0..256), cut at the
    // first character that would end the field or the line.
    QByteArray bewaar() const;
    // Hands a stored setting to "open".
    void herstel(const QByteArray& tekst);

    // Most inputs a descriptor may ask for: more than ever fit on a board,
    // few enough that building them cannot make the program seem to hang.
    static constexpr int kMaxIngangen = 100;
    // Panel sizes are kept within this many pixels.
    static constexpr int kMaxAfmeting = 2000;

    // Whether the library paints the panel's face itself: on a window
    // system whose handle it can draw into. Qt then never paints the panel;
    // the board's terminals have windows of their own on top of the face.
    bool tekentZelf() const { return m_tekentZelf; }

protected:
    QPaintEngine* paintEngine() const override;
    void paintEvent(QPaintEvent* e) override;

private:
    void weiger(const QString& reden);
    // Width and output positions from the descriptor's width and the counts.
    void indelen(const TZwenkelBeschrijving& d);
    QString m_weigering;
    bool m_tekentZelf = false;
};

// The factory's builder for kind 20: the module, or nullptr for an entry
// without a library. A refused descriptor is reported to the user and throws
// TModuleGeweigerd, so that no second message follows.
TModule* maakZwenkelMod(TfKwintelvlak* owner, PModuleSoort entry);

// A text as one line on standard error or in a check's output shows it:
// control characters (a CR in a file name), the backslash and the double
// quote escaped as in C.
QString zwenkelLeesbaar(const QString& tekst);
