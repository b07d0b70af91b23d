// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The tone generator's samples (gapless Beeps, held tones through late ticks,
// fades, frequency) and the speaker port emulation.
#include "platform/poorten.h"
#include "platform/toon.h"
#include "support/nepstroom.h"

#include <QTest>
#include <cmath>
#include <cstdlib>
#include <random>

using platform::PoortToegang;
using platform::ToonBron;
using platform::ToonRecorder;

namespace {

constexpr int kPerMs = ToonBron::kRate / 1000; // 44 samples and a bit

using nepstroom::Beep;

std::vector<Beep> opTijden(const std::vector<int>& ms) {
    std::vector<Beep> uit;
    for (int t : ms)
        uit.push_back({double(t)});
    return uit;
}

// The board's ticks: tick k comes at 10 k ms, up to schommel ms late, and with
// laatMs every seventh tick inside a held tone is that much later still (the
// clock's thread was kept busy), the ticks after it never closer than 8 ms (a
// late timer fires once, not in a burst). A pattern says which ticks hold the
// buzzer's input high; a run of high ticks is one held tone, a lone high tick
// one beep. The clock goes on ticking a while after the pattern.
struct Tonen {
    std::vector<Beep> beeps;
    std::vector<double> tikken;
    std::vector<std::pair<double, double>> groepen; // first and last Beep, ms
};

Tonen maakTonen(const std::vector<bool>& hoog, std::mt19937& toeval, int zoemers, double schommel,
                double laatMs) {
    std::uniform_real_distribution<double> laat(0.0, schommel);
    Tonen t;
    bool vorige = false;
    double tik = -10;
    for (std::size_t k = 0; k < hoog.size() + 50; ++k) {
        const bool vastgehouden =
            k >= 2 && k < hoog.size() && hoog[k] && hoog[k - 1] && hoog[k - 2];
        const double extra = k % 7 == 3 && vastgehouden ? laatMs : 0.0;
        const double ms = tik = std::max(10.0 * double(k) + laat(toeval) + extra, tik + 8);
        t.tikken.push_back(ms);
        if (k >= hoog.size())
            continue;
        if (hoog[k]) {
            for (int z = 0; z < zoemers; ++z)
                t.beeps.push_back({ms});
            if (vorige)
                t.groepen.back().second = ms;
            else
                t.groepen.emplace_back(ms, ms);
        }
        vorige = hoog[k];
    }
    return t;
}

// First and last sample that sounds, -1 when none does.
std::pair<long, long> klinkt(const std::vector<std::int16_t>& s) {
    long eerste = -1, laatste = -1;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != 0) {
            if (eerste < 0)
                eerste = long(i);
            laatste = long(i);
        }
    }
    return {eerste, laatste};
}

PoortToegang schrijf(int poort, int waarde) {
    return {true, std::uint16_t(poort), std::uint8_t(waarde)};
}

} // namespace

class TestToon : public QObject {
    Q_OBJECT
private slots:
    void beepsKlinkenZoalsZeGemaaktZijn_data() {
        QTest::addColumn<int>("soort"); // 0 lone, 1 held, 2 mixed
        QTest::addColumn<int>("zoemers");
        QTest::addColumn<int>("rust");        // fewest low ticks between tones
        QTest::addColumn<bool>("tikken");     // the clock reports its ticks
        QTest::addColumn<double>("schommel"); // ticks up to this late
        QTest::addColumn<double>("laat");     // every seventh tick this much later
        QTest::newRow("pulsgenerator 10 Hz") << 0 << 1 << 4 << false << 10.0 << 0.0;
        QTest::newRow("aangehouden tonen") << 1 << 1 << 4 << false << 10.0 << 0.0;
        QTest::newRow("gemengd") << 2 << 1 << 4 << false << 10.0 << 0.0;
        QTest::newRow("twee zoemers") << 2 << 2 << 4 << false << 10.0 << 0.0;
        QTest::newRow("pulsgenerator 10 Hz met tikken") << 0 << 1 << 4 << true << 10.0 << 0.0;
        QTest::newRow("gemengd met tikken") << 2 << 2 << 4 << true << 10.0 << 0.0;
        QTest::newRow("tikken tot 50 ms te laat") << 1 << 1 << 4 << true << 10.0 << 40.0;
        QTest::newRow("een lage tik is een gat") << 2 << 1 << 1 << true << 2.0 << 0.0;
    }

