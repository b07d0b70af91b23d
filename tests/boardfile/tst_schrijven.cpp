// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Writing a board: the exact bytes of the header and of every kind's line,
// a save and open that gives the same board back, and a save that fails
// without harming the file that was there.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/regelaars.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/variabelespanning.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kwinteltest;

namespace {

// Catalogue positions of the kinds used here.
enum Positie {
    DRUK = 0,
    LED = 1,
    PULS = 2,
    SPANNING = 3,
    AD = 4,
    COMPARATOR = 5,
    TELLER = 6,
    OF = 7,
    EN = 8,
    SPLIT = 9,
    SPLIT_KLEIN = 10,
    GEHEUGEN = 11,
    INVERTOR = 12,
    INVERTOR_KLEIN = 13,
    TRANSISTOR = 14,
    RELAIS = 15,
    ZOEMER = 16,
    GELUID = 17,
    SENSOR = 18,
};

TModule* maak(TfKwintelvlak& form, int positie, int top, int left) {
    return form.maakModule(entry(form, positie), top, left);
}

QByteArray lees(const QString& pad) {
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly))
        return "niet te lezen";
    return f.readAll();
}

void schrijf(const QString& pad, const QByteArray& inhoud) {
    QFile f(pad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhoud);
}

// Everything the file keeps about a module, as text.
QString beschrijf(const TModule* m) {
    QString s = QStringLiteral("%1%2/%3@%4,%5")
                    .arg(m->moduleSoort->soort)
                    .arg(m->moduleSoort->variant ? "S" : "")
                    .arg(int(m->nummer))
                    .arg(m->x())
                    .arg(m->y());
    for (const TUitgang* u : m->uitgangenLijst())
        s += QStringLiteral(" (%1,%2,%3)")
                 .arg(int(u->doelSoort))
                 .arg(int(u->doelNummer))
                 .arg(int(u->doelIngang));
    for (const TSpinEdit* r : m->findChildren<TSpinEdit*>())
        s += QStringLiteral(" =%1").arg(r->value());
    return s;
}

QStringList beschrijf(const TfKwintelvlak& form) {
    QStringList lijst;
    for (const TModule* m : form.modules)
        lijst << beschrijf(m);
    return lijst;
}

} // namespace

