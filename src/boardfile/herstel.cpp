#include "boardfile/herstel.h"

#include "app/kwintelvlak.h"
#include "editing/geschiedenis.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

constexpr char kVoorvoegsel[] = "herstel-";
constexpr char kBordExtensie[] = ".brd";
constexpr char kSlotExtensie[] = ".lock";

QString slotVoor(const QString& bordPad) {
    return bordPad.chopped(int(sizeof(kBordExtensie)) - 1) + QLatin1String(kSlotExtensie);
}

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
    m_form.geschiedenis().zetGeopendeTekst(m_form.bordTekst());
    connect(&m_form.geschiedenis(), &TGeschiedenis::gewijzigd, this, &THerstelBestand::planIn);
    connect(&m_form.geschiedenis(), &TGeschiedenis::bewaard, this, &THerstelBestand::werkBij);

    if (m_map.isEmpty() || !QDir().mkpath(m_map)) {
        geefOp(QStringLiteral("de map \"%1\" kan niet worden aangemaakt").arg(m_map));
        return;
    }
    // One file per running program: the process number and the moment of
    // starting tell two programs apart, and the lock says this one runs. Two
    // windows of one process started in the same millisecond still get a
    // moment each.
    static qint64 vorigMoment = 0;
    vorigMoment = std::max(QDateTime::currentMSecsSinceEpoch(), vorigMoment + 1);
    const QString naam = QLatin1String(kVoorvoegsel) +
                         QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
                         QString::number(vorigMoment);
    m_pad = QDir(m_map).filePath(naam + QLatin1String(kBordExtensie));
    m_slot = std::make_unique<QLockFile>(slotVoor(m_pad));
    m_slot->setStaleLockTime(0);
    if (!m_slot->tryLock(0)) {
        geefOp(QStringLiteral("in de map \"%1\" kan niet worden geschreven").arg(m_map));
        m_slot.reset();
        return;
    }
    m_werkt = true;
}

THerstelBestand::~THerstelBestand() {
    // A change not yet written is written now; the file stays for the next
    // start.
    if (m_timer.isActive())
        werkBij();
    m_timer.stop();
    // Everything asked of the disk is done before the program goes.
    opSchijf([] { QThread::currentThread()->quit(); });
    m_schijf.wait();
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
    const QByteArray tekst = m_form.bordTekst();
    if (tekst == m_form.geschiedenis().geopendeTekst()) {
        m_geschreven.clear();
        opSchijf([pad = m_pad] { QFile::remove(pad); });
        return;
    }
    if (tekst == m_geschreven)
        return;
    m_geschreven = tekst;
    // The disk thread is waited for before this object goes.
    opSchijf([this, pad = m_pad, tekst] {
        const QString reden = schrijfHeel(pad, tekst);
        if (reden.isEmpty())
            return;
        // Told once; the next change tries again.
        QMetaObject::invokeMethod(this, [this, pad, reden] {
            m_geschreven.clear();
            if (!m_schrijfFoutGemeld)
                meld(QStringLiteral("het herstelbestand \"%1\" kan niet worden geschreven: %2")
                         .arg(pad, reden));
            m_schrijfFoutGemeld = true;
        });
    });
}

QString THerstelBestand::vraag(const QDateTime& gewijzigd) {
    const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    return QStringLiteral("Er is een bord dat niet was opgeslagen (laatst gewijzigd op %1). "
                          "Wilt u het terughalen?")
        .arg(nl.toString(gewijzigd.toLocalTime(), QStringLiteral("d MMMM 'om' HH:mm")));
}

void THerstelBestand::biedAan() {
    if (!m_werkt)
        return;
    struct Kandidaat {
        QString pad;
        QDateTime gewijzigd;
        std::unique_ptr<QLockFile> slot;
    };
    std::vector<Kandidaat> kandidaten;
    const QDir dir(m_map);
    const QFileInfoList bestanden = dir.entryInfoList(
        {QLatin1String(kVoorvoegsel) + QLatin1Char('*') + QLatin1String(kBordExtensie)},
        QDir::Files);
    const QDateTime grens = QDateTime::currentDateTime().addDays(-kMaxOuderdomDagen);
    for (const QFileInfo& info : bestanden) {
        const QString pad = info.absoluteFilePath();
        if (pad == QFileInfo(m_pad).absoluteFilePath())
            continue;
        // A file whose program still runs is that program's; the lock of a
        // program that has gone (even by a crash) can be taken over.
        // Never judged by age: a lesson runs longer than any fixed time.
        auto slot = std::make_unique<QLockFile>(slotVoor(pad));
        slot->setStaleLockTime(0);
        if (!slot->tryLock(0))
            continue;
        if (info.lastModified() < grens) {
            QFile::remove(pad);
            slot->unlock();
            continue;
        }
        kandidaten.push_back({pad, info.lastModified(), std::move(slot)});
    }
    if (kandidaten.empty())
        return;
    const auto nieuwste =
        std::max_element(kandidaten.begin(), kandidaten.end(),
                         [](const auto& a, const auto& b) { return a.gewijzigd < b.gewijzigd; });

    QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                    vraag(nieuwste->gewijzigd), QMessageBox::NoButton, &m_form);
    box.setObjectName(QStringLiteral("herstelVraag"));
    QPushButton* ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* nee = box.addButton(QStringLiteral("&Nee"), QMessageBox::NoRole);
    box.setDefaultButton(ja);
    box.setEscapeButton(nee);
    box.exec();

    if (box.clickedButton() == ja) {
        const QByteArray voor = m_form.bordTekst();
        // Read as any board file: a damaged one gets the board's own
        // messages, and whatever could be read stays.
        m_form.openen(nieuwste->pad);
        m_form.miVernieuwenClick();
        m_form.geschiedenis().bordVervangen(voor, QStringLiteral("bord terughalen"), false);
        // This program's own file holds the board before the old one goes.
        werkBij();
    }
    opSchijf([pad = nieuwste->pad, slot = std::shared_ptr<QLockFile>(std::move(nieuwste->slot))] {
        QFile::remove(pad);
        slot->unlock();
    });
}