    void beepsKlinkenZoalsZeGemaaktZijn() {
        // The stream starts 700 ms after the first Beep and asks for 5 to
        // 20 ms at a time; ticks come up to 10 ms late, some far later. Every
        // tone must be heard as it was made, at one delay: a lone Beep about
        // 10 ms, a held tone unbroken until about 15 ms after its last Beep's
        // samples begin (later only by a closing tick's lateness). With the
        // ticks reported, one tick without a Beep is a gap however short.
        // Nothing made before the stream ran is paid out later.
        QFETCH(int, soort);
        QFETCH(int, zoemers);
        QFETCH(int, rust);
        QFETCH(bool, tikken);
        QFETCH(double, schommel);
        QFETCH(double, laat);
        for (unsigned zaad = 1; zaad <= 25; ++zaad) {
            std::mt19937 toeval(zaad);
            std::uniform_int_distribution<int> lengte(2, 40), pauze(rust, 15), munt(0, 1);
            // 3 s of ticks; from 600 ms until 100 ms after the stream starts
            // nothing sounds.
            std::vector<bool> hoog(300, false);
            for (std::size_t k = 0; k < hoog.size();) {
                if (k >= 60 && k < 90) {
                    k = 90;
                    continue;
                }
                const bool los = soort == 0 || (soort == 2 && munt(toeval));
                const std::size_t n = los ? 1 : std::size_t(lengte(toeval));
                const std::size_t tot = std::min(k + n, k < 60 ? std::size_t(60) : hoog.size());
                for (std::size_t i = k; i < tot; ++i)
                    hoog[i] = true;
                k += n + (soort == 0 ? 9 : std::size_t(pauze(toeval)));
            }
            const Tonen t = maakTonen(hoog, toeval, zoemers, schommel, laat);
            nepstroom::Stroom stroom;
            stroom.startMs = t.beeps.front().ms + 700;
            stroom.zaad = zaad;
            ToonBron bron;
            const auto s =
                stroom.speel(bron, t.beeps, 3200, tikken ? t.tikken : std::vector<double>{});
            const auto klanken = nepstroom::klanken(s, stroom.startMs);

            std::vector<std::pair<double, double>> verwacht;
            for (const auto& g : t.groepen)
                if (g.first > stroom.startMs)
                    verwacht.push_back(g);
            const QString wat = QStringLiteral("zaad %1").arg(zaad);
            QVERIFY2(!klanken.empty(), qPrintable(wat));
            // The delay, from the first tone heard.
            const double vertraging = klanken.front().first - verwacht.front().first;
            QVERIFY2(vertraging >= 0 && vertraging <= 80,
                     qPrintable(wat + QStringLiteral(": vertraging %1 ms").arg(vertraging)));
            if (klanken.size() != verwacht.size()) {
                for (const auto& k : klanken)
                    qInfo() << "gehoord" << k.first << k.second;
                for (const auto& g : verwacht)
                    qInfo() << "gemaakt" << g.first << g.second;
            }
            QCOMPARE(klanken.size(), verwacht.size());
            short vol = 0;
            for (std::int16_t x : s)
                vol = std::max<short>(vol, short(std::abs(x)));
            for (std::size_t i = 0; i < verwacht.size(); ++i) {
                const double begin = verwacht[i].first + vertraging;
                const double laatste = verwacht[i].second + vertraging; // its own samples
                const QString hier = wat + QStringLiteral(", toon %1 (%2..%3 ms): gehoord %4..%5")
                                               .arg(i)
                                               .arg(verwacht[i].first)
                                               .arg(verwacht[i].second)
                                               .arg(klanken[i].first)
                                               .arg(klanken[i].second);
                QVERIFY2(std::abs(klanken[i].first - begin) <= 3, qPrintable(hier));
                QVERIFY2(klanken[i].second - laatste >= 5 &&
                             klanken[i].second - laatste <= 15 + laat,
                         qPrintable(hier));
                // Unbroken: at full height from the fade-in to its last Beep's end.
                for (double ms = klanken[i].first + 3; ms < laatste + 5; ms += 0.1) {
                    const auto j = std::size_t((ms - stroom.startMs) * ToonBron::kRate / 1000);
                    QVERIFY2(std::abs(s[j]) == vol,
                             qPrintable(hier + QStringLiteral(": zacht bij %1 ms").arg(ms)));
                }
            }
        }
    }

    void beepsOpElkeTikZijnEenToon_data() {
        QTest::addColumn<QList<int>>("afstanden"); // ms between Beeps, repeated
        QTest::newRow("precies 10 ms") << QList<int>{10};
        QTest::newRow("schommelend 7..13 ms") << QList<int>{7, 13, 9, 11, 12, 8};
        QTest::newRow("af en toe 5 ms te laat") << QList<int>{10, 10, 10, 15, 10, 10, 10, 10};
        QTest::newRow("tikken tot 10 ms te laat") << QList<int>{20, 0, 15, 5, 19, 1, 10};
    }

