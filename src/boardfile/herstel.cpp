// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "boardfile/herstel.h"

#include "app/kwintelvlak.h"
#include "boardfile/bordbestand.h"
#include "editing/geschiedenis.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

constexpr char kVoorvoegsel[] = "herstel-";
constexpr char kBordExtensie[] = ".brd";
constexpr char kHerkomstExtensie[] = ".herkomst";
constexpr char kSlotExtensie[] = ".lock";
// Between a program's part of a name and the board's number.
constexpr QChar kBordScheiding = QLatin1Char('_');

// No board comes near this size; a larger file is read this far.
constexpr qint64 kMaxHerstelGrootte = 1024 * 1024;

void meld(const QString& regel) {
    QTextStream(stderr) << "Kwintelvlak: " << regel << '\n';
}

// Writes a whole file or nothing: the old one is replaced only once the new
// one is complete. The reason on failure.
QString schrijfHeel(const QString& pad, const QByteArray& tekst) {
    QSaveFile bestand(pad);
    if (bestand.open(QIODevice::WriteOnly) && bestand.write(tekst) == tekst.size() &&
        bestand.commit())
        return {};
    return bestand.errorString();
}

// The computer's name as it may stand in a file name on any system.
QString hostInNaam() {
    QString naam = QSysInfo::machineHostName();
    for (QChar& c : naam)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-'))
            c = QLatin1Char('-');
    return naam.isEmpty() ? QStringLiteral("onbekend") : naam;
}

// The program a file of the folder belongs to: its name without extension
// up to the board's number. Earlier versions kept one board per program
// under the same name as the lock ("herstel-<pid>-<start>.brd").
QString programmaVan(const QString& bestandsNaam) {
    const QString basis = bestandsNaam.left(bestandsNaam.indexOf(QLatin1Char('.')));
    const qsizetype scheiding = basis.lastIndexOf(kBordScheiding);
    return scheiding < 0 ? basis : basis.left(scheiding);
}

QString zonderExtensie(const QString& pad) {
    return pad.left(pad.lastIndexOf(QLatin1Char('.')));
}

QString herkomstVoor(const QString& bordPad) {
    return zonderExtensie(bordPad) + QLatin1String(kHerkomstExtensie);
}

QString herstelModulesTekst(int aantal) {
    if (aantal == 0)
        return QStringLiteral("geen modules");
    return aantal == 1 ? QStringLiteral("1 module") : QStringLiteral("%1 modules").arg(aantal);
}

QString herstelWanneer(const QDateTime& gewijzigd) {
    const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    return QStringLiteral("laatst gewijzigd op ") +
           nl.toString(gewijzigd.toLocalTime(), QStringLiteral("d MMMM 'om' HH:mm"));
}

QString herstelBestandTekst(const QString& bestand) {
    return QStringLiteral("bestand \"%1\"").arg(QFileInfo(bestand).fileName());
}

} // namespace

THerstelBestand::THerstelBestand(TfKwintelvlak& form, const QString& map) : m_form(form) {
    m_map = map.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                                QStringLiteral("/herstel")
                          : map;
    m_schijfWerker = new QObject;
    m_schijfWerker->moveToThread(&m_schijf);
    connect(&m_schijf, &QThread::finished, m_schijfWerker, &QObject::deleteLater);
    m_schijf.start(QThread::LowPriority);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kVertragingMs);
    connect(&m_timer, &QTimer::timeout, this, &THerstelBestand::werkBij);

    // What start-up opened is what there is nothing to lose of.
    TGeschiedenis& geschiedenis = m_form.geschiedenis();
    geschiedenis.zetGeopendeTekst(m_form.bordTekst());
    connect(&geschiedenis, &TGeschiedenis::gewijzigd, this, &THerstelBestand::planIn);
    connect(&geschiedenis, &TGeschiedenis::bewaard, this, &THerstelBestand::werkBij);
    connect(&geschiedenis, &TGeschiedenis::bordGewisseld, this, &THerstelBestand::bordWeg);

    if (m_map.isEmpty() || !QDir().mkpath(m_map)) {
        geefOp(QStringLiteral("de map \"%1\" kan niet worden aangemaakt").arg(m_map));
        return;
    }
    // One lock per running program: the computer, the process number and
    // the moment of starting tell two programs apart, and the lock says this
    // one runs. Two windows of one process started in the same millisecond
    // still get a moment each.
    static qint64 vorigMoment = 0;
    vorigMoment = std::max(QDateTime::currentMSecsSinceEpoch(), vorigMoment + 1);
    const QString naam = QLatin1String(kVoorvoegsel) + hostInNaam() + QLatin1Char('-') +
                         QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
                         QString::number(vorigMoment);
    m_basis = QDir(m_map).filePath(naam);
    m_slot = std::make_unique<QLockFile>(slotPad());
    m_slot->setStaleLockTime(0);
    if (!m_slot->tryLock(0)) {
        geefOp(QStringLiteral("in de map \"%1\" kan niet worden geschreven").arg(m_map));
        m_slot.reset();
        return;
    }
    m_werkt = true;
}

