// Real sound through a private sound server (scripts/geluidsserver.sh, which
// ctest starts): a tone played into the virtual microphone reaches the sound
// sensor, and the buzzer's tone reaches the virtual speaker at 500 Hz.
#include "audio/audioio.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/zoemer.h"
#include "platform/toon.h"
#include "simulation/simtest.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>
#include <cstring>

using namespace simtest;

namespace {

bool heeftServer() {
    return qEnvironmentVariableIsSet("PULSE_SERVER");
}

// Runs the event loop for ms, ticking the board's clock every 10 ms.
void draai(TfKwintelvlak& form, int ms) {
    QDeadlineTimer einde(ms);
    while (!einde.hasExpired()) {
        QTest::qWait(10);
        form.tActieTimer();
    }
}

} // namespace

class TestGeluidEcht : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (!heeftServer())
            QSKIP("geen eigen geluidsserver: PULSE_SERVER is niet gezet");
    }

    void toonInDeMicrofoonBereiktDeGeluidSensor() {
        Bord b;
        QVERIFY(audioBeschikbaar);
        auto* sensor = maak<TGeluidSensorMod>(b.form, GELUIDSENSOR);
        auto* s = b.sonde(sensor);

        // A sine at half scale: its peak 16384 makes 16384 / 36768 * 50 = 22.
        QProcess voeding;
        voeding.start(QStringLiteral("bash"),
                      {QStringLiteral("-c"),
                       QStringLiteral("sox -q -n -t raw -r 22050 -e signed -b 16 -c 1 - "
                                      "synth 10 sine 440 vol 0.5 | pacat --playback "
                                      "-d kwintel_voeding --latency-msec=20 --raw "
                                      "--format=s16le --rate=22050 --channels=1")});
        QVERIFY(voeding.waitForStarted(5000));
        // The server may take up to 2 s before the first samples arrive; a
        // buffer is 186 ms.
        QDeadlineTimer einde(8000);
        int gezien = -1;
        int achtereen = 0;
        while (!einde.hasExpired() && achtereen < 3) {
            draai(b.form, 190);
            gezien = s->ingangsNiveau;
            achtereen = (gezien >= 21 && gezien <= 23) ? achtereen + 1 : 0;
        }
        voeding.kill();
        voeding.waitForFinished(2000);
        QVERIFY2(achtereen >= 3,
                 qPrintable(QStringLiteral("niveau %1, piek %2").arg(gezien).arg(geluidNiveau)));
        QVERIFY(b.form.aiAudio->apparaatOpen());
    }

    void zoemerKlinktOp500HzInDeLuidspreker() {
        QProcess opname;
        opname.start(QStringLiteral("parec"),
                     {QStringLiteral("-d"), QStringLiteral("kwintel_luidspreker.monitor"),
                      QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                      QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                      QStringLiteral("--latency-msec=20")});
        QVERIFY(opname.waitForStarted(5000));
        QByteArray data;
        {
            Bord b;
            QVERIFY(audioBeschikbaar); // recording while the tone plays
            auto* z = maak<TZoemerMod>(b.form, ZOEMER);
            b.spanning(z, 1, 50);
            // Until a second of tone has come back, at most 8 s.
            QDeadlineTimer einde(8000);
            qsizetype klinkend = 0;
            while (!einde.hasExpired() && klinkend < 44100) {
                draai(b.form, 100);
                data += opname.readAllStandardOutput();
                klinkend = 0;
                const auto* x = reinterpret_cast<const qint16*>(data.constData());
                for (qsizetype i = 0; i < data.size() / 2; ++i)
                    klinkend += std::abs(x[i]) > 1000;
            }
        }
        opname.kill();
        opname.waitForFinished(2000);
        const auto* x = reinterpret_cast<const qint16*>(data.constData());
        const qsizetype n = data.size() / 2;
        // The sounding part: from the first to the last loud sample.
        qsizetype eerste = -1, laatste = -1;
        for (qsizetype i = 0; i < n; ++i) {
            if (std::abs(x[i]) > 1000) {
                if (eerste < 0)
                    eerste = i;
                laatste = i;
            }
        }
        QVERIFY2(eerste >= 0 && laatste - eerste > 22050,
                 qPrintable(QStringLiteral("%1 samples, geluid van %2 tot %3")
                                .arg(n)
                                .arg(eerste)
                                .arg(laatste)));
        // Sign changes between loud samples: two per period.
        int wissels = 0;
        int vorige = 0;
        for (qsizetype i = eerste; i <= laatste; ++i) {
            if (std::abs(x[i]) < 1000)
                continue;
            const int teken = x[i] > 0 ? 1 : -1;
            wissels += vorige != 0 && teken != vorige;
            vorige = teken;
        }
        const double hz = wissels / 2.0 / (double(laatste - eerste) / 44100);
        QVERIFY2(std::abs(hz - 500) < 10, qPrintable(QString::number(hz)));
    }
};

QTEST_MAIN(TestGeluidEcht)
#include "tst_geluid_echt.moc"
