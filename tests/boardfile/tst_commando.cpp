// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The "Bestand" menu as the user meets it: the menu items, the file
// dialogs, the questions before overwriting, the standard boards, start-up
// and the board named on the command line.
#include "app/kwintelvlak.h"
#include "boardfile/bordpaden.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace kwinteltest;

namespace {

const QByteArray kEenLed = "EKWINTELVLAK V1.5|1\r\n0|0|1|1|0|\r\n";
const QByteArray kTweeLeds = "SKWINTELVLAK V1.5|\r\n0|0|1|1|0|\r\n64|0|1|2|0|\r\n";

void schrijf(const QString& pad, const QByteArray& inhoud) {
    QFile f(pad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhoud);
}

QByteArray lees(const QString& pad) {
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly))
        return "niet te lezen";
    return f.readAll();
}

// What one modal window looked like when it came up.
struct Venster {
    QString soort; // "dialoog" or "vraag"
    QString titel;
    QString tekst;
    QMessageBox::Icon icoon = QMessageBox::NoIcon;
    QStringList knoppen;
    QString standaardKnop;
};

// Answers the modal windows that an action opens, in order, one step per
// window, and records what each showed. Each window is answered when it
// comes up (its show event), once its own event loop runs. A window with no
// step left is cancelled, so a test that does not expect it fails instead of
// hanging; so is a window still up long after its step.
class Gebruiker {
public:
    using Stap = std::function<void(QWidget*)>;
    QList<Venster> gezien;

    void doe(const std::function<void()>& actie, QList<Stap> stappen) {
        // Every timer below dies with this run.
        QObject anker;
        // The window answered last, while it stays up.
        QPointer<QWidget> beantwoord;
        auto antwoord = [&](QWidget* w) {
            if (!w || w == beantwoord || QApplication::activeModalWidget() != w || !w->isVisible())
                return;
            beantwoord = w;
            Venster v;
            v.titel = w->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                v.soort = QStringLiteral("vraag");
                v.tekst = box->text();
                v.icoon = box->icon();
                for (QAbstractButton* b : box->buttons())
                    v.knoppen << b->text();
                if (box->defaultButton())
                    v.standaardKnop = box->defaultButton()->text();
            } else {
                v.soort = QStringLiteral("dialoog");
            }
            gezien << v;
            auto* d = qobject_cast<QDialog*>(w);
            if (stappen.isEmpty()) {
                if (d)
                    d->reject();
                return;
            }
            stappen.takeFirst()(w);
            if (!d)
                return;
            QPointer<QDialog> blijft(d);
            const int keer = ++m_beurt;
            QTimer::singleShot(kWachtMs, &anker, [this, blijft, keer] {
                if (!blijft || !blijft->isVisible() || m_beurt != keer)
                    return;
                Venster vast;
                vast.soort = QStringLiteral("blijft staan");
                vast.titel = blijft->windowTitle();
                gezien << vast;
                blijft->reject();
            });
        };
        // Answered from inside the window's own loop, as a user would: a
        // window when it comes up, and the window under one that closes (a
        // dialog that stays open after its question was answered).
        auto later = [&antwoord, &anker](QWidget* w) {
            QTimer::singleShot(0, &anker, [&antwoord, venster = QPointer<QWidget>(w)] {
                if (venster)
                    antwoord(venster);
            });
        };
        BijTonen kijker(later, [&](QWidget* w) {
            if (w == beantwoord)
                beantwoord = nullptr;
            QTimer::singleShot(0, &anker, [&later] {
                if (QWidget* onder = QApplication::activeModalWidget())
                    later(onder);
            });
        });
        actie();
        ++m_beurt;
    }

private:
    int m_beurt = 0;
};

// When a step presses Enter: at once, or from the event loop, for a dialog
// that answers Enter with a message box of its own (the step's timer does not
// fire again until the step returns).
enum class Enter { Meteen, Later };

