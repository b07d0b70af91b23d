// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The text layer of board files, without a window: numbers, lines, the
// header, the fields of a module line and the character set.
#include "boardfile/bordbestand.h"
#include "boardfile/cp1252.h"

#include <QTest>

using namespace bordbestand;

Q_DECLARE_METATYPE(std::optional<int>)

namespace {
QList<QByteArray> alsLijst(const std::vector<QByteArray>& v) {
    return QList<QByteArray>(v.begin(), v.end());
}
} // namespace

class TestBordbestand : public QObject {
    Q_OBJECT
private slots:
    void geheelGetal_data() {
        QTest::addColumn<QByteArray>("veld");
        QTest::addColumn<std::optional<int>>("verwacht");
        const std::optional<int> geen;
        QTest::newRow("gewoon") << QByteArray("100") << std::optional<int>(100);
        QTest::newRow("negatief") << QByteArray("-1") << std::optional<int>(-1);
        QTest::newRow("plus") << QByteArray("+7") << std::optional<int>(7);
        QTest::newRow("nullen voorop") << QByteArray("007") << std::optional<int>(7);
        QTest::newRow("min nul") << QByteArray("-0") << std::optional<int>(0);
        QTest::newRow("spaties om") << QByteArray("  42 \t") << std::optional<int>(42);
        QTest::newRow("hex") << QByteArray("$1F") << std::optional<int>(31);
        QTest::newRow("hex kleine letters") << QByteArray("-$ff") << std::optional<int>(-255);
        QTest::newRow("grootste") << QByteArray("2147483647") << std::optional<int>(2147483647);
        QTest::newRow("kleinste") << QByteArray("-2147483648")
                                  << std::optional<int>(-2147483647 - 1);
        QTest::newRow("hex grootste") << QByteArray("$7FFFFFFF") << std::optional<int>(2147483647);
        QTest::newRow("te groot") << QByteArray("2147483648") << geen;
        QTest::newRow("te klein") << QByteArray("-2147483649") << geen;
        QTest::newRow("hex te groot") << QByteArray("$80000000") << geen;
        QTest::newRow("veel cijfers") << QByteArray("99999999999999999999999999") << geen;
        QTest::newRow("veel nullen")
            << QByteArray("000000000000000000000012") << std::optional<int>(12);
        QTest::newRow("leeg") << QByteArray() << geen;
        QTest::newRow("alleen spaties") << QByteArray("   ") << geen;
        QTest::newRow("alleen teken") << QByteArray("-") << geen;
        QTest::newRow("alleen dollar") << QByteArray("$") << geen;
        QTest::newRow("dubbel teken") << QByteArray("--1") << geen;
        QTest::newRow("komma") << QByteArray("2,5") << geen;
        QTest::newRow("punt") << QByteArray("2.5") << geen;
        QTest::newRow("letters erachter") << QByteArray("12abc") << geen;
        QTest::newRow("spatie binnenin") << QByteArray("1 2") << geen;
        QTest::newRow("hex zonder dollar") << QByteArray("1F") << geen;
        QTest::newRow("teken na spatie") << QByteArray("- 1") << geen;
        QTest::newRow("nul-byte") << QByteArray("1\0", 2) << geen;
        QTest::newRow("naam") << QByteArray("zwenkel.so") << geen;
    }
    void geheelGetal() {
        QFETCH(QByteArray, veld);
        QFETCH(std::optional<int>, verwacht);
        QCOMPARE(alsGeheel(veld), verwacht);
    }