class TestSchrijven : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void kop_data() {
        QTest::addColumn<bool>("logo");
        QTest::addColumn<bool>("teller");
        QTest::addColumn<QByteArray>("kop");
        QTest::newRow("geen van beide") << false << false << QByteArray("EKWINTELVLAK V1.5|\r\n");
        QTest::newRow("teller") << false << true << QByteArray("EKWINTELVLAK V1.5|1\r\n");
        QTest::newRow("logo") << true << false << QByteArray("SKWINTELVLAK V1.5|\r\n");
        QTest::newRow("beide") << true << true << QByteArray("SKWINTELVLAK V1.5|1\r\n");
    }
    void kop() {
        QFETCH(bool, logo);
        QFETCH(bool, teller);
        TfKwintelvlak form;
        form.miLogoWeergeven->setChecked(logo);
        form.miTellerLatenDoorlopen->setChecked(teller);
        QTEST(form.bordTekst(), "kop");
    }

    void voorbeeldregels() {
        TfKwintelvlak form;
        TModule* druk = maak(form, DRUK, 100, 40);
        TModule* led = maak(form, LED, 100, 300);
        verbind(druk, 1, led, 1);
        auto* spanning = qobject_cast<TVariabeleSpanningMod*>(maak(form, SPANNING, 10, 10));
        spanning->regelaar->setValue(25);
        QCOMPARE(spanning->regelaar->text(), QStringLiteral("2,5"));
        maak(form, INVERTOR, 300, 300);
        maak(form, INVERTOR_KLEIN, 200, 200);
        maak(form, RELAIS, 50, 400);
        QCOMPARE(form.bordTekst(), QByteArray("EKWINTELVLAK V1.5|1\r\n"
                                              "100|40|0|1|1|1|1|1|\r\n"
                                              "100|300|1|1|0|\r\n"
                                              "10|10|3|1|1|-1|1|1|25|\r\n"
                                              "300|300|11|1|1|-1|1|1|\r\n"
                                              "200|200|11|2|1|-1|1|1|S|\r\n"
                                              "50|400|13|1|0|\r\n"));
    }

    void elkeSoort() {
        TfKwintelvlak form;
        maak(form, PULS, 0, 0);
        maak(form, AD, 0, 200);
        qobject_cast<TComparatorMod*>(maak(form, COMPARATOR, 0, 400))->regelaar->setValue(37);
        maak(form, TELLER, 100, 0);
        maak(form, OF, 100, 400);
        maak(form, EN, 200, 0);
        maak(form, SPLIT, 200, 200);
        maak(form, SPLIT_KLEIN, 200, 400);
        maak(form, GEHEUGEN, 300, 0);
        maak(form, TRANSISTOR, 300, 200);
        maak(form, ZOEMER, 300, 400);
        maak(form, GELUID, 400, 0);
        maak(form, SENSOR, 400, 200);
        QCOMPARE(form.bordTekst(), QByteArray("EKWINTELVLAK V1.5|1\r\n"
                                              "0|0|2|1|1|-1|1|1|1|\r\n"
                                              "0|200|4|1|4|-1|1|1|-1|1|1|-1|1|1|-1|1|1|\r\n"
                                              "0|400|5|1|1|-1|1|1|37|\r\n"
                                              "100|0|6|1|4|-1|1|1|-1|1|1|-1|1|1|-1|1|1|\r\n"
                                              "100|400|7|1|1|-1|1|1|\r\n"
                                              "200|0|8|1|1|-1|1|1|\r\n"
                                              "200|200|9|1|3|-1|1|1|-1|1|1|-1|1|1|\r\n"
                                              "200|400|9|2|3|-1|1|1|-1|1|1|-1|1|1|S|\r\n"
                                              "300|0|10|1|1|-1|1|1|\r\n"
                                              "300|200|12|1|1|-1|1|1|\r\n"
                                              "300|400|14|1|0|\r\n"
                                              "400|0|15|1|1|-1|1|1|\r\n"
                                              "400|200|16|1|1|-1|1|1|\r\n"));
    }

    void relais_data() {
        QTest::addColumn<int>("bedraad"); // 0 none, 1 first output, 2 second output
        QTest::addColumn<QByteArray>("regel");
        QTest::newRow("geen") << 0 << QByteArray("50|400|13|1|0|\r\n");
        QTest::newRow("eerste") << 1 << QByteArray("50|400|13|1|2|1|1|1|-1|1|1|\r\n");
        QTest::newRow("tweede") << 2 << QByteArray("50|400|13|1|2|-1|1|1|1|1|1|\r\n");
    }
    void relais() {
        QFETCH(int, bedraad);
        TfKwintelvlak form;
        TModule* relais = maak(form, RELAIS, 50, 400);
        TModule* led = maak(form, LED, 0, 0);
        if (bedraad)
            verbind(relais, bedraad, led, 1);
        QFETCH(QByteArray, regel);
        QVERIFY2(form.bordTekst().startsWith("EKWINTELVLAK V1.5|1\r\n" + regel),
                 form.bordTekst().constData());
    }

    void opslaanEnOpenenGeeftHetzelfdeBord() {
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("rondgang.brd"));
        TfKwintelvlak form;
        form.show();
        TModule* druk = maak(form, DRUK, 0, 0);
        TModule* led1 = maak(form, LED, 0, 528);
        TModule* inv = maak(form, INVERTOR_KLEIN, 64, 192);
        auto* puls = qobject_cast<TPulsGeneratorMod*>(maak(form, PULS, 64, 0));
        auto* spanning = qobject_cast<TVariabeleSpanningMod*>(maak(form, SPANNING, 128, 0));
        auto* comp = qobject_cast<TComparatorMod*>(maak(form, COMPARATOR, 128, 192));
        TModule* led2 = maak(form, LED, 64, 528);
        TModule* relais = maak(form, RELAIS, 256, 528);
        TModule* split = maak(form, SPLIT_KLEIN, 400, 0);
        TModule* teller = maak(form, TELLER, 900, 1200); // beyond the window
        maak(form, INVERTOR, -10, 600);
        puls->regelaar->setValue(7);
        spanning->regelaar->setValue(33);
        comp->regelaar->setValue(12);
        verbind(druk, 1, inv, 1);
        verbind(inv, 1, led2, 1);
        verbind(puls, 1, teller, 1);
        verbind(spanning, 1, comp, 1);
        verbind(relais, 2, led1, 1);
        verbind(split, 3, relais, 1);
        verbind(comp, 1, led1, 7); // an input the LED does not have
        // The file keeps the stacking order, not the order of making.
        form.modules.wissel(0, 9);
        form.miLogoWeergeven->setChecked(true);
        form.pKwintelvlak->show();
        form.miTellerLatenDoorlopen->setChecked(false);
        const QStringList voor = beschrijf(form);
        const QByteArray tekst = form.bordTekst();

        QVERIFY(form.opslaan(pad));
        QCOMPARE(lees(pad), tekst);
        QVERIFY(!vangBericht([&] { form.openen(pad); }).getoond);
        QCOMPARE(beschrijf(form), voor);
        QVERIFY(form.miLogoWeergeven->isChecked());
        QVERIFY(form.pKwintelvlak->isVisible());
        QVERIFY(!form.miTellerLatenDoorlopen->isChecked());
        QCOMPARE(form.bordTekst(), tekst);
        QVERIFY(form.opslaan(pad));
        QCOMPARE(lees(pad), tekst);
    }

    void elkeRegelEindigtOpCrLf() {
        TfKwintelvlak form;
        maak(form, LED, 1, 2);
        maak(form, SPLIT, 3, 4);
        const QByteArray tekst = form.bordTekst();
        QVERIFY(tekst.endsWith("|\r\n"));
        QCOMPARE(tekst.count('\r'), 3);
        QCOMPARE(tekst.count('\n'), 3);
        QCOMPARE(tekst.count("\r\n"), 3);
    }

    void mislukkenLaatHetOudeBestandStaan_data() {
        QTest::addColumn<QString>("geval");
        QTest::newRow("map is een bestand") << "mapIsBestand";
        QTest::newRow("doel is een map") << "doelIsMap";
        QTest::newRow("naam te lang voor een tijdelijk bestand") << "langeNaam";
        QTest::newRow("alleen-lezen map") << "alleenLezen";
    }
    void mislukkenLaatHetOudeBestandStaan() {
        QFETCH(QString, geval);
        QTemporaryDir map;
        const QDir dir(map.path());
        const QByteArray oud = "EKWINTELVLAK V1.5|1\r\n0|0|1|1|0|\r\n";
        QString pad;
        QString oudPad; // a file that must be left as it was
        if (geval == QLatin1String("mapIsBestand")) {
            oudPad = dir.filePath(QStringLiteral("geen-map"));
            schrijf(oudPad, oud);
            pad = oudPad + QStringLiteral("/bord.brd");
        } else if (geval == QLatin1String("doelIsMap")) {
            pad = dir.filePath(QStringLiteral("bord.brd"));
            QVERIFY(dir.mkdir(QStringLiteral("bord.brd")));
        } else if (geval == QLatin1String("langeNaam")) {
            // The name fits the file system, but the temporary file beside
            // it needs a few characters more: no temporary file, so no save.
            pad = oudPad = dir.filePath(QString(250, QLatin1Char('b')) + QStringLiteral(".brd"));
            schrijf(oudPad, oud);
        } else {
            pad = oudPad = dir.filePath(QStringLiteral("bord.brd"));
            schrijf(oudPad, oud);
            QVERIFY(
                QFile::setPermissions(map.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            QFile proef(dir.filePath(QStringLiteral("proef")));
            if (proef.open(QIODevice::WriteOnly)) {
                proef.remove();
                QFile::setPermissions(map.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
                QSKIP("permissions do not stop this user (the superuser)");
            }
        }

        TfKwintelvlak form;
        maak(form, DRUK, 5, 5);
        maak(form, SPLIT, 100, 5);
        const QByteArray tekst = form.bordTekst();
        bool gelukt = true;
        const Bericht b = vangBericht([&] { gelukt = form.opslaan(pad); });
        QFile::setPermissions(map.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QVERIFY(!gelukt);
        QVERIFY(b.getoond);
        QCOMPARE(b.icoon, QMessageBox::Critical);
        QVERIFY2(
            b.tekst.startsWith(QStringLiteral("Het bord kon niet worden opgeslagen als \"%1\".")
                                   .arg(QDir::toNativeSeparators(pad))),
            qPrintable(b.tekst));
        QVERIFY(b.tekst.endsWith(
            QStringLiteral("Een bestaand bestand met die naam is niet veranderd.")));
        if (!oudPad.isEmpty())
            QCOMPARE(lees(oudPad), oud);
        // Nothing left behind but what was there, and the board unchanged.
        QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 1);
        QCOMPARE(form.bordTekst(), tekst);
    }
};

QTEST_MAIN(TestSchrijven)
#include "tst_schrijven.moc"