// Types a path into a file dialog's name field and presses Enter.
Gebruiker::Stap typ(const QString& pad, Enter enter = Enter::Meteen) {
    return [pad, enter](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!edit) {
            qobject_cast<QDialog*>(w)->reject();
            return;
        }
        // The list of matching names that pops up while typing grabs the
        // keyboard, which the offscreen platform cannot give it.
        edit->setCompleter(nullptr);
        QApplication::setActiveWindow(w);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, pad);
        if (enter == Enter::Later)
            QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
        else
            QTest::keyClick(edit, Qt::Key_Return);
    };
}

Gebruiker::Stap annuleer() {
    return [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); };
}

// Clicks the button of a message box that carries this text.
Gebruiker::Stap klik(const QString& knop) {
    return [knop](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == knop) {
                b->click();
                return;
            }
        box->reject();
    };
}

QString bewakingsVraag(const QString& naam) {
    return QStringLiteral("Je probeert om het bestand met het standaardbord te overschrijven\n"
                          "(\"%1\"). Dit is een essentieel onderdeel van dit programma.\n"
                          "Als je dit aanpast zal de opmaak van elk aangemaakt standaardbord "
                          "blijvend veranderen.\n"
                          "Weet je zeker dat je dit wilt doen?")
        .arg(naam);
}

} // namespace