THerstelBestand::~THerstelBestand() {
    // A change not yet written is written now; the files stay for the next
    // start.
    if (m_timer.isActive())
        werkBij();
    m_timer.stop();
    // Everything asked of the disk is done before the program goes.
    opSchijf([] { QThread::currentThread()->quit(); });
    m_schijf.wait();
}

QString THerstelBestand::padVoor(quint64 nummer) const {
    return m_basis + kBordScheiding + QString::number(nummer) + QLatin1String(kBordExtensie);
}

QString THerstelBestand::pad() const {
    return padVoor(m_form.geschiedenis().stand().nummer);
}

QString THerstelBestand::slotPad() const {
    return m_basis + QLatin1String(kSlotExtensie);
}

void THerstelBestand::opSchijf(std::function<void()> taak) {
    QMetaObject::invokeMethod(m_schijfWerker, std::move(taak), Qt::QueuedConnection);
}

void THerstelBestand::wachtOpSchijf() {
    QMetaObject::invokeMethod(
        m_schijfWerker, [] {}, Qt::BlockingQueuedConnection);
}

void THerstelBestand::geefOp(const QString& reden) {
    meld(QStringLiteral("zonder herstelbestand verder: %1.").arg(reden));
    m_werkt = false;
}

void THerstelBestand::planIn() {
    // The first change starts the wait; later ones ride along, so a write
    // follows every change within kVertragingMs.
    if (m_werkt && !m_timer.isActive())
        m_timer.start();
}

void THerstelBestand::werkBij() {
    m_timer.stop();
    if (!m_werkt)
        return;
    const TBordStand& stand = m_form.geschiedenis().stand();
    const QByteArray tekst = m_form.bordTekst();
    if (tekst == stand.geopend)
        gooiWeg(stand.nummer);
    else
        bewaar(stand.nummer, tekst, stand.bestand);
}

void THerstelBestand::bordWeg(const TBordStand& weg, const QByteArray& tekst) {
    // A change still waiting was one of the board that left: its text is
    // the one given here.
    m_timer.stop();
    if (!m_werkt)
        return;
    // The board that left keeps its file as long as it holds something
    // unsaved, until the program ends and after; undo may bring it back.
    if (tekst == weg.geopend)
        gooiWeg(weg.nummer);
    else
        bewaar(weg.nummer, tekst, weg.bestand);
    // The board that came in may have a file already (undo brought it
    // back) or need one now (a recovered board).
    werkBij();
}

