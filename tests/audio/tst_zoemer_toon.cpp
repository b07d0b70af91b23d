// What a pupil hears from a buzzer fed by a pulse generator: the board's
// Beeps, taken from the running simulation, rendered by the tone generator.
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/zoemer.h"
#include "platform/opname.h"
#include "platform/testseams.h"
#include "platform/toon.h"
#include "simulation/simtest.h"
#include "support/nepstroom.h"

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

        // The tone generator plays them the way a sound server asks, the
        // stream starting only 700 ms after the first Beep (the board's
        // first ticks come before the server has answered).
        std::vector<nepstroom::Beep> gemaakt;
        for (const auto& [ms, duur] : beeps)
            gemaakt.push_back({double(ms), duur});
        for (unsigned zaad = 1; zaad <= 10; ++zaad) {
            ToonBron bron;
            nepstroom::Stroom stroom;
            stroom.startMs = gemaakt.front().ms + 700;
            stroom.zaad = zaad;
            const auto klanken =
                nepstroom::klanken(stroom.speel(bron, gemaakt, 2100), stroom.startMs);
            // One short tone for each pulse made once the stream ran, the
            // first one included: about 10 ms on, the rest of the period off.
            std::size_t daarna = 0;
            for (const auto& g : gemaakt)
                daarna += g.ms > stroom.startMs;
            QVERIFY(daarna >= 10);
            QVERIFY2(klanken.size() >= daarna && klanken.size() <= daarna + 1,
                     qPrintable(QString::number(klanken.size())));
            for (std::size_t i = 0; i < klanken.size(); ++i) {
                const double ms = klanken[i].second - klanken[i].first;
                QVERIFY2(ms >= 5 && ms <= 15, qPrintable(QString::number(ms)));
                if (i > 0)
                    QVERIFY2(klanken[i].first - klanken[i - 1].second >= 80,
                             qPrintable(QString::number(klanken[i].first)));
            }
        }
    }
};

QTEST_MAIN(TestZoemerToon)
#include "tst_zoemer_toon.moc"
