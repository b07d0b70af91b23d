// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The module artwork: format and size of every picture, lines that meet the
// terminals where the modules place them, the relay's two states, and the
// two key bitmaps.
#include "modules/tekeningen.h"

#include <QRect>
#include <QtTest>
#include <functional>

namespace {

using Tekening = std::function<QImage()>;

const QRgb wit = qRgb(255, 255, 255);
const QRgb zwart = qRgb(0, 0, 0);

bool isZwart(const QImage& beeld, QPoint p) {
    return beeld.pixel(p) == zwart;
}

// Where a line has to meet a part of the module (a terminal, a key, the
// setting control or the counter's display):
//  - Links/Rechts/Boven/Onder: on that edge of the picture, at the part's
//    centre, for parts that stand beside the picture or just overlap its edge;
//  - LinksVan/RechtsVan/BovenVan/OnderVan: on the pixel just outside that
//    side of the part, at its centre, for parts that stand over the picture.
enum class Zijde { Links, Rechts, Boven, Onder, LinksVan, RechtsVan, BovenVan, OnderVan };

QPoint ontmoetingspunt(QSize maat, QPoint plaats, QRect deel, Zijde zijde) {
    // Centre of the part in picture coordinates.
    const QPoint m(deel.left() + deel.width() / 2 - plaats.x(),
                   deel.top() + deel.height() / 2 - plaats.y());
    const QRect d = deel.translated(-plaats);
    switch (zijde) {
    case Zijde::Links:
        return {0, m.y()};
    case Zijde::Rechts:
        return {maat.width() - 1, m.y()};
    case Zijde::Boven:
        return {m.x(), 0};
    case Zijde::Onder:
        return {m.x(), maat.height() - 1};
    case Zijde::LinksVan:
        return {d.left() - 1, m.y()};
    case Zijde::RechtsVan:
        return {d.right() + 1, m.y()};
    case Zijde::BovenVan:
        return {m.x(), d.top() - 1};
    case Zijde::OnderVan:
        return {m.x(), d.bottom() + 1};
    }
    return {};
}

bool horizontaal(Zijde z) {
    return z == Zijde::Links || z == Zijde::Rechts || z == Zijde::LinksVan || z == Zijde::RechtsVan;
}

QRect terminal(int x, int y) {
    return {x, y, 17, 17};
}

} // namespace

class TstTekeningen : public QObject {
    Q_OBJECT

private slots:
    void formaat_data();
    void formaat();
    void lijnenRakenDeDelen_data();
    void lijnenRakenDeDelen();
    void poortenVerschillen();
    void relaisVerschiltAlleenInHetContact();
    void knopOmhoog();
    void knopOmlaagIsGedraaid();
};

void TstTekeningen::formaat_data() {
    QTest::addColumn<Tekening>("tekening");
    QTest::addColumn<QSize>("maat");

    QTest::newRow("comparator") << Tekening(tekeningen::comparator) << QSize(121, 64);
    QTest::newRow("pulsenteller") << Tekening(tekeningen::pulsenTeller) << QSize(289, 56);
    QTest::newRow("of-poort") << Tekening(tekeningen::ofPoort) << QSize(132, 33);
    QTest::newRow("en-poort") << Tekening(tekeningen::enPoort) << QSize(132, 33);
    QTest::newRow("geheugencel") << Tekening(tekeningen::geheugenCel) << QSize(132, 33);
    QTest::newRow("invertor") << Tekening(tekeningen::invertor) << QSize(132, 33);
    QTest::newRow("transistor") << Tekening(tekeningen::transistor) << QSize(137, 74);
    QTest::newRow("relais") << Tekening(tekeningen::relais) << QSize(138, 66);
    QTest::newRow("relais2") << Tekening(tekeningen::relais2) << QSize(138, 66);
    QTest::newRow("zoemer") << Tekening(tekeningen::zoemer) << QSize(38, 54);
}

void TstTekeningen::formaat() {
    QFETCH(Tekening, tekening);
    QFETCH(QSize, maat);
    const QImage beeld = tekening();

    QCOMPARE(beeld.size(), maat);
    QCOMPARE(beeld.format(), QImage::Format_Mono);
    QCOMPARE(beeld.depth(), 1);
    QCOMPARE(beeld.colorTable(), QList<QRgb>({wit, zwart}));

    // A line drawing on white: mostly background, but something drawn.
    int zwarteBeeldpunten = 0;
    for (int y = 0; y < beeld.height(); ++y)
        for (int x = 0; x < beeld.width(); ++x)
            zwarteBeeldpunten += isZwart(beeld, {x, y}) ? 1 : 0;
    const double deel = double(zwarteBeeldpunten) / (maat.width() * maat.height());
    QVERIFY2(deel > 0.02, qPrintable(QString("only %1 black pixels").arg(zwarteBeeldpunten)));
    QVERIFY2(deel < 0.25, qPrintable(QString("%1 black pixels").arg(zwarteBeeldpunten)));
}