void THerstelBestand::bewaar(quint64 nummer, const QByteArray& tekst, const QString& bestand) {
    TInhoud& inhoud = m_geschreven[nummer];
    if (inhoud.tekst == tekst && inhoud.bestand == bestand)
        return;
    const bool herkomstOok = inhoud.tekst.isEmpty() || inhoud.bestand != bestand;
    inhoud = {tekst, bestand};
    // Where the board came from is written before the board, so a board's
    // file never names a wrong one. The disk thread is waited for before
    // this object goes.
    opSchijf([this, nummer, pad = padVoor(nummer), tekst, bestand, herkomstOok] {
        QString reden;
        if (herkomstOok && bestand.isEmpty())
            QFile::remove(herkomstVoor(pad));
        else if (herkomstOok)
            reden = schrijfHeel(herkomstVoor(pad), bestand.toUtf8() + '\n');
        if (reden.isEmpty())
            reden = schrijfHeel(pad, tekst);
        if (reden.isEmpty())
            return;
        // Told once; the next change tries again.
        QMetaObject::invokeMethod(this, [this, nummer, pad, reden] {
            m_geschreven.remove(nummer);
            if (!m_schrijfFoutGemeld)
                meld(QStringLiteral("het herstelbestand \"%1\" kan niet worden geschreven: %2")
                         .arg(pad, reden));
            m_schrijfFoutGemeld = true;
        });
    });
}

void THerstelBestand::gooiWeg(quint64 nummer) {
    if (m_geschreven.remove(nummer) == 0)
        return;
    opSchijf([pad = padVoor(nummer)] {
        QFile::remove(pad);
        QFile::remove(herkomstVoor(pad));
    });
}

QString THerstelBestand::vraag(const TAchtergelaten& bord, int volgnummer, int aantal) {
    QString wat =
        herstelWanneer(bord.gewijzigd) + QStringLiteral(", ") + herstelModulesTekst(bord.modules);
    if (!bord.bestand.isEmpty())
        wat += QStringLiteral(", ") + herstelBestandTekst(bord.bestand);
    if (aantal <= 1)
        return QStringLiteral("Er is een bord dat niet was opgeslagen (%1). Wilt u het terughalen?")
            .arg(wat);
    return QStringLiteral("Er zijn %1 borden die niet waren opgeslagen.\nBord %2 van %1: %3.\n"
                          "Wilt u dit bord terughalen?")
        .arg(aantal)
        .arg(volgnummer)
        .arg(wat);
}

QString THerstelBestand::omschrijving(const TAchtergelaten& bord) {
    QString wat = herstelWanneer(bord.gewijzigd);
    if (!bord.bestand.isEmpty())
        wat += QStringLiteral(", ") + herstelBestandTekst(bord.bestand);
    return QStringLiteral("het teruggehaalde bord (%1)").arg(wat);
}

