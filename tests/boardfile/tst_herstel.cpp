// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The recovery files: written soon after a change, gone once the board is
// saved or back as opened, kept when another board takes the window's place,
// offered at the next start when their program has gone (on this computer or
// another one sharing the home folder), and never in the way when the folder
// cannot be used.
#include "app/berichten.h"
#include "app/kwintelvlak.h"
#include "boardfile/herstel.h"
#include "editing/geschiedenis.h"
#include "support/kwinteltest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kwinteltest;

namespace {

const QByteArray kStandaard = "EKWINTELVLAK V1.5|1\r\n10|10|1|1|0|\r\n";
const QByteArray kVerloren = "SKWINTELVLAK V1.5|\r\n10|10|0|1|1|1|1|1|\r\n80|200|1|1|0|\r\n"
                             "200|40|3|1|1|-1|1|1|37|\r\n";

// Answers the recovery questions as they come, with the buttons (or
// "Return") given in turn; tells what they asked.
struct Antwoord {
    QStringList vragen;
    QString standaardKnop;
};
Antwoord beantwoord(const std::function<void()>& actie, const QStringList& knoppen) {
    Antwoord a;
    QTimer klok;
    klok.setInterval(10);
    QObject::connect(&klok, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->objectName() != QLatin1String("herstelVraag") || !box->isVisible())
            return;
        const QString knop = knoppen.value(a.vragen.size(), knoppen.last());
        a.vragen << box->text();
        a.standaardKnop = box->defaultButton() ? box->defaultButton()->text() : QString();
        if (knop == QLatin1String("Return"))
            QTest::keyClick(box, Qt::Key_Return);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == knop)
                b->click();
    });
    klok.start();
    actie();
    return a;
}

void zetTijd(const QString& pad, const QDateTime& t) {
    QFile f(pad);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
}

// This computer's name as a lock file records it.
QString dezeComputer() {
    QTemporaryDir map;
    QLockFile slot(map.filePath(QStringLiteral("proef.lock")));
    qint64 pid = 0;
    QString computer, toepassing;
    if (!slot.tryLock(0) || !slot.getLockInfo(&pid, &computer, &toepassing))
        qFatal("geen slot in %s", qPrintable(map.path()));
    return computer;
}

