// What a pupil hears from a buzzer fed by a pulse generator: the board's
// Beeps, taken from the running simulation, rendered by the tone generator.
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/zoemer.h"
#include "platform/opname.h"
#include "platform/testseams.h"
#include "platform/toon.h"
#include "simulation/simtest.h"

#include <QTest>

using platform::ToonBron;
using namespace simtest;

class TestZoemerToon : public QObject {
    Q_OBJECT
private slots:
    void pulsgeneratorVan10HzGeeftKorteTonen() {
        platform::FakeClock klok(1000);
        platform::ToonRecorder toon;
        platform::NepOpname opname;
        Bord b;
        auto* gen = maak<TPulsGeneratorMod>(b.form, PULSGENERATOR);
        auto* z = maak<TZoemerMod>(b.form, ZOEMER);
        gen->regelaar->setValue(10);
        kwinteltest::verbind(gen, 1, z, 1);

        // Two seconds of ticks; each Beep is noted with the time it was made.
        std::vector<std::pair<int, std::uint32_t>> beeps; // ms, duration
        for (int t = 0; t < 2000; t += 10) {
            klok.advance(10);
            tik(b.form);
            for (const auto& o : toon.opdrachten()) {
                QVERIFY(o.soort == platform::ToonRecorder::Soort::Beep);
                QCOMPARE(o.frequentie, 500.0);
                beeps.emplace_back(t, o.duur);
            }
            toon.wis();
        }
        QVERIFY(beeps.size() >= 15);

        // The tone generator plays them the way the sound server asks: topped
        // up to 30 ms ahead every kAanvulMs.
        ToonBron bron;
        std::vector<std::int16_t> s;
        std::size_t volgende = 0;
        for (int t = 0; t <= 2100; t += ToonBron::kAanvulMs) {
            for (; volgende < beeps.size() && beeps[volgende].first <= t; ++volgende)
                bron.beep(500, beeps[volgende].second, std::int64_t(beeps[volgende].first) * 1000);
            const auto tot = std::size_t(std::int64_t(t + 30) * ToonBron::kRate / 1000);
            const std::size_t oud = s.size();
            s.resize(tot);
            bron.vul(s.data() + oud, tot - oud);
        }

        // On and off runs, in ms.
        std::vector<double> aan, uit;
        bool klinkt = false;
        std::size_t begin = 0;
        for (std::size_t i = 0; i <= s.size(); ++i) {
            const bool nu = i < s.size() && s[i] != 0;
            if (nu == klinkt)
                continue;
            const double ms = double(i - begin) * 1000 / ToonBron::kRate;
            if (i > 0)
                (klinkt ? aan : uit).push_back(ms);
            klinkt = nu;
            begin = i;
        }
        // One short tone per pulse: about 10 ms on, the rest of the period off.
        QCOMPARE(aan.size(), beeps.size());
        for (double ms : aan)
            QVERIFY2(ms >= 10 && ms <= 15 + ToonBron::kHellingMs, qPrintable(QString::number(ms)));
        for (std::size_t i = 1; i < uit.size(); ++i)
            QVERIFY2(uit[i] >= 85, qPrintable(QString::number(uit[i])));
    }
};

QTEST_MAIN(TestZoemerToon)
#include "tst_zoemer_toon.moc"