void THerstelBestand::biedAan() {
    if (!m_werkt)
        return;

    // Every file of the folder, by the program it belongs to.
    struct TProgramma {
        QFileInfoList borden;
        QFileInfoList rest; // where boards came from, and what a write left half-done
        QDateTime laatst;   // the last change of any of its files
    };
    QMap<QString, TProgramma> programmas;
    const QString eigen = QFileInfo(m_basis).fileName();
    const QFileInfoList bestanden =
        QDir(m_map).entryInfoList({QLatin1String(kVoorvoegsel) + QLatin1Char('*')}, QDir::Files);
    for (const QFileInfo& info : bestanden) {
        const QString programma = programmaVan(info.fileName());
        if (programma == eigen)
            continue;
        TProgramma& p = programmas[programma];
        if (!p.laatst.isValid() || info.lastModified() > p.laatst)
            p.laatst = info.lastModified();
        if (info.fileName().endsWith(QLatin1String(kBordExtensie)))
            p.borden << info;
        else if (!info.fileName().endsWith(QLatin1String(kSlotExtensie)))
            p.rest << info;
    }

    struct TKandidaat {
        QString pad;
        QByteArray tekst;
        TAchtergelaten bord;
        std::shared_ptr<QLockFile> slot; // the lock goes with the last of its boards
    };
    std::vector<TKandidaat> kandidaten;
    const QDateTime nu = QDateTime::currentDateTime();
    const QDateTime grens = nu.addDays(-kMaxOuderdomDagen);
    // This computer as the locks name it, read back from this program's own
    // lock: Qt writes the name the system keeps for the computer, which on
    // Windows is not the network's host name.
    QString dezeComputer = QSysInfo::machineHostName();
    {
        qint64 eigenPid = 0;
        QString computer, toepassing;
        if (m_slot && m_slot->getLockInfo(&eigenPid, &computer, &toepassing))
            dezeComputer = computer;
    }
    for (auto it = programmas.cbegin(); it != programmas.cend(); ++it) {
        const TProgramma& p = it.value();
        // The files of a program that still runs are that program's; the
        // lock of one that has gone (even by a crash) can be taken over.
        // On this computer that is never judged by age: a lesson runs
        // longer than any fixed time.
        auto slot = std::make_shared<QLockFile>(QDir(m_map).filePath(it.key()) +
                                                QLatin1String(kSlotExtensie));
        slot->setStaleLockTime(0);
        if (!slot->tryLock(0)) {
            if (slot->error() != QLockFile::LockFailedError)
                continue;
            qint64 pid = 0;
            QString computer, toepassing;
            const bool gelezen = slot->getLockInfo(&pid, &computer, &toepassing);
            if (gelezen && (computer.isEmpty() || computer == dezeComputer))
                continue;
            // Another computer's, or a lock that cannot be read: gone once
            // nothing of it has changed for a while.
            if (p.laatst > nu.addSecs(-60 * kVreemdSlotMinuten))
                continue;
            if (!slot->removeStaleLockFile() || !slot->tryLock(0))
                continue;
        }
        QStringList weg;
        for (const QFileInfo& info : p.borden) {
            const QString pad = info.absoluteFilePath();
            if (info.lastModified() < grens) {
                weg << pad << herkomstVoor(pad);
                continue;
            }
            QFile bestand(pad);
            if (!bestand.open(QIODevice::ReadOnly))
                continue; // not readable now; asked again next time
            TKandidaat k{pad, bestand.read(kMaxHerstelGrootte), {info.lastModified(), {}, 0}, slot};
            QFile herkomst(herkomstVoor(pad));
            if (herkomst.open(QIODevice::ReadOnly))
                k.bord.bestand = QString::fromUtf8(herkomst.readLine(4096)).trimmed();
            const std::vector<QByteArrayView> regels = bordbestand::regels(k.tekst);
            for (size_t r = 1; r < regels.size(); ++r)
                k.bord.modules += regels[r].isEmpty() ? 0 : 1;
            kandidaten.push_back(std::move(k));
        }
        for (const QFileInfo& info : p.rest)
            if (!QFileInfo::exists(zonderExtensie(info.absoluteFilePath()) +
                                   QLatin1String(kBordExtensie)))
                weg << info.absoluteFilePath();
        // The lock is released once its files have gone: the last job that
        // holds it lets it go.
        opSchijf([weg, slot] {
            for (const QString& pad : weg)
                QFile::remove(pad);
            (void)slot;
        });
    }
    std::stable_sort(kandidaten.begin(), kandidaten.end(), [](const auto& a, const auto& b) {
        return a.bord.gewijzigd > b.bord.gewijzigd;
    });

    const int aantal = int(kandidaten.size());
    for (int i = 0; i < aantal; ++i) {
        TKandidaat& k = kandidaten[size_t(i)];
        QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                        vraag(k.bord, i + 1, aantal), QMessageBox::NoButton, &m_form);
        box.setObjectName(QStringLiteral("herstelVraag"));
        QPushButton* ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* nee = box.addButton(QStringLiteral("&Nee"), QMessageBox::NoRole);
        box.setDefaultButton(ja);
        box.setEscapeButton(nee);
        box.exec();

        if (box.clickedButton() == ja) {
            const QByteArray voor = m_form.bordTekst();
            // Read as any board file: a damaged one gets the board's own
            // messages, naming it as the pupil knows it, and whatever could
            // be read stays. A board brought back earlier keeps its own file
            // of this program.
            m_form.openenUitTekst(k.tekst, k.pad, omschrijving(k.bord));
            m_form.miVernieuwenClick();
            m_form.geschiedenis().bordVervangen(voor, QStringLiteral("bord terughalen"),
                                                k.bord.bestand, true);
            // This program's own file holds the board before the old one goes.
            werkBij();
        }
        opSchijf([pad = k.pad, slot = std::move(k.slot)] {
            QFile::remove(pad);
            QFile::remove(herkomstVoor(pad));
            (void)slot;
        });
    }
}
