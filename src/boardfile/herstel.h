// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The recovery files: while a board differs from what was last opened or
// saved, its text (exactly what "Opslaan als" would write) is kept in a file
// of this running program in the user's own data folder, so that a board is
// not lost when the program is closed without saving, killed, or the machine
// loses power, nor when another board takes its place in the window. At the
// next start every board that a program no longer running left unsaved is
// offered back.
//
// The folder holds, per running program, one lock and per unsaved board one
// file (with a second small file naming where the board came from, when it
// came from a file):
//   herstel-<host>-<pid>-<start>.lock
//   herstel-<host>-<pid>-<start>_<board number>.brd
//   herstel-<host>-<pid>-<start>_<board number>.herkomst
// The host in the name keeps two computers that share a home folder from
// ever writing each other's files.
//
// Only the interactive window makes them; the teachers' modes never read or
// write recovery files.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>

class QLockFile;
class TfKwintelvlak;
struct TBordStand;

class THerstelBestand : public QObject {
    Q_OBJECT
public:
    // Writes follow a change after this long, off the clock's path; changes
    // in between are written together.
    static constexpr int kVertragingMs = 600;
    // Files of programs gone this long are thrown away unasked.
    static constexpr int kMaxOuderdomDagen = 30;
    // Whether a program on another computer still runs cannot be checked
    // from here. Its lock counts as left behind once neither the lock nor
    // any of its boards has changed for this long, so that a pupil who moves
    // to another computer gets the board there.
    static constexpr int kVreemdSlotMinuten = 60;

    // map: the folder for the files; empty means "herstel" in the user's
    // own data folder. A folder that cannot be used leaves the program
    // working without recovery, with one line on standard error.
    explicit THerstelBestand(TfKwintelvlak& form, const QString& map = {});
    // The files stay (a close without saving); only the lock goes.
    ~THerstelBestand() override;

    bool werkt() const { return m_werkt; }
    // The recovery file of the board in the window, whether or not it
    // exists now.
    QString pad() const;
    // That of any board of this program, by its number.
    QString padVoor(quint64 nummer) const;
    // This program's lock.
    QString slotPad() const;
    const QString& map() const { return m_map; }

    // After start-up: offers, newest first and one question each, every
    // board that a program no longer running left unsaved, and cleans the
    // folder: files older than kMaxOuderdomDagen and the locks of programs
    // that have gone leave unasked. Ja opens a board as an undoable step;
    // Nee discards it.
    void biedAan();

    // A board left behind, as the question names it.
    struct TAchtergelaten {
        QDateTime gewijzigd;
        QString bestand; // where it came from; empty when not from a file
        int modules = 0;
    };
    // The question for board `volgnummer` of `aantal`, with its date in
    // Dutch.
    static QString vraag(const TAchtergelaten& bord, int volgnummer = 1, int aantal = 1);
    // How the board's own messages name it when it is brought back.
    static QString omschrijving(const TAchtergelaten& bord);

    // Writes the file of the board in the window, or removes it when the
    // board equals what was last opened or saved. The text is taken now;
    // the disk is left to a thread of its own, so a slow disk never holds
    // up the clock.
    void werkBij();
    // Waits until the thread has done everything asked of it so far.
    void wachtOpSchijf();

private:
    struct TInhoud {
        QByteArray tekst;
        QString bestand;
    };

    void geefOp(const QString& reden);
    void planIn();
    void bordWeg(const TBordStand& weg, const QByteArray& tekst);
    // Keeps or drops the file of board `nummer`.
    void bewaar(quint64 nummer, const QByteArray& tekst, const QString& bestand);
    void gooiWeg(quint64 nummer);
    // Runs a job on the disk thread, after those asked before it.
    void opSchijf(std::function<void()> taak);

    TfKwintelvlak& m_form;
    QString m_map;
    QString m_basis; // the folder and this program's part of the names
    std::unique_ptr<QLockFile> m_slot;
    QTimer m_timer;
    QThread m_schijf;
    QObject* m_schijfWerker = nullptr; // lives in m_schijf
    // What each of this program's files holds; a board without an entry
    // has no file.
    QHash<quint64, TInhoud> m_geschreven;
    bool m_werkt = false;
    bool m_schrijfFoutGemeld = false;
};