    void beepsOpElkeTikZijnEenToon() {
        // A buzzer fed high on every tick: one tone, never silent, never
        // fading in between, however the ticks and the requests fall.
        QFETCH(QList<int>, afstanden);
        std::vector<int> tijden;
        int t = 3;
        for (int i = 0; t < 2000; ++i) {
            tijden.push_back(t);
            t += afstanden[i % afstanden.size()];
        }
        ToonBron bron;
        nepstroom::Stroom stroom; // already running
        const auto s = stroom.speel(bron, opTijden(tijden), 2400);
        const auto klanken = nepstroom::klanken(s, 0);
        QCOMPARE(klanken.size(), size_t(1));
        const double vertraging = klanken[0].first - tijden.front();
        QVERIFY(vertraging >= 0 && vertraging <= 80);
        const double na = klanken[0].second - (tijden.back() + vertraging);
        QVERIFY2(na >= 5 && na <= 15, qPrintable(QString::number(na)));
        QVERIFY(bron.stil());
    }

    void eenBeepIsKort() {
        ToonBron bron;
        nepstroom::Stroom stroom;
        const auto s = stroom.speel(bron, opTijden({100}), 400);
        const auto [eerste, laatste] = klinkt(s);
        QVERIFY(eerste >= 100 * kPerMs);
        // About its own 10 ms, fades included.
        const long duur = laatste - eerste + 1;
        QVERIFY(duur >= 10 * kPerMs);
        QVERIFY(duur <= (15 + 1) * kPerMs);
        // Faded in and out: no jump from silence to full height.
        QVERIFY(std::abs(s[size_t(eerste)]) < ToonBron::kAmplitude / 10);
        QVERIFY(std::abs(s[size_t(laatste)]) < ToonBron::kAmplitude / 10);
    }

    void tweeZoemersOpDezelfdeTikKlinkenAlsEen() {
        // Two buzzers held high beep twice a tick; after both go low the tone
        // stops as soon as after one.
        std::vector<int> een, twee;
        for (int t = 0; t < 1000; t += 10) {
            een.push_back(t);
            twee.push_back(t);
            twee.push_back(t);
        }
        ToonBron a, b;
        nepstroom::Stroom stroom;
        QCOMPARE(klinkt(stroom.speel(b, opTijden(twee), 1500)),
                 klinkt(stroom.speel(a, opTijden(een), 1500)));
    }

    void opgespaardeTijdHeeftEenGrens() {
        // Ten seconds of tone asked for before any stream ran: when one
        // starts, what is still due of it is heard, and nothing older.
        ToonBron bron;
        std::vector<Beep> beeps;
        for (int i = 0; i < 100; ++i)
            beeps.push_back({i * 100.0, 100});
        nepstroom::Stroom stroom;
        stroom.startMs = 9980;
        const auto klanken = nepstroom::klanken(stroom.speel(bron, beeps, 12000), 9980);
        QCOMPARE(klanken.size(), std::size_t(1));
        // From the start on, until the tone's end at the tone's delay.
        const double vertraging = double(bron.vertraging()) / 1000;
        QVERIFY2(klanken[0].first < 9985 && klanken[0].second > 10000 + vertraging - 5 &&
                     klanken[0].second < 10000 + vertraging + 5,
                 qPrintable(QStringLiteral("%1..%2").arg(klanken[0].first).arg(klanken[0].second)));
    }

    void vasteToonEnFrequentie_data() {
        QTest::addColumn<double>("frequentie");
        QTest::newRow("500 Hz") << 1193181.0 / 2386;
        QTest::newRow("laagste: telling 65536") << 1193181.0 / 65536;
        QTest::newRow("2 kHz") << 2000.0;
    }

    void vasteToonEnFrequentie() {
        QFETCH(double, frequentie);
        ToonBron bron;
        bron.aan(frequentie);
        std::vector<std::int16_t> s(ToonBron::kRate); // one second
        for (size_t i = 0; i < s.size(); i += 441)
            bron.vul(s.data() + i, std::min<size_t>(441, s.size() - i), std::int64_t(i) * 22, 0);
        int wissels = 0;
        for (size_t i = 1; i < s.size(); ++i)
            wissels += (s[i - 1] > 0) != (s[i] > 0);
        // Two sign changes per period, whatever the request sizes.
        QVERIFY2(std::abs(wissels - 2 * frequentie) <= 2, qPrintable(QString::number(wissels)));
        QVERIFY(!bron.stil());
        bron.uit();
        std::vector<std::int16_t> rest(441);
        bron.vul(rest.data(), rest.size(), 1000000, 0);
        const long helling = ToonBron::kHellingMs * kPerMs + 2;
        for (size_t i = size_t(helling); i < rest.size(); ++i)
            QCOMPARE(rest[i], std::int16_t(0));
        QVERIFY(bron.stil());
    }

