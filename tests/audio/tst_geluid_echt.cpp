// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Real sound through a private sound server (scripts/geluidsserver.sh, which
// ctest starts): a tone played into the virtual microphone reaches the sound
// sensor, the buzzer's tone reaches the virtual speaker at 500 Hz, and both
// work again after the server went away or came only after the program. With
// four processes burning CPU beside the program, held tones stay whole and
// beeps are heard as short as they were made, soon after their tick. Where no private server can
// run the whole test is reported as skipped (exit code 77); with CI=true it must run, and fails
// instead.
#include "audio/audioio.h"
#include "modules/regelaars.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/zoemer.h"
#include "platform/toon.h"
#include "simulation/simtest.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace simtest;

namespace {

// The private server's folder, from PULSE_SERVER=unix:DIR/native.
QString serverMap() {
    QString pad = qEnvironmentVariable("PULSE_SERVER");
    if (!pad.startsWith(QStringLiteral("unix:")) || !pad.endsWith(QStringLiteral("/native")))
        return {};
    return pad.mid(5, pad.size() - 5 - 7);
}

// Why no test can run here; empty when the private server answers.
QString geenServer() {
    if (serverMap().isEmpty())
        return QStringLiteral("PULSE_SERVER wijst niet naar een eigen geluidsserver");
    QProcess info;
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    if (!info.waitForFinished(5000) || info.exitStatus() != QProcess::NormalExit ||
        info.exitCode() != 0)
        return QStringLiteral("de eigen geluidsserver antwoordt niet");
    return {};
}

// Starts or stops the private server, as ctest's fixture does.
bool server(const char* actie) {
    QProcess p;
    p.start(QStringLiteral("bash"),
            {QStringLiteral(KWINTEL_GELUIDSSERVER), QString::fromLatin1(actie), serverMap()});
    return p.waitForFinished(20000) && p.exitCode() == 0;
}

// A sine at half scale into the virtual microphone: its peak 16384 makes
// 16384 / 36768 * 50 = 22 at the sound sensor. The player is the process
// itself, so stopping it stops the feed; a player left behind would add its
// sine to the next test's.
void voed(QProcess& voeding) {
    voeding.start(
        QStringLiteral("bash"),
        {QStringLiteral("-c"),
         QStringLiteral("exec pacat --playback -d kwintel_voeding --latency-msec=20 --raw "
                        "--format=s16le --rate=22050 --channels=1 "
                        "< <(sox -q -n -t raw -r 22050 -e signed -b 16 -c 1 - "
                        "synth 30 sine 440 vol 0.5)")});
}

// Records the virtual speaker.
void luister(QProcess& opname) {
    opname.start(QStringLiteral("parec"),
                 {QStringLiteral("-d"), QStringLiteral("kwintel_luidspreker.monitor"),
                  QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                  QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                  QStringLiteral("--latency-msec=20")});
}

// What the server says of the program's record stream: "no" while it takes
// sound in, "yes" while it is paused, empty while there is none.
QString microfoonGepauzeerd() {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("source-outputs")});
    if (!p.waitForFinished(5000))
        return {};
    const QString tekst = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString& blok : tekst.split(QStringLiteral("\n\n"))) {
        if (!blok.contains(QStringLiteral("application.name = \"Kwintelvlak\"")))
            continue;
        const qsizetype i = blok.indexOf(QStringLiteral("Corked: "));
        if (i >= 0)
            return blok.mid(i + 8, blok.indexOf(QLatin1Char('\n'), i) - i - 8).trimmed();
    }
    return {};
}

void stop(QProcess& p) {
    p.kill();
    p.waitForFinished(2000);
}

// Runs the event loop for ms, ticking the board's clock every 10 ms.
void draai(TfKwintelvlak& form, int ms) {
    QDeadlineTimer einde(ms);
    while (!einde.hasExpired()) {
        QTest::qWait(10);
        form.tActieTimer();
    }
}

// Ticks the board until the sound sensor reads the fed sine three buffers in
// a row, at most ms.
bool hoortDeVoeding(TfKwintelvlak& form, TSplitMod* sonde, int ms) {
    QDeadlineTimer einde(ms);
    int achtereen = 0;
    while (!einde.hasExpired() && achtereen < 3) {
        draai(form, 190);
        const int n = sonde->ingangsNiveau;
        achtereen = (n >= 21 && n <= 23) ? achtereen + 1 : 0;
    }
    return achtereen >= 3;
}

