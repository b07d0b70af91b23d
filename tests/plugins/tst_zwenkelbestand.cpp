// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Plug-in modules in board files: the text "save" gives is stored in the
// module's setting field and handed back to "open" when the board is read.
#include "../simulation/simtest.h"
#include "zwenkeltest.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kwinteltest;
using zwenkeltest::Map;

namespace {
const QString tzI = QStringLiteral("tz_i");
const QString tzO = QStringLiteral("tz_o");
constexpr int kLengte = INT_MIN; // "save" returns the length of its text
// A library's file name as a board file names it: tz_i.so, tz_i.dll.
QByteArray bib(const QString& naam) {
    return (naam + platform::bibliotheekAchtervoegsel()).toUtf8();
}
} // namespace

class TestZwenkelBestand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initProces(); }

    void opslaan_data() {
        QTest::addColumn<int>("resultaat");
        QTest::addColumn<QByteArray>("tekst");
        QTest::addColumn<QByteArray>("veld");
        QTest::newRow("0 bewaart niets") << 0 << QByteArray("abc") << QByteArray();
        QTest::newRow("lengte") << kLengte << QByteArray("abc") << QByteArray("abc");
        QTest::newRow("minder dan geschreven") << 2 << QByteArray("abc") << QByteArray("ab");
        QTest::newRow("300 wordt 256") << 300 << QByteArray(299, 'x') << QByteArray(256, 'x');
        QTest::newRow("-5 wordt 0") << -5 << QByteArray("abc") << QByteArray();
        QTest::newRow("streep") << kLengte << QByteArray("ab|cd") << QByteArray("ab");
        QTest::newRow("regeleinde") << kLengte << QByteArray("ab\r\ncd") << QByteArray("ab");
        QTest::newRow("LF") << kLengte << QByteArray("ab\ncd") << QByteArray("ab");
        QTest::newRow("1252-tekens") << kLengte << QByteArray("\x80\xE9") << QByteArray("\x80\xE9");
    }
    void opslaan() {
        QFETCH(int, resultaat);
        QFETCH(QByteArray, tekst);
        QFETCH(QByteArray, veld);
        Map map({tzI});
        TfKwintelvlak form;
        zwenkeltest::stel(form, tzI, {0, 0, -1, -1, -1, 1, 1});
        TZwenkelMod* m = zwenkeltest::maak(form, tzI, 10, 20);
        zwenkeltest::zetTekst(form, tzI, m, tekst.constData());
        zwenkeltest::stelSave(form, tzI, resultaat);
        QCOMPARE(form.bordTekst(),
                 "EKWINTELVLAK V1.5|1\r\n10|20|" + bib(tzI) + "|1|1|-1|1|1|" + veld + "|\r\n");
    }

    void lezenGeeftTekstAanOpen_data() {
        QTest::addColumn<QByteArray>("regel");
        QTest::addColumn<QByteArray>("tekst");
        QTest::newRow("gewoon") << "0|0|" + bib(tzI) + "|1|1|-1|1|1|hallo|" << QByteArray("hallo");
        QTest::newRow("tot de eerste streep")
            << "0|0|" + bib(tzI) + "|1|1|-1|1|1|ab|cd|" << QByteArray("ab");
        QTest::newRow("leeg") << "0|0|" + bib(tzI) + "|1|1|-1|1|1||" << QByteArray();
        QTest::newRow("geen veld") << "0|0|" + bib(tzI) + "|1|1|-1|1|1|" << QByteArray();
        QTest::newRow("geen uitgangen genoemd") << "0|0|" + bib(tzI) + "|1|0|x|" << QByteArray("x");
    }
    void lezenGeeftTekstAanOpen() {
        QFETCH(QByteArray, regel);
        QFETCH(QByteArray, tekst);
        Map map({tzI});
        TfKwintelvlak form;
        zwenkeltest::stel(form, tzI, {0, 0, -1, -1, -1, 1, 1});
        zwenkeltest::stelSave(form, tzI, kLengte);
        form.openenUitTekst("EKWINTELVLAK V1.5|1\r\n" + regel + "\r\n", QStringLiteral("b.brd"));
        QCOMPARE(int(form.modules.size()), 1);
        auto* m = qobject_cast<TZwenkelMod*>(form.modules[0]);
        QVERIFY(m);
        QCOMPARE(zwenkeltest::tekst(form, tzI, m), tekst);
    }

    void heenEnTerug() {
        // A board with plug-in modules from two libraries, wired to each other
        // and to built-in modules, saved and opened again: the same bytes,
        // and every module has its own text back.
        Map map({tzI, tzO});
        QTemporaryDir dir;
        const QString pad = dir.filePath(QStringLiteral("zwenkels.brd"));
        QByteArray geschreven;
        {
            TfKwintelvlak form;
            zwenkeltest::stel(form, tzI, {0, 0, -1, -1, -1, 2, 2});
            zwenkeltest::stel(form, tzO, {0, 0, -1, -1, -1, 0, 1});
            auto* a = zwenkeltest::maak(form, tzI, 10, 10);
            auto* b = zwenkeltest::maak(form, tzO, 100, 10);
            auto* c = zwenkeltest::maak(form, tzI, 200, 10);
            auto* v =
                simtest::maak<TVariabeleSpanningMod>(form, simtest::VARIABELESPANNING, 300, 10);
            v->regelaar->setValue(25);
            verbind(v, 1, a, 1);
            verbind(b, 1, a, 2);
            verbind(a, 1, c, 1);
            verbind(c, 2, c, 2);
            zwenkeltest::zetTekst(form, tzI, a, "eerste module");
            zwenkeltest::zetTekst(form, tzO, b, "tweede");
            zwenkeltest::zetTekst(form, tzI, c, "");
            QVERIFY(form.opslaan(pad));
            QFile f(pad);
            QVERIFY(f.open(QIODevice::ReadOnly));
            geschreven = f.readAll();
            QCOMPARE(geschreven, "EKWINTELVLAK V1.5|1\r\n10|10|" + bib(tzI) +
                                     "|1|2|20|3|1|-1|1|1|eerste module|\r\n100|10|" + bib(tzO) +
                                     "|2|1|20|1|2|tweede|\r\n200|10|" + bib(tzI) +
                                     "|3|2|-1|1|1|20|3|2||\r\n300|10|3|1|1|20|1|1|25|\r\n");
        }
        // The libraries were released with the first window and are loaded
        // afresh: they are told again what their modules look like.
        TfKwintelvlak form;
        zwenkeltest::stel(form, tzI, {0, 0, -1, -1, -1, 2, 2});
        zwenkeltest::stel(form, tzO, {0, 0, -1, -1, -1, 0, 1});
        form.openen(pad);
        QCOMPARE(form.bordTekst(), geschreven);
        const QList<QByteArray> verwacht{"eerste module", "tweede", ""};
        const QStringList bib{tzI, tzO, tzI};
        for (int i = 0; i < 3; ++i) {
            auto* m = qobject_cast<TZwenkelMod*>(form.modules[size_t(i)]);
            QVERIFY(m);
            QCOMPARE(zwenkeltest::tekst(form, bib[i], m), verwacht[i]);
        }
    }
};

QTEST_MAIN(TestZwenkelBestand)
#include "tst_zwenkelbestand.moc"