    void poortenSturenDeToon_data() {
        QTest::addColumn<QList<int>>("schrijven"); // port, value, port, value, ...
        QTest::addColumn<double>("frequentie");    // 0: no tone at the end
        QTest::newRow("startBeep(500)")
            << QList<int>{0x61, 3, 0x43, 0xB6, 0x42, 0x52, 0x42, 0x09} << 1193181.0 / 2386;
        QTest::newRow("telling eerst, poort daarna")
            << QList<int>{0x43, 0xB6, 0x42, 0x52, 0x42, 0x09, 0x61, 0x4F} << 1193181.0 / 2386;
        QTest::newRow("telling 0 is 65536")
            << QList<int>{0x61, 3, 0x43, 0xB6, 0x42, 0, 0x42, 0} << 1193181.0 / 65536;
        QTest::newRow("alleen de lage byte")
            << QList<int>{0x61, 3, 0x43, 0x96, 0x42, 100} << 1193181.0 / 100;
        QTest::newRow("half geladen") << QList<int>{0x61, 3, 0x43, 0xB6, 0x42, 0x52} << 0.0;
        QTest::newRow("alleen de poortbit")
            << QList<int>{0x61, 1, 0x43, 0xB6, 0x42, 0x52, 0x42, 0x09} << 0.0;
        QTest::newRow("modus 2 geeft geen blokgolf")
            << QList<int>{0x61, 3, 0x43, 0xB4, 0x42, 0x52, 0x42, 0x09} << 0.0;
        QTest::newRow("nieuw commando wacht op telling")
            << QList<int>{0x61, 3, 0x43, 0xB6, 0x42, 0x52, 0x42, 0x09, 0x43, 0xB6} << 0.0;
        QTest::newRow("kanaal 0 raakt de luidspreker niet")
            << QList<int>{0x61, 3, 0x43, 0xB6, 0x42, 0x52, 0x42, 0x09, 0x43, 0x36, 0x40, 1}
            << 1193181.0 / 2386;
        QTest::newRow("stopBeep") << QList<int>{0x61, 3,    0x43, 0xB6, 0x42,
                                                0x52, 0x42, 0x09, 0x61, 0}
                                  << 0.0;
    }

    void poortenSturenDeToon() {
        QFETCH(QList<int>, schrijven);
        QFETCH(double, frequentie);
        ToonRecorder toon;
        platform::PoortRecorder poorten;
        for (int i = 0; i + 1 < schrijven.size(); i += 2)
            platform::schrijfPoort(std::uint16_t(schrijven[i]), std::uint8_t(schrijven[i + 1]));
        QCOMPARE(poorten.schrijfacties().size(), size_t(schrijven.size() / 2));
        const bool klinkt = !toon.opdrachten().empty() &&
                            toon.opdrachten().back().soort == ToonRecorder::Soort::Aan;
        QCOMPARE(klinkt, frequentie > 0);
        if (klinkt)
            QCOMPARE(toon.opdrachten().back().frequentie, frequentie);
        // A tone is switched on and off only when it changes.
        for (size_t i = 1; i < toon.opdrachten().size(); ++i)
            QVERIFY(!(toon.opdrachten()[i].soort == ToonRecorder::Soort::Uit &&
                      toon.opdrachten()[i - 1].soort == ToonRecorder::Soort::Uit));
    }

    void poortenLezen() {
        ToonRecorder toon;
        platform::PoortRecorder poorten(0x4F);
        QCOMPARE(platform::leesPoort(0x61), std::uint8_t(0x4F));
        QCOMPARE(platform::leesPoort(0x300), std::uint8_t(0xFF));
        platform::schrijfPoort(0x61, 0x12);
        QCOMPARE(platform::leesPoort(0x61), std::uint8_t(0x12));
        QCOMPARE(poorten.toegangen(), (std::vector<PoortToegang>{{false, 0x61, 0x4F},
                                                                 {false, 0x300, 0xFF},
                                                                 schrijf(0x61, 0x12),
                                                                 {false, 0x61, 0x12}}));
    }

    void recorderWeerWegZetDeToonUit() {
        ToonRecorder toon;
        {
            platform::PoortRecorder poorten;
            for (auto [p, w] : {std::pair{0x61, 3}, {0x43, 0xB6}, {0x42, 0x52}, {0x42, 0x09}})
                platform::schrijfPoort(std::uint16_t(p), std::uint8_t(w));
        }
        QVERIFY(toon.opdrachten().back().soort == ToonRecorder::Soort::Uit);
        QCOMPARE(platform::leesPoort(0x61), std::uint8_t(0));
    }
};

QTEST_GUILESS_MAIN(TestToon)
#include "tst_toon.moc"