    void regelEinden_data() {
        QTest::addColumn<QByteArray>("tekst");
        QTest::addColumn<QList<QByteArray>>("verwacht");
        using L = QList<QByteArray>;
        QTest::newRow("leeg") << QByteArray() << L{};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << L{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << L{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << L{"a", "b"};
        QTest::newRow("gemengd") << QByteArray("a\rb\nc\r\nd") << L{"a", "b", "c", "d"};
        QTest::newRow("laatste zonder einde") << QByteArray("a\r\nb") << L{"a", "b"};
        QTest::newRow("lege regels") << QByteArray("a\r\n\r\n\nb") << L{"a", "", "", "b"};
        QTest::newRow("LF CR is twee einden") << QByteArray("a\n\rb") << L{"a", "", "b"};
        QTest::newRow("alleen een einde") << QByteArray("\r\n") << L{""};
    }
    void regelEinden() {
        QFETCH(QByteArray, tekst);
        QFETCH(QList<QByteArray>, verwacht);
        QList<QByteArray> lijst;
        for (QByteArrayView r : regels(tekst))
            lijst << r.toByteArray();
        QCOMPARE(lijst, verwacht);
    }

    void kop_data() {
        QTest::addColumn<QByteArray>("regel");
        QTest::addColumn<bool>("logo");
        QTest::addColumn<bool>("teller");
        QTest::newRow("S met 1") << QByteArray("SKWINTELVLAK V1.5|1") << true << true;
        QTest::newRow("E zonder") << QByteArray("EKWINTELVLAK V1.5|") << false << false;
        QTest::newRow("S zonder") << QByteArray("SKWINTELVLAK V1.5|") << true << false;
        QTest::newRow("E met 1") << QByteArray("EKWINTELVLAK V1.5|1") << false << true;
        QTest::newRow("kleine s") << QByteArray("sKWINTELVLAK V1.5|1") << false << true;
        QTest::newRow("geen streep") << QByteArray("SKWINTELVLAK V1.5") << true << false;
        QTest::newRow("ander woord en versie") << QByteArray("SBORD V9|x") << true << true;
        QTest::newRow("spatie na streep") << QByteArray("S|  1") << true << false;
        QTest::newRow("tab na streep") << QByteArray("E|\t") << false << false;
        QTest::newRow("eerste streep telt") << QByteArray("E|||1") << false << true;
        QTest::newRow("leeg") << QByteArray() << false << false;
        QTest::newRow("moduleregel als kop") << QByteArray("100|40|0|1|1|1|1|1|") << false << true;
    }
    void kop() {
        QFETCH(QByteArray, regel);
        QFETCH(bool, logo);
        QFETCH(bool, teller);
        const Kop k = leesKop(regel);
        QCOMPARE(k.logo, logo);
        QCOMPARE(k.tellerDoorlopen, teller);
    }

    void moduleRegel_data() {
        QTest::addColumn<QByteArray>("regel");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("soort");
        QTest::addColumn<QByteArray>("naam");
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<QByteArray>>("draden");
        QTest::addColumn<QByteArray>("instelling");
        QTest::addColumn<bool>("variant");
        using L = QList<QByteArray>;
        QTest::newRow("drukschakelaar naar LED")
            << QByteArray("100|40|0|1|1|1|1|1|") << 100 << 40 << 0 << QByteArray() << 1
            << L{"1", "1", "1"} << QByteArray() << false;
        QTest::newRow("LED") << QByteArray("100|300|1|1|0|") << 100 << 300 << 1 << QByteArray() << 0
                             << L{} << QByteArray() << false;
        QTest::newRow("variabele spanning")
            << QByteArray("10|10|3|1|1|-1|1|1|25|") << 10 << 10 << 3 << QByteArray() << 1
            << L{"-1", "1", "1"} << QByteArray("25") << false;
        QTest::newRow("kleine invertor")
            << QByteArray("200|200|11|2|1|-1|1|1|S|") << 200 << 200 << 11 << QByteArray() << 1
            << L{"-1", "1", "1"} << QByteArray("S") << true;
        QTest::newRow("kleine s is geen variant")
            << QByteArray("0|0|9|1|3|-1|1|1|-1|1|1|-1|1|1|s|") << 0 << 0 << 9 << QByteArray() << 3
            << L{"-1", "1", "1", "-1", "1", "1", "-1", "1", "1"} << QByteArray("s") << false;
        QTest::newRow("S zonder splitsing of invertor")
            << QByteArray("0|0|3|1|0|S|") << 0 << 0 << 3 << QByteArray() << 0 << L{}
            << QByteArray("S") << false;
        QTest::newRow("relais zonder draden") << QByteArray("50|400|13|1|0|") << 50 << 400 << 13
                                              << QByteArray() << 0 << L{} << QByteArray() << false;
        QTest::newRow("insteekmodule")
            << QByteArray("5|6|zwenkel.so|1|0|tekst|") << 5 << 6 << 20 << QByteArray("zwenkel.so")
            << 0 << L{} << QByteArray("tekst") << false;
        QTest::newRow("insteektekst tot de eerste streep")
            << QByteArray("5|6|zwenkel.so|1|0|a|b|") << 5 << 6 << 20 << QByteArray("zwenkel.so")
            << 0 << L{} << QByteArray("a") << false;
        QTest::newRow("tekst 20 is naam 20")
            << QByteArray("5|6|20|1|0||") << 5 << 6 << 20 << QByteArray("20") << 0 << L{}
            << QByteArray() << false;
        QTest::newRow("lege regel")
            << QByteArray() << 0 << 0 << 20 << QByteArray() << 0 << L{} << QByteArray() << false;
        QTest::newRow("leeg soortveld") << QByteArray("1|2||1|0|") << 1 << 2 << 20 << QByteArray()
                                        << 0 << L{} << QByteArray() << false;
        // Text after the last bar is no field: "0" here is lost, so the kind
        // is empty.
        QTest::newRow("laatste veld zonder streep")
            << QByteArray("100|40|0") << 100 << 40 << 20 << QByteArray() << 0 << L{} << QByteArray()
            << false;
        QTest::newRow("geen getallen") << QByteArray("a|b|1|1|x|") << 0 << 0 << 1 << QByteArray()
                                       << 0 << L{} << QByteArray() << false;
        QTest::newRow("ontbrekende draadvelden zijn leeg")
            << QByteArray("1|1|0|1|1|-1|") << 1 << 1 << 0 << QByteArray() << 1 << L{"-1", "", ""}
            << QByteArray() << false;
        QTest::newRow("instelling na te veel drietallen")
            << QByteArray("10|10|3|1|2|-1|1|1|-1|1|1|25|") << 10 << 10 << 3 << QByteArray() << 2
            << L{"-1", "1", "1", "-1", "1", "1"} << QByteArray("25") << false;
        QTest::newRow("negatieve n leest geen draden")
            << QByteArray("1|1|3|1|-4|30|") << 1 << 1 << 3 << QByteArray() << -4 << L{}
            << QByteArray("30") << false;
        QTest::newRow("enorme n") << QByteArray("1|1|3|1|2147483647|1|2|3|") << 1 << 1 << 3
                                  << QByteArray() << 2147483647
                                  << L{"1", "2", "3", "", "", "", "", "", "", "",
                                       "",  "",  "",  "", "", "", "", "", "", "",
                                       "",  "",  "",  "", "", "", "", "", "", ""}
                                  << QByteArray() << false;
        QTest::newRow("elf drietallen: instelling na alle 33")
            << (QByteArray("0|0|3|1|11|") + QByteArray("-1|1|1|").repeated(11) + "7|") << 0 << 0
            << 3 << QByteArray() << 11 << alsLijst([] {
                   std::vector<QByteArray> v;
                   for (int i = 0; i < 10; ++i)
                       v.insert(v.end(), {"-1", "1", "1"});
                   return v;
               }())
            << QByteArray("7") << false;
    }
    void moduleRegel() {
        QFETCH(QByteArray, regel);
        const ModuleRegel r = leesModuleRegel(regel, 3);
        QCOMPARE(r.regelNummer, 3);
        QTEST(r.top, "top");
        QTEST(r.left, "left");
        QTEST(r.soort, "soort");
        QTEST(r.naam, "naam");
        QTEST(r.n, "n");
        QTEST(alsLijst(r.draadVelden), "draden");
        QTEST(r.instelling, "instelling");
        QTEST(r.variant, "variant");
    }

    void ontleedGeeftRegelnummers() {
        const BordInhoud b = ontleed("EKWINTELVLAK V1.5|\r\n\r\n100|300|1|1|0|\n1|1|1|1|0|");
        QVERIFY(b.kop);
        QCOMPARE(b.modules.size(), size_t(3));
        QCOMPARE(b.modules[0].regelNummer, 2);
        QCOMPARE(b.modules[1].regelNummer, 3);
        QCOMPARE(b.modules[2].regelNummer, 4);
        QVERIFY(!ontleed("").kop);
    }

    void tekenset() {
        // Every byte reads as one character and writes back as the same byte.
        QByteArray alle;
        for (int b = 0; b < 256; ++b)
            alle += char(b);
        const QString tekst = cp1252::naarTekst(alle);
        QCOMPARE(tekst.size(), 256);
        QCOMPARE(cp1252::vanTekst(tekst), alle);
        QCOMPARE(cp1252::naarTekst("\x80\x8A\x9F\xE9"), QStringLiteral("€ŠŸé"));
        QCOMPARE(cp1252::vanTekst(QStringLiteral("zwenkel-€é.so")),
                 QByteArray("zwenkel-\x80\xE9.so"));
        // What Windows-1252 cannot hold becomes one "?" per character.
        QCOMPARE(cp1252::vanTekst(QStringLiteral("a\u0142b\U0001F600c")), QByteArray("a?b?c"));
    }
};

QTEST_APPLESS_MAIN(TestBordbestand)
#include "tst_bordbestand.moc"
