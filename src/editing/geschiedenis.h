// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The board's edit history: every edit of the board (placing, moving and
// removing a module, making, re-aiming and cutting wires, a setting changed
// through its control, the two options, and replacing the whole board) is one
// step on a bounded undo stack, with "Ongedaan maken" and "Opnieuw" in the
// "Bewerken" menu. Owned by the main window.
//
// Steps name modules by their place in the module list: every step puts the
// list back exactly as it found it (order, numbers, wires), so a place stays
// valid for the steps beneath it. Only the steps that replace the whole board
// rebuild it from its text; the others touch only the modules they change.
#pragma once

#include "app/modulesoort.h"

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QUndoStack>
#include <array>
#include <memory>
#include <vector>

class TfKwintelvlak;
class TModule;
class QAction;

// One output's wire: doelSoort, doelNummer, doelIngang.
using TDraad = std::array<int, 3>;

// A module's number and the wires of its outputs, in output order.
struct TModuleWaarden {
    int nummer = 0;
    int aantal = 0;
    std::array<TDraad, 10> draden{};
    bool operator==(const TModuleWaarden&) const = default;
};

// Numbers and wires of every module on the board, in list order.
struct TBordBeeld {
    std::vector<TModule*> modules;
    std::vector<TModuleWaarden> waarden;
};

// A module whose number or wires an edit changed, with its place in the list
// before and after the edit.
struct TWaardenWijziging {
    int voorPlek = 0;
    int naPlek = 0;
    TModuleWaarden voor;
    TModuleWaarden na;
};

// What it takes to build a module again as it stood.
struct TModuleRecept {
    PModuleSoort soort = nullptr;
    QPoint plek;
    bool heeftRegelaar = false;
    QString regelaarTekst;   // the setting control's text, exactly
    QByteArray zwenkelTekst; // a plug-in module's stored setting
    TModuleWaarden waarden;
};

// What the window knows of the board it shows besides its modules. Every
// board put in the window by a command (Nieuw, Openen, a standard board, a
// recovered board) is a board of its own with a number of its own; undoing
// that command puts the board before it, with its number, back in the window.
struct TBordStand {
    quint64 nummer = 0;
    // The text as last opened or saved: while the board equals it there is
    // nothing to lose. Empty for a recovered board, which has never been
    // saved in this program.
    QByteArray geopend;
    // The file it was opened from or last saved as; empty for a new board and
    // a standard board.
    QString bestand;
    // The save dialog starts at `bestand` (a recovered board, until saved).
    bool bestandVoorstellen = false;
};

class TGeschiedenis : public QObject {
    Q_OBJECT
public:
    // A long lesson does not grow memory without end.
    static constexpr int kMaxStappen = 200;

    // The window's menus must exist: the "Bewerken" items and the two
    // options are connected here.
    explicit TGeschiedenis(TfKwintelvlak& form);
    ~TGeschiedenis() override;

    QUndoStack& stapel() { return m_stapel; }
    const QUndoStack& stapel() const { return m_stapel; }
    void ongedaanMaken();
    void opnieuw();

    // ---- Recording; the window calls these around its edits -------------------
    TBordBeeld beeld() const;
    // The module taken from a menu has been dropped; it is the last module.
    void geplaatst(const TBordBeeld& voor);
    // A module that stood at oudePlek in the list, at oudePositie on the
    // board, has been dropped; it is now the last module.
    void verplaatst(const TBordBeeld& voor, int oudePlek, QPoint oudePositie);
    // Removes a module from the board as one step.
    void verwijder(TModule* module);
    // Wires have changed since `voor`; nothing is recorded when none did.
    void dradenGewijzigd(const TBordBeeld& voor, const QString& tekst);
    // The whole board has been replaced (Nieuw, Openen, a standard board, a
    // recovered board); `voor` is the text of the board that was there.
    // bestand: the file the new board was read from, if it is the pupil's
    // own. A recovered board (teruggehaald) counts as never saved, and the
    // save dialog offers its file.
    void bordVervangen(const QByteArray& voor, const QString& tekst, const QString& bestand = {},
                       bool teruggehaald = false);
    // The board has been saved as it stands, as `bestand`.
    void opgeslagen(const QString& bestand);
    // The board in the window has just been opened from `bestand` without a
    // step (the board named on the command line).
    void geopend(const QString& bestand);

    const TBordStand& stand() const { return *m_stand; }
    // The text of the board as it was last opened or saved: while the board
    // equals it there is nothing to lose.
    const QByteArray& geopendeTekst() const { return m_stand->geopend; }
    void zetGeopendeTekst(const QByteArray& tekst) { m_stand->geopend = tekst; }

    // ---- Used by the steps ----------------------------------------------------------
    TfKwintelvlak& form() const { return m_form; }
    TModuleRecept recept(const TModule* module) const;
    // Builds a module from its recipe at the end of the list; null if it
    // could not be built (the history is then dropped).
    TModule* bouw(const TModuleRecept& recept);
    // Moves the module at list place `van` to place `naar`, the others
    // keeping their order, and stacks it on the board to match.
    void schuif(int van, int naar);
    // Sets numbers and wires as they were before (naarVoor) or after a step.
    void zetWaarden(const std::vector<TWaardenWijziging>& w, bool naarVoor);
    static std::vector<TWaardenWijziging> verschil(const TBordBeeld& voor, const TBordBeeld& na);
    // Sets a module's setting control without recording it.
    void zetRegelaarTekst(TModule* module, const QString& tekst);
    // Runs a step's change with recording off and the clock held, then
    // refreshes the window.
    template <class F> void voerUit(F f);
    // A step could not be carried out: the history is dropped afterwards.
    void geschiedenisKapot();
    // Builds the board from `tekst` (a step that replaces the whole board)
    // and makes `stand` the board in the window.
    void wisselBord(const QByteArray& tekst, const QString& naam,
                    std::shared_ptr<TBordStand> stand);

signals:
    // After every step done, undone or redone.
    void gewijzigd();
    // After the board was saved.
    void bewaard();
    // Another board has taken the window's place: `weg` is the board that
    // left, `wegTekst` its text when it left. Emitted once stand() is the
    // new board.
    void bordGewisseld(const TBordStand& weg, const QByteArray& wegTekst);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leg(QUndoCommand* stap);
    void volgRegelaars();
    void instellingGewijzigd(TModule* module, const QString& oud, const QString& nieuw);
    void werkMenuBij();

    TfKwintelvlak& m_form;
    QUndoStack m_stapel;
    // Shared with the steps that can bring a board back, so a save counts
    // for every way back to that board.
    std::shared_ptr<TBordStand> m_stand;
    quint64 m_laatsteNummer = 1;
    bool m_bezig = false;
};
