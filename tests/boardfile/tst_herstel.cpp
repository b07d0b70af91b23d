// The recovery file: written soon after a change, gone once the board is
// saved or back as opened, offered at the next start when its program has
// gone, and never in the way when the folder cannot be used.
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
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kwinteltest;

namespace {

const QByteArray kStandaard = "EKWINTELVLAK V1.5|1\r\n10|10|1|1|0|\r\n";
const QByteArray kVerloren = "SKWINTELVLAK V1.5|\r\n10|10|0|1|1|1|1|1|\r\n80|200|1|1|0|\r\n"
                             "200|40|3|1|1|-1|1|1|37|\r\n";

// Answers the recovery question, if it comes, with the key or the button
// given; tells whether it came and what it asked.
struct Antwoord {
    bool gevraagd = false;
    QString tekst;
    QString standaardKnop;
};
Antwoord beantwoord(const std::function<void()>& actie, const QString& knop) {
    Antwoord a;
    QTimer klok;
    klok.setInterval(10);
    QObject::connect(&klok, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->objectName() != QLatin1String("herstelVraag"))
            return;
        a.gevraagd = true;
        a.tekst = box->text();
        a.standaardKnop = box->defaultButton() ? box->defaultButton()->text() : QString();
        if (knop == QLatin1String("Return")) {
            QTest::keyClick(box, Qt::Key_Return);
            return;
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == knop)
                b->click();
    });
    klok.start();
    actie();
    return a;
}

