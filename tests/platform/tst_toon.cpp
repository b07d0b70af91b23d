// The tone generator's samples (gapless Beeps, fades, frequency), the speaker
// port emulation, and the sound-server connection coming and going quickly.
#include "platform/poorten.h"
#include "platform/toon.h"

#include <QElapsedTimer>
#include <QTest>
#include <cmath>
#include <cstdlib>

using platform::PoortToegang;
using platform::ToonBron;
using platform::ToonRecorder;

namespace {

constexpr int kPerMs = ToonBron::kRate / 1000; // 44 samples and a bit

// The sample that sounds at ms.
long sample(double ms) {
    return long(ms * ToonBron::kRate / 1000);
}

// Plays a timeline: Beep calls at the given ms, and the sound server asking
// for samples the way a 30 ms stream does: a first fill of 30 ms, then
// kAanvulMs at a time every kAanvulMs. Returns every sample written.
std::vector<std::int16_t> speel(ToonBron& bron, const std::vector<int>& beeps, int totMs) {
    std::vector<std::int16_t> uit;
    size_t volgende = 0;
    for (int t = 0; t <= totMs; ++t) {
        while (volgende < beeps.size() && beeps[volgende] <= t) {
            bron.beep(500, 10, std::int64_t(beeps[volgende]) * 1000);
            ++volgende;
        }
        // The card plays exactly kRate samples a second; the stream is
        // topped up to 30 ms ahead.
        std::size_t n = 0;
        if (t % ToonBron::kAanvulMs == 0)
            n = std::size_t(std::int64_t(t + 30) * ToonBron::kRate / 1000) - uit.size();
        if (n) {
            const size_t oud = uit.size();
            uit.resize(oud + n);
            bron.vul(uit.data() + oud, n);
        }
    }
    return uit;
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
    void beepsOpElkeTikZijnEenToon_data() {
        QTest::addColumn<QList<int>>("afstanden"); // ms between Beeps, repeated
        QTest::newRow("precies 10 ms") << QList<int>{10};
        QTest::newRow("schommelend 7..13 ms") << QList<int>{7, 13, 9, 11, 12, 8};
        QTest::newRow("af en toe 5 ms te laat") << QList<int>{10, 10, 10, 15, 10, 10, 10, 10};
    }

    void beepsOpElkeTikZijnEenToon() {
        // A buzzer fed high on every tick: one tone, never silent, never
        // fading in between, however the ticks and the requests fall.
        QFETCH(QList<int>, afstanden);
        std::vector<int> beeps;
        int t = 3;
        for (int i = 0; t < 2000; ++i) {
            beeps.push_back(t);
            t += afstanden[i % afstanden.size()];
        }
        ToonBron bron;
        const auto s = speel(bron, beeps, 2400);
        const auto [eerste, laatste] = klinkt(s);
        QVERIFY(eerste >= 0);
        const long helling = ToonBron::kHellingMs * kPerMs + 2;
        // Samples are written 30 ms ahead of when they sound: the last Beep
        // is heard from about sample (last + 30 ms) on.
        const long laatsteBeep = sample(beeps.back() + 30);
        // Between the fade-in and the last Beep every sample is at full height.
        for (long i = eerste + helling; i < laatsteBeep; ++i)
            QVERIFY2(std::abs(s[size_t(i)]) == ToonBron::kAmplitude,
                     qPrintable(QStringLiteral("sample %1").arg(i)));
        // It ends once that Beep's time and the short wait for a next one are
        // over: at most about 15 ms after the last Beep.
        QVERIFY(laatste >= laatsteBeep);
        QVERIFY2(laatste <= laatsteBeep + sample(15),
                 qPrintable(QString::number(double(laatste - laatsteBeep) / kPerMs)));
        QVERIFY(bron.stil());
    }

    void eenBeepIsKort() {
        ToonBron bron;
        const auto s = speel(bron, {0}, 300);
        const auto [eerste, laatste] = klinkt(s);
        QCOMPARE(eerste, 0L);
        // About its own 10 ms, fades included.
        const long duur = laatste - eerste + 1;
        QVERIFY(duur >= 10 * kPerMs);
        QVERIFY(duur <= (15 + 1) * kPerMs);
        // Faded in and out: no jump from silence to full height.
        QVERIFY(std::abs(s[0]) < ToonBron::kAmplitude / 10);
        QVERIFY(std::abs(s[size_t(laatste)]) < ToonBron::kAmplitude / 10);
    }

    void tweeZoemersOpDezelfdeTikKlinkenAlsEen() {
        // Two buzzers held high beep twice a tick; after both go low the tone
        // stops as soon as after one.
        std::vector<int> beeps;
        for (int t = 0; t < 1000; t += 10) {
            beeps.push_back(t);
            beeps.push_back(t);
        }
        ToonBron bron;
        const auto s = speel(bron, beeps, 1500);
        QVERIFY(klinkt(s).second <= sample(beeps.back() + 30 + 15));
    }

    void opgespaardeTijdHeeftEenGrens() {
        ToonBron bron;
        for (int i = 0; i < 100; ++i)
            bron.beep(500, 100, i * 100000); // ten seconds asked for at once
        std::vector<std::int16_t> s(ToonBron::kRate * 2);
        bron.vul(s.data(), s.size());
        const auto [eerste, laatste] = klinkt(s);
        QCOMPARE(eerste, 0L);
        QVERIFY(laatste < (ToonBron::kMaxTegoedMs + ToonBron::kWachtMs + 10) * kPerMs);
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
            bron.vul(s.data() + i, std::min<size_t>(441, s.size() - i));
        int wissels = 0;
        for (size_t i = 1; i < s.size(); ++i)
            wissels += (s[i - 1] > 0) != (s[i] > 0);
        // Two sign changes per period, whatever the request sizes.
        QVERIFY2(std::abs(wissels - 2 * frequentie) <= 2, qPrintable(QString::number(wissels)));
        QVERIFY(!bron.stil());
        bron.uit();
        std::vector<std::int16_t> rest(441);
        bron.vul(rest.data(), rest.size());
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

    void beepWordtOpgenomen() {
        ToonRecorder toon;
        platform::Beep(500, 10);
        platform::Beep(880, 25);
        QCOMPARE(toon.opdrachten().size(), size_t(2));
        QCOMPARE(toon.opdrachten()[1].frequentie, 880.0);
        QCOMPARE(toon.opdrachten()[1].duur, 25u);
        QVERIFY(!platform::toonVerbonden()); // the seam never reaches the server
    }

    void geluidsserverKomtEnGaatSnel() {
        // With or without a sound server: a Beep returns at once, and the
        // connection closes in order, many times over.
        QElapsedTimer klok;
        klok.start();
        for (int i = 0; i < 20; ++i) {
            platform::Beep(500, 10);
            platform::toonAan(440);
            platform::toonUit();
            platform::Beep(10, 10); // below what Beep sounds
            platform::Beep(500, 0); // nothing to sound
            platform::toonAfsluiten();
            QVERIFY(!platform::toonVerbonden());
        }
        QVERIFY2(klok.elapsed() < 2000, qPrintable(QString::number(klok.elapsed())));
        platform::toonUit(); // switching off never connects
        QVERIFY(!platform::toonVerbonden());
    }
};

QTEST_GUILESS_MAIN(TestToon)
#include "tst_toon.moc"
