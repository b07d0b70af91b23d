// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Terminals, the push key and the lamp: the controls that modules are built
// from. A wire is not an object of its own: it is the three numbers in the
// output that feeds it.
#pragma once

#include "modules/bordversie.h"
#include "modules/kleuren.h"
#include "modules/onderdelen.h"

class TModule;

// A 17 x 17 square terminal. Pressing on it belongs to wiring; it never takes
// hold of its module.
class TConnector : public TVorm {
    Q_OBJECT
public:
    explicit TConnector(TModule* owner);

protected:
    // A left press starts a wire at once; a right release cuts the wire here.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TModule* m_owner;
};

class TIngang : public TConnector {
    Q_OBJECT
public:
    explicit TIngang(TModule* owner);

    int index = 0;       // the input's number within its module, from 1
    TColor kleurAan = 0; // fill while the level is high
    TColor kleurUit = 0; // fill while the level is low or nothing feeds it

    // Shows a level: kleurAan from 14 (1,4 V) up, kleurUit below.
    void toonNiveau(int niveau) { setBrushKleur(niveau > 13 ? kleurAan : kleurUit); }
};

class TUitgang : public TConnector {
    Q_OBJECT
public:
    explicit TUitgang(TModule* owner);

    // The wire: kind number, module number and input index of the input this
    // output feeds. Unwired is exactly (-1, 1, 1).
    BewaakteInt doelSoort = -1;
    BewaakteInt doelIngang = 1;
    BewaakteInt doelNummer = 1;
    TColor kleurAan = 0;
    TColor kleurUit = 0;

    bool isVerbonden() const { return doelSoort != -1; }
    void verbreek() {
        doelSoort = -1;
        doelIngang = 1;
        doelNummer = 1;
    }
    // The level last sent on this output, for checks of a board from outside.
    quint8 laatsteNiveau = 0;
    void toonNiveau(int niveau) {
        laatsteNiveau = static_cast<quint8>(niveau);
        setBrushKleur(niveau > 13 ? kleurAan : kleurUit);
    }
};

// The push key: 16 x 16, up or down. A right-button release latches it down
// until it is pressed and released again with the left button.
class TSchakelaar : public TAfbeelding {
    Q_OBJECT
public:
    explicit TSchakelaar(TModule* owner);

    // 0 = up, 1 = held down, 2 = latched down.
    quint8 stand = 0;

    static const QImage& buttonUp();
    static const QImage& buttonDown();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TModule* m_owner;
};

// The lamp: a 17 x 17 circle, maroon while dark.
class TLED : public TVorm {
    Q_OBJECT
public:
    explicit TLED(TModule* owner);
    static constexpr TColor uit = kleuren::kastanje;
    static constexpr TColor aan = kleuren::rood;
};
