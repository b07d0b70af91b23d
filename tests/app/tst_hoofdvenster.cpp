// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The main window as the user meets it: title, size, logo, menus, options and
// the two information boxes.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "editing/draadlaag.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"
#include "platform/helpviewer.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTest>

using namespace kwinteltest;

class TestHoofdvenster : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void titelEnClientgebied() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Kwintelvlak"));
        QCOMPARE(form.centralWidget()->size(), QSize(720, 576));
        QCOMPARE(form.scrollBox->viewport()->size(), QSize(720, 576));
        QVERIFY(form.bord->isAncestorOf(form.pKwintelvlak));
    }

    void startZetDeDecimaleKomma() {
        QLocale::setDefault(QLocale::c());
        TfKwintelvlak form;
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        bool ok = false;
        QCOMPARE(QLocale().toDouble(QStringLiteral("2,5"), &ok), 2.5);
        QVERIFY(ok);
        // Grouping is not a way to type a number: "2.500" is no number.
        QLocale().toDouble(QStringLiteral("2.500"), &ok);
        QVERIFY(!ok);
    }

    void logoPaneelStaatVerborgenOpZijnPlaats() {
        TfKwintelvlak form;
        form.show();
        QCOMPARE(form.pKwintelvlak->geometry(), QRect(528, 512, 192, 64));
        QVERIFY(form.pKwintelvlak->isHidden());
        QCOMPARE(form.lKwintelvlak->text(), QStringLiteral("KWINTELVLAK"));
        QCOMPARE(form.lKwintelvlak->geometry(), QRect(2, 18, 188, 28));
        QVERIFY(!form.lKwintelvlak->isHidden());
        QVERIFY(form.iKwintelvlak->picture().isNull());
    }

    void menuboom_data() {
        QTest::addColumn<QString>("pad");
        QTest::addColumn<QString>("sneltoets");
        QTest::addColumn<int>("vinkje"); // -1 not checkable, 0 unchecked, 1 checked
        QTest::addColumn<bool>("zichtbaar");

        struct Rij {
            const char* pad;
            const char* sneltoets;
            int vinkje;
            bool zichtbaar;
        };
        const Rij rijen[] = {
            {"&Bestand/&Nieuw", "Ctrl+N", -1, true},
            {"&Bestand/Nieuw &standaardbord (1)", "", -1, true},
            {"&Bestand/Nieuw standaardbord (2)", "", -1, true},
            {"&Bestand/&Openen...", "Ctrl+O", -1, true},
            {"&Bestand/Ops&laan als...", "Ctrl+S", -1, true},
            {"&Bestand/-", "", -1, true},
            {"&Bestand/&Afsluiten", "", -1, true},
            {"&Vernieuwen", "", -1, true},
            {"&Invoer/&Sensor", "", -1, true},
            {"&Invoer/&Geluid sensor", "", -1, true},
            {"&Invoer/&Drukschakelaar", "", -1, true},
            {"&Invoer/&Variabele spanning", "", -1, true},
            {"&Invoer/&Puls generator", "", -1, true},
            {"&Invoer/AD-Omzetter", "", -1, true},
            {"&Verwerking/&Transistor", "", -1, true},
            {"&Verwerking/&Comparator", "", -1, true},
            {"&Verwerking/&EN-Poort", "", -1, true},
            {"&Verwerking/&OF-Poort", "", -1, true},
            {"&Verwerking/&Geheugencel", "", -1, true},
            {"&Verwerking/&Invertor", "", -1, true},
            {"&Verwerking/I&nvertor (klein)", "", -1, true},
            {"&Verwerking/&Pulsenteller", "", -1, true},
            {"&Uitvoer/&LED", "", -1, true},
            {"&Uitvoer/&Zoemer", "", -1, true},
            {"&Uitvoer/&Relais", "", -1, true},
            {"Zwenkel", "", -1, false},
            {"&Split", "", -1, true},
            {"&Opties/&Teller laten doorlopen t/m F", "", 1, true},
            {"&Opties/&Logo weergeven", "", 0, true},
            {"&Help/Help-&onderwerpen", "F1", -1, true},
            {"&Help/-", "", -1, true},
            {"&Help/&Info...", "", -1, true},
        };
        for (const Rij& r : rijen)
            QTest::newRow(r.pad) << QString::fromUtf8(r.pad) << QString::fromUtf8(r.sneltoets)
                                 << r.vinkje << r.zichtbaar;
    }

    // Walks the real menu bar in order, so the test sees captions, order,
    // separators, shortcuts and check marks as the user does.
    void menuboom() {
        QFETCH(QString, pad);
        QFETCH(QString, sneltoets);
        QFETCH(int, vinkje);
        QFETCH(bool, zichtbaar);

        TfKwintelvlak form;
        // Only the first slash separates menu and item ("t/m F" has one too).
        const int streep = pad.indexOf(QLatin1Char('/'));
        const QStringList delen =
            streep < 0 ? QStringList{pad} : QStringList{pad.left(streep), pad.mid(streep + 1)};
        QAction* gevonden = nullptr;
        const QList<QAction*> balk = form.menuBar()->actions();
        for (QAction* a : balk)
            if (a->text() == delen[0])
                gevonden = a;
        QVERIFY2(gevonden, qPrintable(delen[0]));
        if (delen.size() == 2) {
            QVERIFY(gevonden->menu());
            // Separators are matched by their position among the items.
            const QList<QAction*> items = gevonden->menu()->actions();
            QAction* item = nullptr;
            if (delen[1] == QLatin1String("-")) {
                for (QAction* a : items)
                    if (a->isSeparator())
                        item = a;
            } else {
                for (QAction* a : items)
                    if (a->text() == delen[1])
                        item = a;
            }
            QVERIFY2(item, qPrintable(pad));
            gevonden = item;
        }
        QCOMPARE(gevonden->shortcut().toString(QKeySequence::PortableText), sneltoets);
        QCOMPARE(gevonden->isCheckable(), vinkje >= 0);
        if (vinkje >= 0)
            QCOMPARE(gevonden->isChecked(), vinkje == 1);
        QCOMPARE(gevonden->isVisible(), zichtbaar);
    }

    void menubalkVolgorde() {
        TfKwintelvlak form;
        QStringList teksten;
        for (QAction* a : form.menuBar()->actions())
            teksten << a->text();
        QCOMPARE(teksten,
                 (QStringList{"&Bestand", "Be&werken", "&Vernieuwen", "&Invoer", "&Verwerking",
                              "&Uitvoer", "Zwenkel", "&Split", "&Opties", "&Help"}));
        // "Bewerken" takes an access key no other menu uses.
        for (const QString& t : teksten)
            if (t != QLatin1String("Be&werken"))
                QVERIFY(!t.contains(QLatin1String("&w"), Qt::CaseInsensitive));
    }

    // Every menu's items in their order, a separator written as "-", so a
    // separator in the wrong place or an item out of order shows.
    void menuVolgorde_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("Bestand") << "&Bestand" << QStringList{"&Nieuw",
                                                              "Nieuw &standaardbord (1)",
                                                              "Nieuw standaardbord (2)",
                                                              "&Openen...",
                                                              "Ops&laan als...",
                                                              "-",
                                                              "&Afsluiten"};
        QTest::newRow("Bewerken") << "Be&werken" << QStringList{"&Ongedaan maken", "Opnie&uw"};
        QTest::newRow("Invoer") << "&Invoer"
                                << QStringList{"&Sensor",         "&Geluid sensor",
                                               "&Drukschakelaar", "&Variabele spanning",
                                               "&Puls generator", "AD-Omzetter"};
        QTest::newRow("Verwerking")
            << "&Verwerking"
            << QStringList{"&Transistor",  "&Comparator", "&EN-Poort",         "&OF-Poort",
                           "&Geheugencel", "&Invertor",   "I&nvertor (klein)", "&Pulsenteller"};
        QTest::newRow("Uitvoer") << "&Uitvoer" << QStringList{"&LED", "&Zoemer", "&Relais"};
        QTest::newRow("Zwenkel") << "Zwenkel" << QStringList{};
        QTest::newRow("Opties") << "&Opties"
                                << QStringList{"&Teller laten doorlopen t/m F", "&Logo weergeven"};
        QTest::newRow("Help") << "&Help" << QStringList{"Help-&onderwerpen", "-", "&Info..."};
    }

    void menuVolgorde() {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        TfKwintelvlak form;
        QMenu* gevonden = nullptr;
        for (QAction* a : form.menuBar()->actions())
            if (a->text() == menu)
                gevonden = a->menu();
        QVERIFY(gevonden);
        QStringList teksten;
        for (QAction* a : gevonden->actions())
            teksten << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(teksten, items);
        // Alt, the menu's letter and an item's letter run that item: no two
        // items of a menu share one.
        QString letters;
        for (const QString& t : teksten) {
            const qsizetype en = t.indexOf(QLatin1Char('&'));
            if (en < 0)
                continue;
            const QChar letter = t.at(en + 1).toLower();
            QVERIFY2(!letters.contains(letter), qPrintable(t));
            letters += letter;
        }
    }

    // "Vernieuwen" repaints the window and every control on it at once, not
    // some time later: the paint has happened when the command returns.
    void vernieuwenSchildertMeteen() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TModule* led = form.maakModule(entry(form, 1), 10, 10);
        QTest::qWait(20);
        struct Teller : QObject {
            int verf = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint)
                    ++verf;
                return false;
            }
        } teller;
        QWidget* klem = led->ingangenLijst()[0];
        klem->installEventFilter(&teller);
        form.draadLaag->installEventFilter(&teller);
        form.miVernieuwen->trigger();
        QCOMPARE(teller.verf, 2);
    }

    void buitenrandBegintOp86En44() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The frame's corner, not the client area's.
        QCOMPARE(form.frameGeometry().topLeft(), QPoint(86, 44));
        QCOMPARE(form.scrollBox->viewport()->size(), QSize(720, 576));
    }

    void logoWeergevenSchakelt() {
        TfKwintelvlak form;
        form.show();
        form.miLogoWeergeven->trigger();
        QVERIFY(form.miLogoWeergeven->isChecked());
        QVERIFY(form.pKwintelvlak->isVisible());
        form.miLogoWeergeven->trigger();
        QVERIFY(!form.miLogoWeergeven->isChecked());
        QVERIFY(!form.pKwintelvlak->isVisible());
    }

    void tellerOptieSchakeltEnNieuwZetHemAan() {
        TfKwintelvlak form;
        form.miTellerLatenDoorlopen->trigger();
        QVERIFY(!form.miTellerLatenDoorlopen->isChecked());
        form.miLogoWeergeven->trigger();
        form.miNieuw->trigger();
        QVERIFY(form.miTellerLatenDoorlopen->isChecked());
        QVERIFY(!form.miLogoWeergeven->isChecked());
        QVERIFY(form.pKwintelvlak->isHidden());
    }

    void sneltoetsNieuwWistHetBord() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        plaatsTestModule(form, entry(form, 1));
        QCOMPARE(form.modules.size(), size_t(1));
        QTest::keyClick(&form, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(form.modules.empty());
    }

    void infoVenster() {
        TfKwintelvlak form;
        const Bericht b = vangBericht([&] { form.miInfo->trigger(); });
        QVERIFY(b.getoond);
        QCOMPARE(b.titel, QStringLiteral("Informatie"));
        QCOMPARE(b.icoon, QMessageBox::Information);
        QCOMPARE(b.eigenaar, nullptr);
        QCOMPARE(b.knoppen, QStringList{QStringLiteral("OK")});
        const QStringList regels = b.tekst.split(QLatin1Char('\n'));
        QCOMPARE(regels.size(), 5);
        QCOMPARE(regels[0], QStringLiteral("Kwintelvlak simulatie  V1.50"));
        QVERIFY(!regels[1].isEmpty());
        QVERIFY(regels[2].isEmpty());
        // Contact lines on reserved example domains only.
        QVERIFY(regels[3].contains(QStringLiteral("example.")));
        QVERIFY(regels[4].contains(QLatin1Char('@')));
        QVERIFY(regels[4].contains(QStringLiteral("example.")));
    }

    void helpZonderHelpbestand() {
        QVERIFY(!QFileInfo::exists(TfKwintelvlak::programmaMap() + "kwintel.chm"));
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // F1 reaches the command through its shortcut.
        const Bericht b = vangBericht([&] { QTest::keyClick(&form, Qt::Key_F1); });
        QVERIFY(b.getoond);
        QCOMPARE(b.titel, QStringLiteral("Fout"));
        QCOMPARE(b.icoon, QMessageBox::Critical);
        QCOMPARE(b.eigenaar, &form);
        QCOMPARE(b.knoppen, QStringList{QStringLiteral("OK")});
        QCOMPARE(b.tekst,
                 QStringLiteral("Het helpbestand kon niet gevonden worden. Zorg ervoor\n"
                                "dat het bestand \"kwintel.chm\" aanwezig is in dezelfde map\n"
                                "als het Kwintelvlak programma."));
    }

    // With the help file beside the program, F1 hands it to the system's
    // help viewer (HTML Help on Windows) as the program always did: the main
    // window as owner, the file's full path, the default topic, no data.
    void helpGaatNaarDeHelpViewer() {
        const QString pad = TfKwintelvlak::programmaMap() + "kwintel.chm";
        QFile chm(pad);
        QVERIFY(chm.open(QIODevice::WriteOnly));
        chm.close();
        struct Opruimen {
            QString pad;
            ~Opruimen() { QFile::remove(pad); }
        } opruimen{pad};
        platform::HelpViewerRecorder viewer;
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const Bericht b = vangBericht([&] { QTest::keyClick(&form, Qt::Key_F1); });
        QVERIFY(!b.getoond);
        QCOMPARE(viewer.oproepen().size(), std::size_t(1));
        const auto& oproep = viewer.oproepen().front();
        QCOMPARE(oproep.eigenaar, &form);
        QVERIFY(QFileInfo(oproep.pad).isAbsolute());
        QCOMPARE(QFileInfo(oproep.pad), QFileInfo(pad));
        QCOMPARE(oproep.opdracht, 0u);
        QCOMPARE(oproep.gegevens, 0ull);
    }

    void logoBitmapNaastHetProgramma() {
        const QFileInfo programma(QCoreApplication::applicationFilePath());
        const QString pad = programma.absolutePath() + "/" + programma.completeBaseName() + ".bmp";
        QImage beeld(100, 40, QImage::Format_RGB32);
        beeld.fill(Qt::red);
        QVERIFY(beeld.save(pad, "BMP"));
        struct Opruimen {
            QString pad;
            ~Opruimen() { QFile::remove(pad); }
        } opruimen{pad};

        TfKwintelvlak form;
        QVERIFY(form.lKwintelvlak->isHidden());
        QCOMPARE(form.iKwintelvlak->picture().size(), QSize(100, 40));
        // Whether it shows still depends on the option.
        QVERIFY(form.pKwintelvlak->isHidden());
        form.show();
        form.miLogoWeergeven->trigger();
        const QImage paneel = form.pKwintelvlak->grab().toImage();
        QCOMPARE(paneel.pixelColor(96, 32), QColor(Qt::red)); // centred on the panel
    }

    void onleesbareLogoBitmapLaatDeTekstStaan() {
        const QFileInfo programma(QCoreApplication::applicationFilePath());
        const QString pad = programma.absolutePath() + "/" + programma.completeBaseName() + ".bmp";
        QFile f(pad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("geen bitmap");
        f.close();
        struct Opruimen {
            QString pad;
            ~Opruimen() { QFile::remove(pad); }
        } opruimen{pad};
        TfKwintelvlak form;
        QVERIFY(!form.lKwintelvlak->isHidden());
    }

    void afsluitenSluitHetVenster() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(form.isVisible());
        form.miAfsluiten->trigger();
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestHoofdvenster)
#include "tst_hoofdvenster.moc"