// A recovery file left by a program that is no longer running: its lock
// names a process that does not exist. Boards named "<program>_<number>"
// share their program's lock; older names have a lock each.
void laatAchter(const QString& map, const QString& naam, const QByteArray& tekst,
                const QString& computer = dezeComputer(), const QString& herkomst = {}) {
    QFile f(map + QLatin1Char('/') + naam + QStringLiteral(".brd"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(tekst);
    f.close();
    if (!herkomst.isEmpty()) {
        QFile h(map + QLatin1Char('/') + naam + QStringLiteral(".herkomst"));
        QVERIFY(h.open(QIODevice::WriteOnly));
        h.write(herkomst.toUtf8() + '\n');
    }
    QFile slot(map + QLatin1Char('/') + naam.section(QLatin1Char('_'), 0, 0) +
               QStringLiteral(".lock"));
    QVERIFY(slot.open(QIODevice::WriteOnly));
    if (!computer.isEmpty())
        slot.write("2147480000\nkwintelvlak\n" + computer.toUtf8() + "\n");
}

QStringList sloten(const QString& map) {
    return QDir(map).entryList({QStringLiteral("*.lock")}, QDir::Files);
}

QStringList herstelBestanden(const QString& map) {
    return QDir(map).entryList({QStringLiteral("herstel-*.brd")}, QDir::Files, QDir::Name);
}

QString naam(const QString& pad) {
    return QFileInfo(pad).fileName();
}

// Saves through the real dialog as `doel`.
void slaOp(TfKwintelvlak& form, const QString& doel) {
    QTimer::singleShot(0, [doel] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(d);
        d->selectFile(doel);
        QMetaObject::invokeMethod(d, "accept");
    });
    form.miOpslaanAls->trigger();
}

QByteArray inhoud(const QString& pad) {
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestHerstel : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_startMap;
    QString m_map;
    std::unique_ptr<TfKwintelvlak> form;

private slots:
    void initTestCase() {
        initProces();
        m_startMap = QDir::currentPath();
    }

    void init() {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_tmp->path()));
        QFile s(QStringLiteral("standaard.brd"));
        QVERIFY(s.open(QIODevice::WriteOnly));
        s.write(kStandaard);
        s.close();
        m_map = m_tmp->filePath(QStringLiteral("herstel"));
        form = std::make_unique<TfKwintelvlak>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() {
        form.reset();
        QDir::setCurrent(m_startMap);
        m_tmp.reset();
    }

    void vraagMetDatumInHetNederlands_data() {
        QTest::addColumn<QString>("bestand");
        QTest::addColumn<int>("modules");
        QTest::addColumn<int>("aantal");
        QTest::addColumn<QString>("vraag");
        QTest::newRow("uit een bestand")
            << "/home/an/les 3.brd" << 1 << 1
            << "Er is een bord dat niet was opgeslagen (laatst gewijzigd op 8 december om 10:42, 1 "
               "module, bestand \"les 3.brd\"). Wilt u het terughalen?";
        QTest::newRow("twee van drie") << "" << 0 << 3
                                       << "Er zijn 3 borden die niet waren opgeslagen.\nBord 2 van "
                                          "3: laatst gewijzigd op 8 december om 10:42, geen "
                                          "modules.\nWilt u dit bord terughalen?";
    }
    void vraagMetDatumInHetNederlands() {
        QFETCH(QString, bestand);
        QFETCH(int, modules);
        QFETCH(int, aantal);
        QFETCH(QString, vraag);
        const THerstelBestand::TAchtergelaten bord{QDateTime(QDate(2026, 12, 8), QTime(10, 42)),
                                                   bestand, modules};
        QCOMPARE(THerstelBestand::vraag(bord, 2, aantal), vraag);
    }

    void eenWijzigingWordtBinnenEenSecondeGeschreven() {
        THerstelBestand h(*form, m_map);
        QVERIFY(h.werkt());
        QVERIFY(!QFile::exists(h.pad()));
        form->miLogoWeergeven->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(h.pad()), 1000);
        QCOMPARE(inhoud(h.pad()), form->bordTekst());
        // Only this program's file, and its lock.
        QCOMPARE(herstelBestanden(m_map).size(), 1);
        QVERIFY(QFile::exists(h.slotPad()));

        form->miTellerLatenDoorlopen->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(inhoud(h.pad()), form->bordTekst(), 1000);
        // Back as opened: nothing to lose, the file goes.
        form->miOngedaanMaken->trigger();
        form->miOngedaanMaken->trigger();
        QCOMPARE(form->bordTekst(), kStandaard);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(h.pad()), 1000);
    }

    void opslaanVerwijdertHet() {
        THerstelBestand h(*form, m_map);
        form->miLogoWeergeven->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(h.pad()), 1000);
        const QString pad = m_tmp->filePath(QStringLiteral("les.brd"));
        QTimer::singleShot(0, [pad] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->selectFile(pad);
            QMetaObject::invokeMethod(d, "accept");
        });
        form->miOpslaanAls->trigger();
        QCOMPARE(inhoud(pad), form->bordTekst());
        h.wachtOpSchijf();
        QVERIFY(!QFile::exists(h.pad()));
        // A later change is kept again.
        form->miLogoWeergeven->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(h.pad()), 1000);
    }

    // A board that another one replaces keeps its file, at once and with
    // its last change; undo makes it the board in the window again, and
    // only saving it lets the file go.
    void vervangenBewaartHetOudeBord_data() {
        QTest::addColumn<std::function<void(TfKwintelvlak&)>>("opdracht");
        const auto open = [](const QString& pad) {
            return [pad](TfKwintelvlak& f) {
                QTimer::singleShot(0, [pad] {
                    auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                    d->selectFile(QDir().absoluteFilePath(pad));
                    QMetaObject::invokeMethod(d, "accept");
                });
                f.miOpenen->trigger();
            };
        };
        QTest::newRow("Nieuw") << std::function([](TfKwintelvlak& f) { f.miNieuw->trigger(); });
        QTest::newRow("standaardbord (1)")
            << std::function([](TfKwintelvlak& f) { f.miNieuwStandaardBord1->trigger(); });
        QTest::newRow("standaardbord (2)")
            << std::function([](TfKwintelvlak& f) { f.miNieuwstandaardbord2->trigger(); });
        QTest::newRow("Openen") << std::function(open(QStringLiteral("standaard.brd")));
        QTest::newRow("Openen mislukt") << std::function(open(QStringLiteral("te-groot.brd")));
    }
    void vervangenBewaartHetOudeBord() {
        QFETCH(std::function<void(TfKwintelvlak&)>, opdracht);
        QFile::copy(QStringLiteral("standaard.brd"), QStringLiteral("standaard2.brd"));
        QFile groot(QStringLiteral("te-groot.brd"));
        QVERIFY(groot.open(QIODevice::WriteOnly));
        groot.write(QByteArray(2 * 1024 * 1024, 'x'));
        groot.close();
        THerstelBestand h(*form, m_map);
        form->miLogoWeergeven->trigger();
        const QByteArray bewerkt = form->bordTekst();
        const QString eigen = h.pad();
        zetBerichtVanger([](QMessageBox::Icon, const QString&, const QString&) {});
        opdracht(*form);
        zetBerichtVanger({});
        h.wachtOpSchijf();
        QVERIFY(h.pad() != eigen);
        // The new board is as opened: nothing of it to keep.
        QCOMPARE(herstelBestanden(m_map), QStringList{naam(eigen)});
        QCOMPARE(inhoud(eigen), bewerkt);

        form->miOngedaanMaken->trigger();
        QCOMPARE(form->bordTekst(), bewerkt);
        QCOMPARE(h.pad(), eigen);
        form->miTellerLatenDoorlopen->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(inhoud(eigen), form->bordTekst(), 1000);
        slaOp(*form, m_tmp->filePath(QStringLiteral("les.brd")));
        h.wachtOpSchijf();
        QVERIFY(herstelBestanden(m_map).isEmpty());
    }

    // Closing without saving leaves the file, even right after a change.
    void afsluitenLaatHetStaan() {
        QString pad;
        {
            THerstelBestand h(*form, m_map);
            pad = h.pad();
            form->miLogoWeergeven->trigger();
        }
        QCOMPARE(inhoud(pad), form->bordTekst());
        QVERIFY(sloten(m_map).isEmpty());
    }

    void nietsGewijzigdNietsAchtergelaten() {
        { THerstelBestand h(*form, m_map); }
        QVERIFY(herstelBestanden(m_map).isEmpty());
    }

    void jaHaaltHetBordTerug() {
        QVERIFY(QDir().mkpath(m_map));
        laatAchter(m_map, QStringLiteral("herstel-1-1"), kVerloren);
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, {"Return"});
        QCOMPARE(a.vragen.size(), 1);
        QVERIFY(a.vragen[0].startsWith(
            QStringLiteral("Er is een bord dat niet was opgeslagen (laatst gewijzigd op ")));
        QCOMPARE(a.standaardKnop, QStringLiteral("&Ja"));
        QCOMPARE(form->bordTekst(), kVerloren);
        h.wachtOpSchijf();
        // The old file has gone; this program keeps the board in its own.
        QCOMPARE(herstelBestanden(m_map), QStringList{QFileInfo(h.pad()).fileName()});
        QCOMPARE(inhoud(h.pad()), kVerloren);
        QVERIFY(!QFile::exists(m_map + QStringLiteral("/herstel-1-1.lock")));
        // Bringing it back was a step; undoing it keeps the board in its
        // file of this program.
        QCOMPARE(form->miOngedaanMaken->text(), QStringLiteral("&Ongedaan maken: bord terughalen"));
        const QString teruggehaald = h.pad();
        form->miOngedaanMaken->trigger();
        QCOMPARE(form->bordTekst(), kStandaard);
        h.wachtOpSchijf();
        QCOMPARE(herstelBestanden(m_map), QStringList{naam(teruggehaald)});
        QCOMPARE(inhoud(teruggehaald), kVerloren);
    }

    void neeGooitHetWeg() {
        QVERIFY(QDir().mkpath(m_map));
        laatAchter(m_map, QStringLiteral("herstel-1-1"), kVerloren);
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, {"&Nee"});
        QCOMPARE(a.vragen.size(), 1);
        QCOMPARE(form->bordTekst(), kStandaard);
        h.wachtOpSchijf();
        QVERIFY(herstelBestanden(m_map).isEmpty());
        QVERIFY(!form->miOngedaanMaken->isEnabled());
        QVERIFY(sloten(m_map) == QStringList{naam(h.slotPad())});
        // And it is not asked again.
        const Antwoord b = beantwoord([&] { h.biedAan(); }, {"&Nee"});
        QVERIFY(b.vragen.isEmpty());
    }

    void alleBordenWordenAangebodenOudeVerdwijnen() {
        QVERIFY(QDir().mkpath(m_map));
        const QByteArray nieuwer = "EKWINTELVLAK V1.5|1\r\n5|5|1|1|0|\r\n6|6|1|2|0|\r\n";
        laatAchter(m_map, QStringLiteral("herstel-1-1"), kVerloren);
        laatAchter(m_map, QStringLiteral("herstel-2-2"), nieuwer);
        laatAchter(m_map, QStringLiteral("herstel-3-3"), kVerloren);
        const QDateTime nu = QDateTime::currentDateTime();
        zetTijd(m_map + QStringLiteral("/herstel-1-1.brd"), nu.addDays(-2));
        zetTijd(m_map + QStringLiteral("/herstel-2-2.brd"), nu.addSecs(-60));
        zetTijd(m_map + QStringLiteral("/herstel-3-3.brd"), nu.addDays(-31));
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, {"&Ja", "&Nee"});
        THerstelBestand::TAchtergelaten b{nu.addSecs(-60), {}, 2};
        QCOMPARE(a.vragen.value(0), THerstelBestand::vraag(b, 1, 2));
        b = {nu.addDays(-2), {}, 3};
        QCOMPARE(a.vragen.value(1), THerstelBestand::vraag(b, 2, 2));
        QCOMPARE(a.vragen.size(), 2);
        QCOMPARE(form->bordTekst(), nieuwer);
        h.wachtOpSchijf();
        // The one of a month ago went unasked, and every lock with its board.
        QCOMPARE(herstelBestanden(m_map), QStringList{naam(h.pad())});
        QCOMPARE(sloten(m_map), QStringList{naam(h.slotPad())});
    }

    // A home folder on the network: a program on another computer cannot be
    // checked, so its lock counts once nothing of it changed for an hour.
    void eenAndereComputer_data() {
        QTest::addColumn<QString>("computer"); // empty: a lock that cannot be read
        QTest::addColumn<int>("bordMinuten");  // age of the board; -1: none
        QTest::addColumn<int>("slotMinuten");
        QTest::addColumn<bool>("aangeboden");
        QTest::addColumn<bool>("opgeruimd");
        QTest::newRow("een uur stil") << "ander-pc" << 61 << 180 << true << true;
        QTest::newRow("net gewijzigd") << "ander-pc" << 5 << 180 << false << false;
        QTest::newRow("net gestart") << "ander-pc" << 61 << 5 << false << false;
        QTest::newRow("oud slot zonder bord") << "ander-pc" << -1 << 120 << false << true;
        QTest::newRow("onleesbaar slot") << "" << 61 << 120 << true << true;
        QTest::newRow("onleesbaar, vers") << "" << 61 << 1 << false << false;
    }
    void eenAndereComputer() {
        QFETCH(QString, computer);
        QFETCH(int, bordMinuten);
        QFETCH(int, slotMinuten);
        QFETCH(bool, aangeboden);
        QFETCH(bool, opgeruimd);
        QVERIFY(QDir().mkpath(m_map));
        const QString basis = m_map + QStringLiteral("/herstel-ander-pc-4-4");
        laatAchter(m_map, QStringLiteral("herstel-ander-pc-4-4_1"), kVerloren, computer);
        const QDateTime nu = QDateTime::currentDateTime();
        if (bordMinuten < 0)
            QVERIFY(QFile::remove(basis + QStringLiteral("_1.brd")));
        else
            zetTijd(basis + QStringLiteral("_1.brd"), nu.addSecs(-60 * bordMinuten));
        zetTijd(basis + QStringLiteral(".lock"), nu.addSecs(-60 * slotMinuten));
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, {"&Ja"});
        QCOMPARE(a.vragen.size(), aangeboden ? 1 : 0);
        QCOMPARE(form->bordTekst(), aangeboden ? kVerloren : kStandaard);
        h.wachtOpSchijf();
        QCOMPARE(QFile::exists(basis + QStringLiteral(".lock")), !opgeruimd);
        QCOMPARE(QFile::exists(basis + QStringLiteral("_1.brd")), bordMinuten >= 0 && !opgeruimd);
    }

    void eenLopendProgrammaHoudtZijnBestand() {
        QVERIFY(QDir().mkpath(m_map));
        laatAchter(m_map, QStringLiteral("herstel-1-1"), kVerloren);
        QFile::remove(m_map + QStringLiteral("/herstel-1-1.lock"));
        // The other program runs: it holds its lock.
        QLockFile anderSlot(m_map + QStringLiteral("/herstel-1-1.lock"));
        QVERIFY(anderSlot.tryLock(0));
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, {"&Ja"});
        QVERIFY(a.vragen.isEmpty());
        QCOMPARE(form->bordTekst(), kStandaard);
        QVERIFY(QFile::exists(m_map + QStringLiteral("/herstel-1-1.brd")));
        // Two programs never share a file.
        THerstelBestand tweede(*form, m_map);
        QVERIFY(tweede.pad() != h.pad());
    }

    void eenBeschadigdBestandMeldtHetBordZelf() {
        QVERIFY(QDir().mkpath(m_map));
        laatAchter(m_map, QStringLiteral("herstel-1-1"),
                   "EKWINTELVLAK V1.5|1\r\n10|10|1|1|0|\r\n10|90|0|1|1|x|1|1|\r\n", dezeComputer(),
                   QStringLiteral("/home/an/les.brd"));
        THerstelBestand h(*form, m_map);
        QStringList meldingen;
        zetBerichtVanger(
            [&](QMessageBox::Icon, const QString&, const QString& tekst) { meldingen << tekst; });
        const Antwoord a = beantwoord([&] { h.biedAan(); }, {"&Ja"});
        zetBerichtVanger({});
        QCOMPARE(a.vragen.size(), 1);
        QCOMPARE(meldingen.size(), 1);
        // Named as the pupil knows it, not by the file inside the folder.
        QVERIFY2(meldingen[0].startsWith(QStringLiteral(
                     "Fout in regel 3 van het teruggehaalde bord (laatst gewijzigd op ")),
                 qPrintable(meldingen[0]));
        QVERIFY(
            meldingen[0].contains(QStringLiteral(", bestand \"les.brd\"): \"x\" is geen geheel")));
        QVERIFY(!meldingen[0].contains(QStringLiteral("herstel-")));
        // What could be read stays; the damaged file is gone.
        QCOMPARE(form->modules.size(), size_t(2));
        h.wachtOpSchijf();
        QVERIFY(!QFile::exists(m_map + QStringLiteral("/herstel-1-1.brd")));
    }

    // A write that fails is told on standard error, never in a box, and
    // tried again at the next change.
    void eenMislukteSchrijfpoging() {
        THerstelBestand h(*form, m_map);
        QVERIFY(QDir().mkpath(h.pad())); // a folder where the file should go
        const Bericht b = vangBericht([&] {
            form->miLogoWeergeven->trigger();
            h.werkBij();
            h.wachtOpSchijf();
            QCoreApplication::processEvents();
        });
        QVERIFY(!b.getoond);
        QVERIFY(QFileInfo(h.pad()).isDir());
        QVERIFY(QDir().rmdir(h.pad()));
        form->miTellerLatenDoorlopen->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(inhoud(h.pad()), form->bordTekst(), 1000);
    }

    void eenOnbruikbareMap() {
        QFile blokkade(m_tmp->filePath(QStringLiteral("geen-map")));
        QVERIFY(blokkade.open(QIODevice::WriteOnly));
        blokkade.close();
        const Bericht b = vangBericht([&] {
            THerstelBestand h(*form, blokkade.fileName() + QStringLiteral("/herstel"));
            QVERIFY(!h.werkt());
            h.biedAan();
            form->miLogoWeergeven->trigger();
            QTest::qWait(THerstelBestand::kVertragingMs + 200);
            h.werkBij();
        });
        QVERIFY(!b.getoond);
        // The program goes on: the edit is there and can be undone.
        QVERIFY(form->miLogoWeergeven->isChecked());
        form->miOngedaanMaken->trigger();
        QVERIFY(!form->miLogoWeergeven->isChecked());
    }
};

QTEST_MAIN(TestHerstel)
#include "tst_herstel.moc"
