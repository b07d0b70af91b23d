// The recovery file: while the board differs from what was last opened or
// saved, its text (exactly what "Opslaan als" would write) is kept in a file
// of this running program in the user's own data folder, so that a board is
// not lost when the program is closed without saving, killed, or the machine
// loses power. At the next start the newest file of a program that no longer
// runs is offered back.
//
// Only the interactive window makes one; the teachers' modes never read or
// write recovery files.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>

class QLockFile;
class TfKwintelvlak;

class THerstelBestand : public QObject {
    Q_OBJECT
public:
    // Writes follow a change after this long, off the clock's path; changes
    // in between are written together.
    static constexpr int kVertragingMs = 600;
    // Files of programs gone this long are thrown away unasked.
    static constexpr int kMaxOuderdomDagen = 30;

    // map: the folder for the files; empty means "herstel" in the user's
    // own data folder. A folder that cannot be used leaves the program
    // working without recovery, with one line on standard error.
    explicit THerstelBestand(TfKwintelvlak& form, const QString& map = {});
    // The file stays (a close without saving); only the lock goes.
    ~THerstelBestand() override;

    bool werkt() const { return m_werkt; }
    // This program's recovery file, whether or not it exists now.
    const QString& pad() const { return m_pad; }
    const QString& map() const { return m_map; }

    // After start-up: asks whether to bring back the newest board that a
    // program no longer running left unsaved, and discards files older than
    // kMaxOuderdomDagen. Ja opens it as an undoable step; Nee discards it.
    void biedAan();

    // The question, with the file's date in Dutch.
    static QString vraag(const QDateTime& gewijzigd);

    // Writes the file, or removes it when the board equals what was last
    // opened or saved. The text is taken now; the disk is left to a thread
    // of its own, so a slow disk never holds up the clock.
    void werkBij();
    // Waits until the thread has done everything asked of it so far.
    void wachtOpSchijf();

private:
    void geefOp(const QString& reden);
    void planIn();
    // Runs a job on the disk thread, after those asked before it.
    void opSchijf(std::function<void()> taak);

    TfKwintelvlak& m_form;
    QString m_map;
    QString m_pad;
    std::unique_ptr<QLockFile> m_slot;
    QTimer m_timer;
    QThread m_schijf;
    QObject* m_schijfWerker = nullptr; // lives in m_schijf
    QByteArray m_geschreven;           // what the file holds; empty while there is none
    bool m_werkt = false;
    bool m_schrijfFoutGemeld = false;
};
