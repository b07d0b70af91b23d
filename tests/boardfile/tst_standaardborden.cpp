// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The two standard boards that ship beside the program: they load without a
// word, are written exactly as the program writes boards, fit the window
// without overlapping, and hold what a lesson needs.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace kwinteltest;

namespace {
QByteArray lees(const QString& pad) {
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly))
        return "niet te lezen";
    return f.readAll();
}
} // namespace

class TestStandaardborden : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void bord_data() {
        QTest::addColumn<QString>("naam");
        // Kinds that must be on the board, with how many at least.
        QTest::addColumn<QList<int>>("soorten");
        // Inputs, processing and outputs a lesson needs.
        QTest::newRow("standaard.brd")
            << "standaard.brd"
            << QList<int>{0, 0, 2, 3, 4, 15, 16, 5, 6, 7, 8, 8, 10, 11, 1, 1, 1, 1, 13, 14};
        // Counting and measuring: two counters and eight LEDs for a byte.
        QTest::newRow("standaard2.brd")
            << "standaard2.brd"
            << QList<int>{0, 2, 3, 4, 5, 5, 6, 6, 8, 10, 11, 1, 1, 1, 1, 1, 1, 1, 1};
    }
    void bord() {
        QFETCH(QString, naam);
        QFETCH(QList<int>, soorten);
        const QString bron = QStringLiteral(KWINTEL_DATA_MAP "/") + naam;
        const QByteArray tekst = lees(bron);
        // The copy beside the program is the same file.
        QCOMPARE(lees(QStringLiteral(KWINTEL_PROGRAMMA_MAP "/") + naam), tekst);

        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!vangBericht([&] { form.openen(bron); }).getoond);
        form.miVernieuwenClick();
        QVERIFY(!form.modules.empty());
        // Exactly as the program writes it: saving it again changes nothing.
        QCOMPARE(form.bordTekst(), tekst);

        // Within the window, no two modules overlapping, nor the logo.
        const QRect venster(0, 0, 720, 576);
        QList<QRect> vakken;
        if (form.miLogoWeergeven->isChecked())
            vakken << form.pKwintelvlak->geometry();
        for (const TModule* m : form.modules) {
            const QRect g = m->geometry();
            QVERIFY2(venster.contains(g), qPrintable(m->objectName()));
            for (const QRect& ander : vakken)
                QVERIFY2(
                    !ander.intersects(g),
                    qPrintable(QStringLiteral("%1/%2").arg(m->moduleSoort->soort).arg(m->nummer)));
            vakken << g;
            // Unwired: the pupils wire it.
            for (const TUitgang* u : m->uitgangenLijst())
                QVERIFY(!u->isVerbonden());
        }
        QVERIFY(!form.scrollBox->horizontalScrollBar()->isVisible());
        QVERIFY(!form.scrollBox->verticalScrollBar()->isVisible());

        QList<int> aanwezig;
        for (const TModule* m : form.modules)
            aanwezig << m->moduleSoort->soort;
        for (int soort : soorten) {
            QVERIFY2(aanwezig.removeOne(soort), qPrintable(QString::number(soort)));
        }
    }
};

QTEST_MAIN(TestStandaardborden)
#include "tst_standaardborden.moc"