void TstTekeningen::lijnenRakenDeDelen_data() {
    QTest::addColumn<Tekening>("tekening");
    QTest::addColumn<QPoint>("plaats"); // the picture's place on its panel
    QTest::addColumn<QRect>("deel");    // the part on the same panel
    QTest::addColumn<Zijde>("zijde");

    const Tekening comparator = tekeningen::comparator;
    const QPoint cp(24, 16);
    QTest::newRow("comparator ingang") << comparator << cp << terminal(8, 24) << Zijde::Links;
    QTest::newRow("comparator uitgang") << comparator << cp << terminal(144, 24) << Zijde::Rechts;
    QTest::newRow("comparator regelaar")
        << comparator << cp << QRect(88, 68, 48, 22) << Zijde::LinksVan;

    const Tekening teller = tekeningen::pulsenTeller;
    const QPoint tp(24, 33);
    QTest::newRow("teller ingang 1") << teller << tp << terminal(16, 16) << Zijde::Boven;
    QTest::newRow("teller ingang 2") << teller << tp << terminal(16, 48) << Zijde::Links;
    QTest::newRow("teller ingang 3") << teller << tp << terminal(16, 80) << Zijde::Links;
    for (int i = 1; i <= 4; ++i)
        QTest::addRow("teller uitgang %d", i)
            << teller << tp << terminal(32 * i + 176, 16) << Zijde::Boven;
    QTest::newRow("teller knop links") << teller << tp << QRect(149, 80, 16, 16) << Zijde::LinksVan;
    QTest::newRow("teller knop rechts")
        << teller << tp << QRect(149, 80, 16, 16) << Zijde::RechtsVan;
    QTest::newRow("teller telstand") << teller << tp << QRect(280, 52, 32, 40) << Zijde::LinksVan;

    const QPoint pp(16, 40);
    const struct {
        const char* naam;
        Tekening tekening;
    } poorten[] = {{"of-poort", tekeningen::ofPoort},
                   {"en-poort", tekeningen::enPoort},
                   {"geheugencel", tekeningen::geheugenCel}};
    for (const auto& p : poorten) {
        QTest::addRow("%s ingang 1", p.naam) << p.tekening << pp << terminal(8, 24) << Zijde::Boven;
        QTest::addRow("%s ingang 2", p.naam) << p.tekening << pp << terminal(8, 72) << Zijde::Onder;
        QTest::addRow("%s uitgang", p.naam)
            << p.tekening << pp << terminal(144, 48) << Zijde::Rechts;
    }

    const Tekening invertor = tekeningen::invertor;
    QTest::newRow("invertor ingang") << invertor << pp << terminal(8, 48) << Zijde::Links;
    QTest::newRow("invertor uitgang") << invertor << pp << terminal(144, 48) << Zijde::Rechts;
    const QPoint kp(16, 8);
    QTest::newRow("kleine invertor ingang") << invertor << kp << terminal(8, 16) << Zijde::Links;
    QTest::newRow("kleine invertor uitgang")
        << invertor << kp << terminal(144, 16) << Zijde::Rechts;

    const Tekening transistor = tekeningen::transistor;
    const QPoint trp(16, 8);
    QTest::newRow("transistor ingang") << transistor << trp << terminal(8, 24) << Zijde::Links;
    QTest::newRow("transistor uitgang") << transistor << trp << terminal(144, 24) << Zijde::Rechts;

    const QPoint rp(32, 16);
    const struct {
        const char* naam;
        Tekening tekening;
    } relais[] = {{"relais", tekeningen::relais}, {"relais2", tekeningen::relais2}};
    for (const auto& r : relais) {
        QTest::addRow("%s spoel", r.naam) << r.tekening << rp << terminal(16, 24) << Zijde::Links;
        QTest::addRow("%s ingang 2", r.naam)
            << r.tekening << rp << terminal(112, 24) << Zijde::OnderVan;
        QTest::addRow("%s ingang 3", r.naam)
            << r.tekening << rp << terminal(160, 24) << Zijde::OnderVan;
        QTest::addRow("%s uitgang 1", r.naam)
            << r.tekening << rp << terminal(112, 72) << Zijde::BovenVan;
        QTest::addRow("%s uitgang 2", r.naam)
            << r.tekening << rp << terminal(160, 72) << Zijde::BovenVan;
    }
}

void TstTekeningen::lijnenRakenDeDelen() {
    QFETCH(Tekening, tekening);
    QFETCH(QPoint, plaats);
    QFETCH(QRect, deel);
    QFETCH(Zijde, zijde);
    const QImage beeld = tekening();

    const QPoint p = ontmoetingspunt(beeld.size(), plaats, deel, zijde);
    QVERIFY2(beeld.rect().contains(p), "the part is nowhere near the picture");
    QVERIFY2(isZwart(beeld, p), qPrintable(QString("no line at (%1, %2)").arg(p.x()).arg(p.y())));

    // The line meets the part at its centre: three pixels to either side
    // along the edge it crosses there is background.
    const QPoint opzij = horizontaal(zijde) ? QPoint(0, 3) : QPoint(3, 0);
    for (const QPoint q : {p - opzij, p + opzij})
        if (beeld.rect().contains(q))
            QVERIFY2(!isZwart(beeld, q),
                     qPrintable(QString("(%1, %2) is not background").arg(q.x()).arg(q.y())));
}