// Ticks the board for ms while recording the speaker; how many samples were
// loud.
qsizetype luidInDeLuidspreker(TfKwintelvlak& form, int ms) {
    QProcess opname;
    luister(opname);
    if (!opname.waitForStarted(5000))
        return -1;
    draai(form, ms);
    const QByteArray data = opname.readAllStandardOutput();
    stop(opname);
    const auto* x = reinterpret_cast<const qint16*>(data.constData());
    qsizetype luid = 0;
    for (qsizetype i = 0; i < data.size() / 2; ++i)
        luid += std::abs(x[i]) > 1000;
    return luid;
}

// Runs the event loop for ms as the program's own loop runs it: timers fire
// when they are due (QTest::qWait sleeps in steps of 10 ms between looks).
void wacht(int ms) {
    QEventLoop lus;
    QTimer::singleShot(ms, Qt::PreciseTimer, &lus, &QEventLoop::quit);
    lus.exec();
}

// A whole number from the environment, for longer runs by hand.
int getal(const char* naam, int standaard) {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(naam, &ok);
    return ok && n > 0 ? n : standaard;
}

// Four processes burning CPU at normal priority while it lives, as a browser
// and a video do beside the program on a classroom PC with two cores.
class Belasting {
public:
    Belasting() {
        for (auto& p : m_branders) {
            p = std::make_unique<QProcess>();
            p->start(QStringLiteral("setsid"), {QStringLiteral("sh"), QStringLiteral("-c"),
                                                QStringLiteral("while :; do :; done")});
            p->waitForStarted(5000);
        }
    }
    ~Belasting() {
        for (auto& p : m_branders)
            stop(*p);
    }
    Belasting(const Belasting&) = delete;
    Belasting& operator=(const Belasting&) = delete;

private:
    std::array<std::unique_ptr<QProcess>, 4> m_branders;
};

// The delay from each rising edge to the burst it started, in ms: the
// median and the largest, and whether all lie in [0, 60).
struct Vertraging {
    double mediaan = 0;
    double grootste = 0;
    bool goed = true;
};