class TestCommando : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initProces();
        m_startMap = QDir::currentPath();
    }
    void init() {
        m_map.reset(new QTemporaryDir);
        QVERIFY(QDir::setCurrent(m_map->path()));
    }
    void cleanup() {
        QDir::setCurrent(m_startMap);
        m_map.reset();
    }

    void nieuwMaaktHetBordLeeg() {
        TfKwintelvlak form;
        form.show();
        form.openenUitTekst(kTweeLeds + "0|200|0|1|1|1|2|1|\r\n0|400|0|2|1|1|1|1|\r\n"
                                        "100|0|14|1|0|\r\n",
                            QStringLiteral("x"));
        QCOMPARE(form.modules.size(), size_t(5));
        QVERIFY(!form.miZoemer->isEnabled());
        form.miNieuw->trigger();
        QVERIFY(form.miZoemer->isEnabled());
        QVERIFY(form.modules.empty());
        QVERIFY(!form.miLogoWeergeven->isChecked());
        QVERIFY(form.pKwintelvlak->isHidden());
        QVERIFY(form.miTellerLatenDoorlopen->isChecked());
        QCOMPARE(form.klokStopTeller(), 0);
    }

    void standaardbordenUitDeHuidigeMap() {
        schrijf(QStringLiteral("standaard.brd"), kEenLed);
        schrijf(QStringLiteral("standaard2.brd"), kTweeLeds);
        TfKwintelvlak form;
        form.show();
        form.miNieuw->trigger();
        form.miNieuwStandaardBord1->trigger();
        QCOMPARE(form.bordTekst(), kEenLed);
        form.miNieuwstandaardbord2->trigger();
        QCOMPARE(form.bordTekst(), kTweeLeds);
        QVERIFY(form.pKwintelvlak->isVisible());
        QCOMPARE(form.klokStopTeller(), 0);
    }

    void ontbrekendStandaardbordWordtGemeld() {
        // Neither here nor beside the test program.
        TfKwintelvlak form;
        form.openenUitTekst(kTweeLeds, QStringLiteral("x"));
        const Bericht b = vangBericht([&] { form.miNieuwstandaardbord2->trigger(); });
        QCOMPARE(b.tekst, QStringLiteral("Het bestand \"standaard2.brd\" kan niet worden gelezen.\n"
                                         "Het bestand bestaat niet."));
        QVERIFY(form.modules.empty());
        QCOMPARE(form.klokStopTeller(), 0);
    }

    void standaardbordZoeken() {
        QDir hier;
        QVERIFY(hier.mkpath(QStringLiteral("programma")));
        const QString programmaMap = hier.absoluteFilePath(QStringLiteral("programma")) + '/';
        const QString naam = QStringLiteral("standaard.brd");
        QCOMPARE(bordpaden::zoekStandaardBord(naam, programmaMap), QString());
        schrijf(programmaMap + naam, kEenLed);
        QCOMPARE(bordpaden::zoekStandaardBord(naam, programmaMap), programmaMap + naam);
        // The current folder comes first; a folder of that name is no board.
        QVERIFY(hier.mkdir(naam));
        QCOMPARE(bordpaden::zoekStandaardBord(naam, programmaMap), programmaMap + naam);
        QVERIFY(hier.rmdir(naam));
        schrijf(naam, kTweeLeds);
        QCOMPARE(bordpaden::zoekStandaardBord(naam, programmaMap), naam);
    }

    void opdrachtregel_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("verwacht"); // "P/" stands for the program's folder
        QTest::newRow("leeg") << ""
                              << "";
        QTest::newRow("kale naam naast het programma") << "les.brd"
                                                       << "P/les.brd";
        QTest::newRow("kale naam alleen in de huidige map") << "hier.brd"
                                                            << "";
        QTest::newRow("kale naam die nergens is") << "weg.brd"
                                                  << "";
        QTest::newRow("relatief pad") << "sub/hier.brd"
                                      << "sub/hier.brd";
        QTest::newRow("pad met punt") << "./hier.brd"
                                      << "./hier.brd";
        QTest::newRow("volledig pad") << "VOL"
                                      << "VOL";
        // As Windows' Explorer hands over a double-clicked board.
        QTest::newRow("volledig pad in de schrijfwijze van het systeem") << "SYS"
                                                                         << "VOL";
        QTest::newRow("relatief pad dat er niet is") << "sub/weg.brd"
                                                     << "";
        QTest::newRow("een map") << "sub/map.brd"
                                 << "";
    }
    void opdrachtregel() {
        QFETCH(QString, argument);
        QFETCH(QString, verwacht);
        QDir hier;
        QVERIFY(hier.mkpath(QStringLiteral("programma")));
        QVERIFY(hier.mkpath(QStringLiteral("sub/map.brd")));
        const QString programmaMap = hier.absoluteFilePath(QStringLiteral("programma")) + '/';
        schrijf(programmaMap + QStringLiteral("les.brd"), kEenLed);
        schrijf(QStringLiteral("hier.brd"), kEenLed);
        schrijf(QStringLiteral("sub/hier.brd"), kEenLed);
        const QString vol = hier.absoluteFilePath(QStringLiteral("sub/hier.brd"));
        argument.replace(QStringLiteral("VOL"), vol);
        argument.replace(QStringLiteral("SYS"), QDir::toNativeSeparators(vol));
        // Only a leading "P/" names the program's folder: the temporary folder's
        // own random name may hold a "P/" too.
        if (verwacht.startsWith(QStringLiteral("P/")))
            verwacht = programmaMap + verwacht.mid(2);
        verwacht.replace(QStringLiteral("VOL"), vol);
        QCOMPARE(bordpaden::opdrachtregelBord(argument, programmaMap), verwacht);
    }

    void opstartOpentHetStandaardbord() {
        schrijf(QStringLiteral("standaard.brd"), kTweeLeds);
        std::unique_ptr<TfKwintelvlak> form;
        const Bericht b = vangBericht([&] { form = std::make_unique<TfKwintelvlak>(); });
        QVERIFY(!b.getoond);
        QCOMPARE(form->bordTekst(), kTweeLeds);
        QVERIFY(form->miLogoWeergeven->isChecked());
        QCOMPARE(form->klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }

    void opstartZonderStandaardbord() {
        std::unique_ptr<TfKwintelvlak> form;
        const Bericht b = vangBericht([&] { form = std::make_unique<TfKwintelvlak>(); });
        QVERIFY(!b.getoond);
        QVERIFY(form->modules.empty());
        QCOMPARE(form->klokStopTeller(), 0);
        QVERIFY(!klokGestopt);
    }

    void openenViaDeDialoog() {
        QVERIFY(QDir().mkdir(QStringLiteral("borden")));
        const QString pad = QDir().absoluteFilePath(QStringLiteral("borden/les.brd"));
        schrijf(pad, kTweeLeds);
        TfKwintelvlak form;
        form.show();
        Gebruiker gebruiker;
        gebruiker.doe([&] { form.miOpenen->trigger(); }, {typ(pad)});
        QCOMPARE(gebruiker.gezien.size(), 1);
        QCOMPARE(gebruiker.gezien[0].titel, QStringLiteral("Openen"));
        QCOMPARE(form.bordTekst(), kTweeLeds);

        // The dialog as it was set up.
        QVERIFY(form.odLoad);
        QVERIFY(form.odLoad->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(form.odLoad->nameFilters(), QStringList{"Kwintelvlak bestanden (*.brd)"});
        QCOMPARE(form.odLoad->defaultSuffix(), QStringLiteral("brd"));
        QCOMPARE(form.odLoad->fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(form.odLoad->acceptMode(), QFileDialog::AcceptOpen);

        // Cancelling changes nothing.
        gebruiker.doe([&] { form.miOpenen->trigger(); }, {annuleer()});
        QCOMPARE(form.bordTekst(), kTweeLeds);
        // A name without extension gets ".brd".
        gebruiker.doe([&] { form.miNieuw->trigger(); }, {});
        gebruiker.doe([&] { form.miOpenen->trigger(); },
                      {typ(QDir().absoluteFilePath(QStringLiteral("borden/les")))});
        QCOMPARE(form.bordTekst(), kTweeLeds);
    }

    void opslaanAlsNieuwBestand() {
        TfKwintelvlak form;
        form.show();
        form.openenUitTekst(kTweeLeds, QStringLiteral("x"));
        Gebruiker gebruiker;
        // The dialog starts in the current folder and adds the extension.
        gebruiker.doe([&] { form.miOpslaanAls->trigger(); }, {typ(QStringLiteral("nieuw"))});
        QCOMPARE(gebruiker.gezien.size(), 1);
        QCOMPARE(gebruiker.gezien[0].titel, QStringLiteral("Opslaan als"));
        QCOMPARE(lees(QStringLiteral("nieuw.brd")), kTweeLeds);
        QCOMPARE(form.sdSave->nameFilters(), QStringList{"Kwintelvlak bestanden (*.brd)"});
        QCOMPARE(form.sdSave->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(form.sdSave->testOption(QFileDialog::DontUseNativeDialog));

        // Cancelling writes nothing.
        gebruiker.doe([&] { form.miOpslaanAls->trigger(); }, {annuleer()});
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{"nieuw.brd"});
    }

    void opslaanInEenMapDieNietBestaat_data() {
        QTest::addColumn<QString>("pad");
        QTest::newRow("map bestaat niet") << "geen_map/bord.brd";
        QTest::newRow("dieper") << "geen_map/ook_niet/bord.brd";
        QTest::newRow("een bestand als map") << "oud.brd/bord.brd";
    }
    void opslaanInEenMapDieNietBestaat() {
        QFETCH(QString, pad);
        schrijf(QStringLiteral("oud.brd"), kEenLed);
        TfKwintelvlak form;
        form.show();
        form.openenUitTekst(kTweeLeds, QStringLiteral("x"));
        Gebruiker gebruiker;
        // The dialog says so and stays open; a good name then saves.
        gebruiker.doe(
            [&] { form.miOpslaanAls->trigger(); },
            {typ(pad, Enter::Later), klik(QStringLiteral("OK")), typ(QStringLiteral("goed.brd"))});
        QCOMPARE(gebruiker.gezien.size(), 3);
        QCOMPARE(gebruiker.gezien[1].soort, QStringLiteral("vraag"));
        QCOMPARE(gebruiker.gezien[1].titel, QStringLiteral("Opslaan als"));
        QCOMPARE(gebruiker.gezien[1].icoon, QMessageBox::Warning);
        const QString map = QDir::toNativeSeparators(QFileInfo(pad).absolutePath());
        QCOMPARE(gebruiker.gezien[1].tekst,
                 map + QStringLiteral("\nDe map bestaat niet.\nControleer of de juiste map is "
                                      "opgegeven."));
        QCOMPARE(gebruiker.gezien[2].soort, QStringLiteral("dialoog"));
        QCOMPARE(lees(QStringLiteral("goed.brd")), kTweeLeds);
        QCOMPARE(lees(QStringLiteral("oud.brd")), kEenLed);
        QVERIFY(!QFileInfo::exists(QStringLiteral("geen_map")));
    }

    void opslaanOverEenBestaandBestand() {
        schrijf(QStringLiteral("oud.brd"), kEenLed);
        TfKwintelvlak form;
        form.show();
        form.openenUitTekst(kTweeLeds, QStringLiteral("x"));
        Gebruiker gebruiker;
        // "Nee" goes back to the dialog; cancelling it then leaves the file.
        gebruiker.doe([&] { form.miOpslaanAls->trigger(); },
                      {typ(QStringLiteral("oud.brd")), klik(QStringLiteral("&Nee")), annuleer()});
        QCOMPARE(gebruiker.gezien.size(), 3);
        QCOMPARE(gebruiker.gezien[1].tekst,
                 QStringLiteral("Het bestand \"%1\" bestaat al.\n"
                                "Wil je het vervangen?")
                     .arg(QDir::toNativeSeparators(QDir().absoluteFilePath("oud.brd"))));
        QCOMPARE(gebruiker.gezien[1].standaardKnop, QStringLiteral("&Nee"));
        QCOMPARE(gebruiker.gezien[2].soort, QStringLiteral("dialoog"));
        QCOMPARE(lees(QStringLiteral("oud.brd")), kEenLed);

        gebruiker.gezien.clear();
        gebruiker.doe([&] { form.miOpslaanAls->trigger(); },
                      {typ(QStringLiteral("oud.brd")), klik(QStringLiteral("&Ja"))});
        QCOMPARE(gebruiker.gezien.size(), 2);
        QCOMPARE(lees(QStringLiteral("oud.brd")), kTweeLeds);
    }

    void bewakingVanDeStandaardborden_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<bool>("bestaat");
        QTest::addColumn<QString>("antwoord"); // on the guard question; empty: none asked
        QTest::newRow("standaard.brd, nee") << "standaard.brd" << true << "&Nee";
        QTest::newRow("standaard.brd, ja") << "standaard.brd" << true << "&Ja";
        QTest::newRow("standaard2.brd, nee") << "standaard2.brd" << true << "&Nee";
        QTest::newRow("Standaard.brd vraagt niets") << "Standaard.brd" << true << "";
        QTest::newRow("standaard2.brd die er niet is") << "standaard2.brd" << false << "";
    }
    void bewakingVanDeStandaardborden() {
        QFETCH(QString, naam);
        QFETCH(bool, bestaat);
        QFETCH(QString, antwoord);
        if (bestaat)
            schrijf(naam, kEenLed);
        TfKwintelvlak form;
        form.show();
        form.openenUitTekst(kTweeLeds, QStringLiteral("x"));
        Gebruiker gebruiker;
        QList<Gebruiker::Stap> stappen{typ(naam)};
        if (bestaat)
            stappen << klik(QStringLiteral("&Ja")); // yes, replace the existing file
        if (!antwoord.isEmpty())
            stappen << klik(antwoord);
        gebruiker.doe([&] { form.miOpslaanAls->trigger(); }, stappen);

        QCOMPARE(gebruiker.gezien.size(), stappen.size());
        if (!antwoord.isEmpty()) {
            const Venster& v = gebruiker.gezien.last();
            QCOMPARE(v.tekst, bewakingsVraag(naam));
            QCOMPARE(v.titel, QStringLiteral("Kwintelvlak"));
            QCOMPARE(v.icoon, QMessageBox::Question);
            QCOMPARE(v.knoppen.size(), 2);
            QVERIFY(v.knoppen.contains(QStringLiteral("&Ja")));
            QVERIFY(v.knoppen.contains(QStringLiteral("&Nee")));
            QCOMPARE(v.standaardKnop, QStringLiteral("&Nee"));
        }
        const bool geschreven = antwoord != QLatin1String("&Nee");
        QCOMPARE(lees(naam), geschreven ? kTweeLeds : kEenLed);
        QCOMPARE(form.bordTekst(), kTweeLeds);
    }

private:
    QString m_startMap;
    std::unique_ptr<QTemporaryDir> m_map;
};

QTEST_MAIN(TestCommando)
#include "tst_commando.moc"