void TstTekeningen::poortenVerschillen() {
    // The four gate-sized pictures share their size but not their symbol.
    const QImage beelden[] = {tekeningen::ofPoort(), tekeningen::enPoort(),
                              tekeningen::geheugenCel(), tekeningen::invertor()};
    for (std::size_t i = 0; i < std::size(beelden); ++i)
        for (std::size_t j = i + 1; j < std::size(beelden); ++j)
            QVERIFY2(beelden[i] != beelden[j], qPrintable(QString("%1 == %2").arg(i).arg(j)));
}

void TstTekeningen::relaisVerschiltAlleenInHetContact() {
    const QImage open = tekeningen::relais();
    const QImage dicht = tekeningen::relais2();
    QCOMPARE(open.size(), dicht.size());

    // The contact column of input 2 (112, 24) and output 1 (112, 72), on a
    // picture at (32, 16), between the two terminals.
    const QPoint plaats(32, 16);
    const int kolom = 112 + 8 - plaats.x();
    const int boven = 24 + 17 - plaats.y();
    const int onder = 72 - 1 - plaats.y();
    // The switch region: that stretch of column with room to the left for
    // the moving contact and the end of the link from the coil.
    const QRect schakelaar(QPoint(kolom - 20, boven), QPoint(kolom + 4, onder));

    int verschillen = 0;
    for (int y = 0; y < open.height(); ++y) {
        for (int x = 0; x < open.width(); ++x) {
            if (open.pixel(x, y) == dicht.pixel(x, y))
                continue;
            ++verschillen;
            QVERIFY2(schakelaar.contains(x, y),
                     qPrintable(QString("the pictures differ at (%1, %2)").arg(x).arg(y)));
        }
    }
    QVERIFY(verschillen > 0);

    // Closed, the column runs unbroken from terminal to terminal; open, it is broken.
    bool openDoorlopend = true;
    for (int y = boven; y <= onder; ++y) {
        QVERIFY2(isZwart(dicht, {kolom, y}), qPrintable(QString("closed gap at row %1").arg(y)));
        openDoorlopend = openDoorlopend && isZwart(open, {kolom, y});
    }
    QVERIFY(!openDoorlopend);

    // The pass-through column of input 3 and output 2 is unbroken in both.
    const int doorvoer = 160 + 8 - plaats.x();
    for (int y = boven; y <= onder; ++y) {
        QVERIFY(isZwart(open, {doorvoer, y}));
        QVERIFY(isZwart(dicht, {doorvoer, y}));
    }
}

void TstTekeningen::knopOmhoog() {
    const QImage knop = tekeningen::knopOmhoog();
    QCOMPARE(knop.size(), QSize(16, 16));
    QCOMPARE(knop.format(), QImage::Format_RGB888);
    QCOMPARE(knop.depth(), 24);

    // Inside the two-pixel bevel everything is the face.
    const QRgb vlak = qRgb(84, 84, 245);
    for (int y = 2; y <= 13; ++y)
        for (int x = 2; x <= 13; ++x)
            QCOMPARE(knop.pixel(x, y), vlak);

    const auto helderheid = [&](int x, int y) {
        const QRgb c = knop.pixel(x, y);
        return qRed(c) + qGreen(c) + qBlue(c);
    };
    const int vlakHelderheid = 84 + 84 + 245;
    for (int i = 0; i < 2; ++i) {
        // Light along the top and the left, dark along the bottom and the right.
        QVERIFY(helderheid(8, i) > vlakHelderheid);
        QVERIFY(helderheid(i, 8) > vlakHelderheid);
        QVERIFY(helderheid(8, 15 - i) < vlakHelderheid);
        QVERIFY(helderheid(15 - i, 8) < vlakHelderheid);
    }
    // The outer edge at the bottom and right is black all the way along.
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(knop.pixel(i, 15), qRgb(0, 0, 0));
        QCOMPARE(knop.pixel(15, i), qRgb(0, 0, 0));
    }
}

void TstTekeningen::knopOmlaagIsGedraaid() {
    const QImage op = tekeningen::knopOmhoog();
    const QImage neer = tekeningen::knopOmlaag();
    QCOMPARE(neer.size(), QSize(16, 16));
    QCOMPARE(neer.format(), QImage::Format_RGB888);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            QCOMPARE(neer.pixel(x, y), op.pixel(15 - x, 15 - y));
    QVERIFY(neer != op);
}

QTEST_MAIN(TstTekeningen)
#include "tst_tekeningen.moc"