// The virtual speaker recorded, with the time each sample sounded on the
// test's clock: no sample arrives before it sounded, so the earliest arrival,
// less the samples that came before it, dates the recording.
class Opname {
public:
    explicit Opname(const QElapsedTimer& klok) : m_klok(klok) {
        // Silence played all along keeps the virtual speaker running at a
        // short latency, as a sound card runs: idle, it would hand its
        // monitor whole seconds at once.
        m_stilte.setStandardInputFile(QStringLiteral("/dev/zero"));
        m_stilte.start(QStringLiteral("pacat"),
                       {QStringLiteral("--playback"), QStringLiteral("-d"),
                        QStringLiteral("kwintel_luidspreker"), QStringLiteral("--raw"),
                        QStringLiteral("--latency-msec=20")});
        QObject::connect(&m_p, &QProcess::readyReadStandardOutput, [this] { lees(); });
        luister(m_p);
    }
    ~Opname() { ::stop(m_stilte); }
    bool gestart() {
        if (!m_stilte.waitForStarted(5000) || !m_p.waitForStarted(5000))
            return false;
        // Idle, the speaker renders up to 2 s ahead and cannot take all of
        // it back: wait until the recording keeps pace with the clock, so
        // that a stream made now is heard now.
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            const qsizetype voor = m_data.size();
            wacht(300);
            if (ms((m_data.size() - voor) / 2) >= 250)
                return true;
        }
        return false;
    }
    void stop() {
        QTest::qWait(300);
        lees();
        ::stop(m_p);
    }
    double ms(qsizetype samples) const { return double(samples) * 1000 / 44100; }
    // When sample i sounded, in ms on the test's clock.
    double tijd(qsizetype i) const { return m_begin + ms(i); }
    // Every run of loud samples, first and one past the last.
    std::vector<std::pair<qsizetype, qsizetype>> stoten() const {
        std::vector<std::pair<qsizetype, qsizetype>> uit;
        const auto* x = reinterpret_cast<const qint16*>(m_data.constData());
        const qsizetype n = m_data.size() / 2;
        for (qsizetype i = 0; i < n;) {
            if (std::abs(x[i]) <= 1000) {
                ++i;
                continue;
            }
            qsizetype j = i;
            while (j < n && std::abs(x[j]) > 1000)
                ++j;
            uit.emplace_back(i, j);
            i = j;
        }
        return uit;
    }
    // The bursts from index van on, at most 12, as "begin+length" in ms.
    QString beschrijf(const std::vector<std::pair<qsizetype, qsizetype>>& stoten,
                      std::size_t van = 0) const {
        QStringList s;
        for (std::size_t i = van; i < stoten.size() && i < van + 12; ++i)
            s << QStringLiteral("%1+%2")
                     .arg(tijd(stoten[i].first), 0, 'f', 0)
                     .arg(ms(stoten[i].second - stoten[i].first), 0, 'f', 1);
        return QStringLiteral("%1 stoten, vanaf %2: ").arg(stoten.size()).arg(van) +
               s.join(QLatin1Char(' '));
    }
    // Where the bursts first stop following the edges one to one (a burst
    // beginning 0..80 ms after its edge), described from just before.
    QString verschil(const std::vector<std::pair<qsizetype, qsizetype>>& stoten,
                     const std::vector<double>& randen) const {
        std::size_t i = 0;
        while (i < stoten.size() && i < randen.size() && tijd(stoten[i].first) >= randen[i] &&
               tijd(stoten[i].first) < randen[i] + 80)
            ++i;
        const std::size_t van = i >= 2 ? i - 2 : 0;
        QStringList r;
        for (std::size_t j = van; j < randen.size() && j < van + 12; ++j)
            r << QString::number(randen[j], 'f', 0);
        return QStringLiteral("%1 flanken, vanaf %2: %3; ")
                   .arg(randen.size())
                   .arg(van)
                   .arg(r.join(QLatin1Char(' '))) +
               beschrijf(stoten, van);
    }
    // The delay from each edge to the burst at the same index.
    Vertraging vertraging(const std::vector<std::pair<qsizetype, qsizetype>>& stoten,
                          const std::vector<double>& randen, std::size_t vanaf) const {
        std::vector<double> d;
        for (std::size_t i = vanaf; i < stoten.size() && i < randen.size(); ++i)
            d.push_back(tijd(stoten[i].first) - randen[i]);
        Vertraging v;
        if (d.empty())
            return v;
        std::sort(d.begin(), d.end());
        v.mediaan = d[d.size() / 2];
        v.grootste = d.back();
        v.goed = d.front() >= 0 && d.back() < 60;
        return v;
    }

private:
    void lees() {
        m_data += m_p.readAllStandardOutput();
        const double nu = double(m_klok.nsecsElapsed()) / 1e6;
        m_begin = std::min(m_begin, nu - ms(m_data.size() / 2));
    }
    const QElapsedTimer& m_klok;
    QProcess m_stilte;
    QProcess m_p;
    QByteArray m_data;
    double m_begin = 1e300;
};

// The board's clock as the window runs it, a precise 10 ms timer, noting when
// the buzzer's input went high (when an LED beside it would light).
class Tikker {
public:
    Tikker(TfKwintelvlak& form, const QElapsedTimer& klok, const TZoemerMod* zoemer,
           std::vector<double>& randen) {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &form, &klok, zoemer, &randen] {
            if (m_alleenGeluid) {
                platform::toonTik();
                return;
            }
            const bool was = zoemer->zoemt;
            const double nu = double(klok.nsecsElapsed()) / 1e6;
            form.tActieTimer();
            if (!was && zoemer->zoemt)
                randen.push_back(nu);
        });
        m_timer.start(10);
    }
    // The board stands still from now on while the clock's sound side goes
    // on ticking, as it does in the running program: no new edges, and the
    // beep of the last one is still heard.
    void alleenGeluid() { m_alleenGeluid = true; }

private:
    QTimer m_timer;
    bool m_alleenGeluid = false;
};

} // namespace