// A recovery file left by a program that is no longer running: its lock
// names a process that does not exist.
void laatAchter(const QString& map, const QString& naam, const QByteArray& tekst) {
    QFile f(map + QLatin1Char('/') + naam + QStringLiteral(".brd"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(tekst);
    f.close();
    QFile slot(map + QLatin1Char('/') + naam + QStringLiteral(".lock"));
    QVERIFY(slot.open(QIODevice::WriteOnly));
    slot.write("2147480000\nkwintelvlak\n" + QSysInfo::machineHostName().toUtf8() + "\n");
}

QStringList herstelBestanden(const QString& map) {
    return QDir(map).entryList({QStringLiteral("herstel-*.brd")}, QDir::Files, QDir::Name);
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

    void vraagMetDatumInHetNederlands() {
        QCOMPARE(THerstelBestand::vraag(QDateTime(QDate(2026, 12, 8), QTime(10, 42))),
                 QStringLiteral("Er is een bord dat niet was opgeslagen (laatst gewijzigd op 8 "
                                "december om 10:42). Wilt u het terughalen?"));
        QCOMPARE(THerstelBestand::vraag(QDateTime(QDate(2027, 3, 1), QTime(9, 5))),
                 QStringLiteral("Er is een bord dat niet was opgeslagen (laatst gewijzigd op 1 "
                                "maart om 09:05). Wilt u het terughalen?"));
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
        QVERIFY(QFile::exists(h.pad().chopped(4) + QStringLiteral(".lock")));

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

    // Nieuw starts a fresh board: nothing of it to lose until it changes.
    void nieuwLaatNietsAchter() {
        THerstelBestand h(*form, m_map);
        form->miLogoWeergeven->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(h.pad()), 1000);
        form->miNieuw->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(h.pad()), 1000);
        form->miOngedaanMaken->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(h.pad()), 1000);
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
        QVERIFY(!QFile::exists(pad.chopped(4) + QStringLiteral(".lock")));
    }

    void nietsGewijzigdNietsAchtergelaten() {
        { THerstelBestand h(*form, m_map); }
        QVERIFY(herstelBestanden(m_map).isEmpty());
    }

    void jaHaaltHetBordTerug() {
        QVERIFY(QDir().mkpath(m_map));
        laatAchter(m_map, QStringLiteral("herstel-1-1"), kVerloren);
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, QStringLiteral("Return"));
        QVERIFY(a.gevraagd);
        QVERIFY(a.tekst.startsWith(
            QStringLiteral("Er is een bord dat niet was opgeslagen (laatst gewijzigd op ")));
        QCOMPARE(a.standaardKnop, QStringLiteral("&Ja"));
        QCOMPARE(form->bordTekst(), kVerloren);
        h.wachtOpSchijf();
        // The old file has gone; this program keeps the board in its own.
        QCOMPARE(herstelBestanden(m_map), QStringList{QFileInfo(h.pad()).fileName()});
        QCOMPARE(inhoud(h.pad()), kVerloren);
        QVERIFY(!QFile::exists(m_map + QStringLiteral("/herstel-1-1.lock")));
        // Bringing it back was a step.
        QCOMPARE(form->miOngedaanMaken->text(), QStringLiteral("&Ongedaan maken: bord terughalen"));
        form->miOngedaanMaken->trigger();
        QCOMPARE(form->bordTekst(), kStandaard);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(h.pad()), 1000);
    }

    void neeGooitHetWeg() {
        QVERIFY(QDir().mkpath(m_map));
        laatAchter(m_map, QStringLiteral("herstel-1-1"), kVerloren);
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, QStringLiteral("&Nee"));
        QVERIFY(a.gevraagd);
        QCOMPARE(form->bordTekst(), kStandaard);
        h.wachtOpSchijf();
        QVERIFY(herstelBestanden(m_map).isEmpty());
        QVERIFY(!form->miOngedaanMaken->isEnabled());
        // And it is not asked again.
        const Antwoord b = beantwoord([&] { h.biedAan(); }, QStringLiteral("&Nee"));
        QVERIFY(!b.gevraagd);
    }

    void hetNieuwsteWordtAangebodenOudeVerdwijnen() {
        QVERIFY(QDir().mkpath(m_map));
        const QByteArray nieuwer = "EKWINTELVLAK V1.5|1\r\n5|5|1|1|0|\r\n6|6|1|2|0|\r\n";
        laatAchter(m_map, QStringLiteral("herstel-1-1"), kVerloren);
        laatAchter(m_map, QStringLiteral("herstel-2-2"), nieuwer);
        laatAchter(m_map, QStringLiteral("herstel-3-3"), kVerloren);
        const auto zetTijd = [this](const char* naam, const QDateTime& t) {
            QFile f(m_map + QLatin1Char('/') + QLatin1String(naam));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
        };
        const QDateTime nu = QDateTime::currentDateTime();
        zetTijd("herstel-1-1.brd", nu.addDays(-2));
        zetTijd("herstel-2-2.brd", nu.addSecs(-60));
        zetTijd("herstel-3-3.brd", nu.addDays(-31));
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, QStringLiteral("&Ja"));
        QVERIFY(a.gevraagd);
        QCOMPARE(a.tekst, THerstelBestand::vraag(nu.addSecs(-60)));
        QCOMPARE(form->bordTekst(), nieuwer);
        h.wachtOpSchijf();
        // The one of two days ago waits for the next start; the one of a
        // month ago is gone.
        QVERIFY(QFile::exists(m_map + QStringLiteral("/herstel-1-1.brd")));
        QVERIFY(!QFile::exists(m_map + QStringLiteral("/herstel-3-3.brd")));
        QVERIFY(!QFile::exists(m_map + QStringLiteral("/herstel-2-2.brd")));
    }

    void eenLopendProgrammaHoudtZijnBestand() {
        QVERIFY(QDir().mkpath(m_map));
        laatAchter(m_map, QStringLiteral("herstel-1-1"), kVerloren);
        QFile::remove(m_map + QStringLiteral("/herstel-1-1.lock"));
        // The other program runs: it holds its lock.
        QLockFile anderSlot(m_map + QStringLiteral("/herstel-1-1.lock"));
        QVERIFY(anderSlot.tryLock(0));
        THerstelBestand h(*form, m_map);
        const Antwoord a = beantwoord([&] { h.biedAan(); }, QStringLiteral("&Ja"));
        QVERIFY(!a.gevraagd);
        QCOMPARE(form->bordTekst(), kStandaard);
        QVERIFY(QFile::exists(m_map + QStringLiteral("/herstel-1-1.brd")));
        // Two programs never share a file.
        THerstelBestand tweede(*form, m_map);
        QVERIFY(tweede.pad() != h.pad());
    }

    void eenBeschadigdBestandMeldtHetBordZelf() {
        QVERIFY(QDir().mkpath(m_map));
        laatAchter(m_map, QStringLiteral("herstel-1-1"),
                   "EKWINTELVLAK V1.5|1\r\n10|10|1|1|0|\r\n10|90|0|1|1|x|1|1|\r\n");
        THerstelBestand h(*form, m_map);
        QStringList meldingen;
        zetBerichtVanger(
            [&](QMessageBox::Icon, const QString&, const QString& tekst) { meldingen << tekst; });
        const Antwoord a = beantwoord([&] { h.biedAan(); }, QStringLiteral("&Ja"));
        zetBerichtVanger({});
        QVERIFY(a.gevraagd);
        QCOMPARE(meldingen.size(), 1);
        QVERIFY(meldingen[0].contains(QStringLiteral("\"x\" is geen geheel getal")));
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
