// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The common base of every module on the board: a raised panel that knows
// its kind and its number among the modules of that kind, takes hold of the
// module on a left press and opens the context menu on a right release.
#pragma once

#include "app/modulesoort.h"
#include "modules/bordversie.h"
#include "modules/kleuren.h"

#include <QFrame>
#include <vector>

class TfKwintelvlak;
class TIngang;
class TUitgang;
class TSchakelaar;
class TAfbeelding;
class TBevel;
class TRegelaar;
class TKommaRegelaar;
class QLabel;

class TModule : public QFrame {
    Q_OBJECT
public:
    // The owner is the main window; the board becomes the parent when the
    // module is placed (maakModule).
    explicit TModule(TfKwintelvlak* owner);
    ~TModule() override;

    TfKwintelvlak* eigenaar() const { return m_eigenaar; }

    // Which kind this module is (owned by the catalogue) and its number among
    // the modules of that kind on the board, 1..n without gaps.
    PModuleSoort moduleSoort = nullptr;
    BewaakteInt nummer = 0;

    // Makes a passive part (label, picture, lamp, shape, static text) part of
    // the module: pressing on it takes hold of the module, a right release on
    // it opens the module's context menu.
    void koppelAanModule(QWidget* child);

    // Mouse handlers of the panel and its passive parts; pos is in sender's
    // coordinates.
    void moduleMuisNeer(QWidget* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                        QPoint pos);
    void moduleMuisOp(QWidget* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                      QPoint pos);

    // Takes the module off the board: cuts the wires into it, removes it from
    // the module list and closes the gap in its kind's numbering, with the
    // clock held. The caller frees the module.
    void verwijderUitBord();

    // The module's terminals in their numbering order: inputs by index (from
    // 1), outputs in output order. Filled by the kinds as they build them.
    const std::vector<TIngang*>& ingangenLijst() const { return m_ingangen; }
    const std::vector<TUitgang*>& uitgangenLijst() const { return m_uitgangen; }

protected:
    // Construction steps shared by every kind; each part gets the module as
    // parent, terminals are numbered in the order they are made.
    TIngang* maakIngang(int x, int y, int index, Kleurpaar paar);
    TUitgang* maakUitgang(int x, int y, Kleurpaar paar);
    // A bold, centred name; "\n" splits it over two lines.
    QLabel* maakNaamLabel(int x, int y, int w, int h, const QString& naam);
    // A plain label that sizes itself to its text.
    QLabel* maakLabel(int x, int y, const QString& tekst);
    // A plain label of a fixed size.
    QLabel* maakLabel(int x, int y, int w, int h, const QString& tekst, Qt::Alignment uitlijning);
    // A copy of one of the main window's pictures, white shown transparent.
    TAfbeelding* maakAfbeelding(int x, int y, const QImage& beeld);
    TSchakelaar* maakSchakelaar(int x, int y);
    TBevel* maakBevel(int x, int y, int w, int h);
    // Setting controls: the range is written first, then the value.
    TRegelaar* maakRegelaar(int x, int y, int min, int max, int waarde);
    TKommaRegelaar* maakKommaRegelaar(int x, int y, int min, int max, int waarde);

    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::vector<TIngang*> m_ingangen;
    std::vector<TUitgang*> m_uitgangen;

private:
    TfKwintelvlak* m_eigenaar;
};