class TestGeluidEcht : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        // Whatever a test did to the server, the next one finds it running.
        if (!geenServer().isEmpty())
            QVERIFY(server("start"));
    }

    void toonInDeMicrofoonBereiktDeGeluidSensor() {
        Bord b;
        QVERIFY(audioBeschikbaar);
        auto* sensor = maak<TGeluidSensorMod>(b.form, GELUIDSENSOR);
        auto* s = b.sonde(sensor);

        QProcess voeding;
        voed(voeding);
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
        stop(voeding);
        QVERIFY2(achtereen >= 3,
                 qPrintable(QStringLiteral("niveau %1, piek %2").arg(gezien).arg(geluidNiveau)));
        QVERIFY(b.form.aiAudio->apparaatOpen());
    }

    void zonderGeluidSensorNeemtDeMicrofoonNietsOp() {
        // While no sound sensor is on the board there is no record stream at
        // all; a sensor makes one that takes sound in and hears the feed, and
        // without it the stream goes again.
        Bord b;
        QVERIFY(audioBeschikbaar);
        QTRY_VERIFY_WITH_TIMEOUT(platform::toonServerKlaar(), 5000);
        draai(b.form, 500);
        QVERIFY(audioBeschikbaar);
        QCOMPARE(microfoonGepauzeerd(), QString());
        auto* sensor = maak<TGeluidSensorMod>(b.form, GELUIDSENSOR);
        auto* s = b.sonde(sensor);
        QTRY_COMPARE_WITH_TIMEOUT(microfoonGepauzeerd(), QStringLiteral("no"), 5000);
        QProcess voeding;
        voed(voeding);
        QVERIFY(hoortDeVoeding(b.form, s, 8000));
        b.form.moduleVerwijderen(sensor);
        QTRY_COMPARE_WITH_TIMEOUT(microfoonGepauzeerd(), QString(), 5000);
        QVERIFY(audioBeschikbaar);
        stop(voeding);
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
        // Sign changes within loud runs, two per period; a tick that came
        // too late for the tone to hold is not the tone's frequency.
        int wissels = 0;
        qsizetype klinkend = 0;
        int vorige = 0;
        qsizetype stil = 0;
        for (qsizetype i = eerste; i <= laatste; ++i) {
            if (std::abs(x[i]) < 1000) {
                if (++stil > 44)
                    vorige = 0;
                continue;
            }
            stil = 0;
            const int teken = x[i] > 0 ? 1 : -1;
            if (vorige != 0) {
                wissels += teken != vorige;
                ++klinkend;
            }
            vorige = teken;
        }
        const double hz = wissels / 2.0 / (double(klinkend) / 44100);
        QVERIFY2(std::abs(hz - 500) < 10, qPrintable(QString::number(hz)));
    }

    void naEenHerstartVanDeServerWerktAllesWeer() {
        Bord b;
        QVERIFY(audioBeschikbaar);
        auto* sensor = maak<TGeluidSensorMod>(b.form, GELUIDSENSOR);
        auto* s = b.sonde(sensor);
        auto* z = maak<TZoemerMod>(b.form, ZOEMER);
        b.spanning(z, 1, 50);
        QProcess voeding;
        voed(voeding);
        QVERIFY(hoortDeVoeding(b.form, s, 8000));

        QVERIFY(server("stop"));
        stop(voeding);
        QDeadlineTimer einde(5000);
        while (!einde.hasExpired() && audioBeschikbaar)
            draai(b.form, 100);
        QVERIFY(!audioBeschikbaar);
        draai(b.form, 50);
        QCOMPARE(s->ingangsNiveau, 0); // no capture: the sensor sends 0

        QVERIFY(server("start"));
        voed(voeding);
        QVERIFY2(hoortDeVoeding(b.form, s, 10000),
                 qPrintable(QStringLiteral("niveau %1").arg(s->ingangsNiveau)));
        QVERIFY(audioBeschikbaar);
        // The buzzer, held high all along, sounds again.
        QVERIFY(luidInDeLuidspreker(b.form, 1500) > 22050);
        stop(voeding);
    }

    void eenServerDieNaHetProgrammaKomtWordtGevonden() {
        QVERIFY(server("stop"));
        Bord b;
        auto* sensor = maak<TGeluidSensorMod>(b.form, GELUIDSENSOR);
        auto* s = b.sonde(sensor);
        auto* z = maak<TZoemerMod>(b.form, ZOEMER);
        b.spanning(z, 1, 50);
        draai(b.form, 1000);
        QVERIFY(!audioBeschikbaar);
        QCOMPARE(s->ingangsNiveau, 0);

        QVERIFY(server("start"));
        QProcess voeding;
        voed(voeding);
        QVERIFY2(hoortDeVoeding(b.form, s, 10000),
                 qPrintable(QStringLiteral("niveau %1").arg(s->ingangsNiveau)));
        QVERIFY(luidInDeLuidspreker(b.form, 1500) > 22050);
        stop(voeding);
    }

    void aangehoudenTonenBrekenNietOnderBelasting() {
        // A buzzer held high again and again while four processes burn CPU
        // beside the program: every hold is heard as one unbroken tone (a
        // single quiet sample would split it), soon after the tick that
        // switched it on. Longer runs: KWINTEL_AANGEHOUDEN_KEER and _MS.
        const int keer = getal("KWINTEL_AANGEHOUDEN_KEER", 12);
        const int houdMs = getal("KWINTEL_AANGEHOUDEN_MS", 2000);
        QElapsedTimer klok;
        klok.start();
        Opname opname(klok);
        QVERIFY(opname.gestart());
        std::vector<double> randen;
        {
            Belasting belasting;
            Bord b;
            auto* z = maak<TZoemerMod>(b.form, ZOEMER);
            auto* v = b.spanning(z, 1, 0);
            Tikker tikker(b.form, klok, z, randen);
            wacht(300);
            for (int i = 0; i < keer; ++i) {
                v->regelaar->setValue(50);
                wacht(houdMs);
                v->regelaar->setValue(0);
                wacht(400);
            }
        }
        opname.stop();
        const auto stoten = opname.stoten();
        QCOMPARE(randen.size(), std::size_t(keer));
        QVERIFY2(stoten.size() == randen.size(), qPrintable(opname.verschil(stoten, randen)));
        for (std::size_t i = 0; i < stoten.size(); ++i) {
            // The first waits for the stream to be made.
            const double ms = opname.ms(stoten[i].second - stoten[i].first);
            QVERIFY2(ms >= houdMs - (i == 0 ? 100 : 30) && ms <= houdMs + 40,
                     qPrintable(opname.beschrijf(stoten, i)));
        }
        const Vertraging v = opname.vertraging(stoten, randen, 1);
        qInfo("van tik tot toon: mediaan %.1f ms, hoogstens %.1f ms", v.mediaan, v.grootste);
        QVERIFY(v.goed);
    }

    void pulsgeneratorVan10HzOnderBelastingGeeftKorteBeepsVanafDeEerste() {
        // Recorded from before the program starts, so the first beep after
        // start-up counts too, with four processes burning CPU beside it.
        // Every burst of sound is taken as it is, short quiet stretches
        // included: a beep split in two is two bursts, and too short.
        const int seconden = getal("KWINTEL_10HZ_SECONDEN", 10);
        QElapsedTimer klok;
        klok.start();
        Opname opname(klok);
        QVERIFY(opname.gestart());
        std::vector<double> randen;
        {
            Belasting belasting;
            Bord b;
            auto* gen = maak<TPulsGeneratorMod>(b.form, PULSGENERATOR);
            auto* z = maak<TZoemerMod>(b.form, ZOEMER);
            gen->regelaar->setValue(10);
            kwinteltest::verbind(gen, 1, z, 1);
            Tikker tikker(b.form, klok, z, randen);
            wacht(seconden * 1000);
            tikker.alleenGeluid();
            wacht(300);
        }
        opname.stop();
        const auto stoten = opname.stoten();
        // One burst per pulse, the first included.
        QVERIFY2(randen.size() >= std::size_t(seconden * 8), qPrintable(opname.beschrijf(stoten)));
        QVERIFY2(stoten.size() == randen.size(), qPrintable(opname.verschil(stoten, randen)));
        for (std::size_t i = 0; i < stoten.size(); ++i) {
            const double ms = opname.ms(stoten[i].second - stoten[i].first);
            QVERIFY2(ms >= 5 && ms <= 15, qPrintable(opname.beschrijf(stoten, i)));
            QVERIFY2(i == 0 || opname.ms(stoten[i].first - stoten[i - 1].second) >= 60,
                     qPrintable(opname.beschrijf(stoten, i - 1)));
        }
        const Vertraging v = opname.vertraging(stoten, randen, 0);
        qInfo("van tik tot toon: mediaan %.1f ms, hoogstens %.1f ms", v.mediaan, v.grootste);
        QVERIFY(v.goed);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString waarom = geenServer();
    if (!waarom.isEmpty()) {
        // In CI the server is installed: not reaching it is a failure.
        if (qEnvironmentVariable("CI") == QLatin1String("true")) {
            std::fprintf(stderr, "FOUT: %s\n", qPrintable(waarom));
            return 1;
        }
        std::printf("OVERGESLAGEN: %s\n", qPrintable(waarom));
        return 77;
    }
    TestGeluidEcht test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_geluid_echt.moc"
