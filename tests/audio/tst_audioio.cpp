// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The wave-input component on a scripted driver: its properties, the ring of
// buffers handed on in order, a handler that keeps buffers, halting, every
// failure text, and the board window that owns one.
#include "app/kwintelvlak.h"
#include "audio/audioio.h"
#include "platform/opname.h"
#include "platform/platform.h"
#include "platform/testseams.h"
#include "platform/toon.h"
#include "simulation/simtest.h"

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>

using platform::NepOpname;

namespace {

// Runs the queued driver notices.
void verwerk() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A component on the scripted driver with a handler that notes the value of
// every buffer it gets and keeps out of the ring the deliveries listed.
struct Opname {
    NepOpname nep;
    TAudioIn audio;
    TAudioIn* ref = &audio;
    QList<int> gekregen; // first sample of every delivered buffer
    QList<int> groottes; // sizes passed
    QList<int> houden;   // deliveries (1-based) that return false; -1: all
    int gestart = 0, gestopt = 0;

    Opname() {
        audio.OnBufferFilled = [this](void* b, int& n) {
            gekregen << int(*static_cast<const qint16*>(b));
            groottes << n;
            n = 1; // not used
            return !(houden.contains(-1) || houden.contains(int(gekregen.size())));
        };
        audio.OnStart = [this](QObject*) { ++gestart; };
        audio.OnStop = [this](QObject*) { ++gestopt; };
    }
    // Fills n buffers with the values van, van+1, ... and runs the notices.
    int vul(int n, int van) {
        int gevuld = 0;
        for (int i = 0; i < n; ++i) {
            gevuld += nep.vul(std::int16_t(van + i));
            verwerk();
        }
        return gevuld;
    }
};

} // namespace

class TestAudioIO : public QObject {
    Q_OBJECT
private slots:
    void beginWaarden() {
        NepOpname nep;
        TAudioIn a;
        QCOMPARE(a.BufferSize(), 8192);
        QCOMPARE(a.NumBuffers(), 4);
        QCOMPARE(a.FrameRate(), 22050);
        QCOMPARE(a.Quantization(), quint16(16));
        QVERIFY(!a.Stereo());
        QCOMPARE(a.WaveDevice(), 0xFFFFFFFFu);
        QVERIFY(a.FailureText().isEmpty());
        QCOMPARE(a.formaat().gemBytesPerSeconde, 44100u);
        QVERIFY(!a.apparaatOpen());
    }

    void eigenschappen_data() {
        QTest::addColumn<QString>("eigenschap");
        QTest::addColumn<int>("waarde");
        QTest::addColumn<bool>("stereo");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("gelezen");
        QTest::newRow("BufferSize 100") << "BufferSize" << 100 << false << 16 << 512;
        QTest::newRow("BufferSize 1001 16-bit stereo")
            << "BufferSize" << 1001 << true << 16 << 1000;
        QTest::newRow("BufferSize 1001 16-bit mono") << "BufferSize" << 1001 << false << 16 << 1000;
        QTest::newRow("BufferSize 1001 8-bit mono") << "BufferSize" << 1001 << false << 8 << 1001;
        QTest::newRow("NumBuffers 1") << "NumBuffers" << 1 << false << 16 << 2;
        QTest::newRow("NumBuffers 3") << "NumBuffers" << 3 << false << 16 << 3;
        QTest::newRow("NumBuffers 9") << "NumBuffers" << 9 << false << 16 << 4;
        QTest::newRow("Quantization 4") << "Quantization" << 4 << false << 16 << 8;
        QTest::newRow("Quantization 8") << "Quantization" << 8 << false << 16 << 8;
        QTest::newRow("Quantization 12") << "Quantization" << 12 << false << 16 << 16;
    }

    void eigenschappen() {
        QFETCH(QString, eigenschap);
        QFETCH(int, waarde);
        QFETCH(bool, stereo);
        QFETCH(int, bits);
        QFETCH(int, gelezen);
        NepOpname nep;
        TAudioIn a;
        a.setStereo(stereo);
        a.setQuantization(quint16(bits));
        if (eigenschap == QLatin1String("BufferSize")) {
            a.setBufferSize(waarde);
            QCOMPARE(a.BufferSize(), gelezen);
        } else if (eigenschap == QLatin1String("NumBuffers")) {
            a.setNumBuffers(waarde);
            QCOMPARE(a.NumBuffers(), gelezen);
        } else {
            a.setQuantization(quint16(waarde));
            QCOMPARE(int(a.Quantization()), gelezen);
            QCOMPARE(int(a.formaat().blokGrootte), gelezen / 8);
        }
    }

    void buffersKomenOpVolgordeBijDeHandler() {
        Opname o;
        QVERIFY(o.audio.StartCapture(o.ref));
        // Opened and prepared, started, then the whole ring queued.
        QCOMPARE(o.nep.oproepen,
                 (std::vector<std::string>{"open", "bereidVoor 0", "bereidVoor 1", "bereidVoor 2",
                                           "bereidVoor 3", "start", "voegToe 0", "voegToe 1",
                                           "voegToe 2", "voegToe 3"}));
        QCOMPARE(o.audio.inDeRij(), 4);
        QVERIFY(o.audio.neemtOp() && o.audio.loopt());
        verwerk();
        QCOMPARE(o.gestart, 1);
        QCOMPARE(o.vul(9, 1), 9);
        QCOMPARE(o.gekregen, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(o.groottes, QList<int>(9, 8192));
        QCOMPARE(o.nep.inRij(), size_t(4));
        QCOMPARE(o.nep.oproepen.back(), std::string("voegToe 0"));
        QCOMPARE(o.nep.teGroteKoppen, 0);
    }

    void tweedeStartCaptureWordtGeweigerd() {
        Opname o;
        QVERIFY(o.audio.StartCapture(o.ref));
        const auto oproepen = o.nep.oproepen.size();
        QVERIFY(!o.audio.StartCapture(o.ref));
        QCOMPARE(o.audio.FailureText(), QStringLiteral("Wave Input device is already open"));
        QCOMPARE(o.nep.oproepen.size(), oproepen); // the driver was not asked
        QCOMPARE(o.vul(2, 7), 2);
        QCOMPARE(o.gekregen, (QList<int>{7, 8})); // recording goes on
    }

    void handlerHoudtBuffersVast_data() {
        QTest::addColumn<QList<int>>("houden");
        QTest::addColumn<int>("vullingen");
        QTest::addColumn<QList<int>>("gekregen");
        QTest::addColumn<int>("ring"); // buffers left queued; 0: the device closed
        QTest::newRow("eenmaal: een buffer minder")
            << QList<int>{2} << 8 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 3;
        // The ring shrinks to one; when that comes back nothing else is
        // queued, so it is queued again and the device closes.
        QTest::newRow("driemaal: de laatste sluit")
            << QList<int>{1, 2, 3} << 6 << QList<int>{1, 2, 3, 4} << 0;
        QTest::newRow("altijd: de ring loopt leeg")
            << QList<int>{-1} << 6 << QList<int>{1, 2, 3, 4} << 0;
    }

    void handlerHoudtBuffersVast() {
        QFETCH(QList<int>, houden);
        QFETCH(int, vullingen);
        QFETCH(QList<int>, gekregen);
        QFETCH(int, ring);
        Opname o;
        o.houden = houden;
        QVERIFY(o.audio.StartCapture(o.ref));
        verwerk();
        o.vul(vullingen, 1);
        // Every buffer delivered holds what was recorded into it, once.
        QCOMPARE(o.gekregen, gekregen);
        QCOMPARE(o.audio.apparaatOpen(), ring > 0);
        QCOMPARE(int(o.nep.inRij()), ring);
        QCOMPARE(o.audio.inDeRij(), ring);
        if (ring == 0) {
            QCOMPARE(o.nep.oproepen.back(), std::string("sluit"));
            QCOMPARE(o.gestopt, 1);
            QVERIFY(!o.audio.neemtOp() && !o.audio.loopt());
            // Closed for good: it can be started again.
            QVERIFY(o.audio.StartCapture(o.ref));
        }
    }

    void haltCapture() {
        Opname o;
        o.audio.HaltCapture(); // closed: nothing happens
        QVERIFY(o.nep.oproepen.empty());
        QVERIFY(!o.audio.apparaatOpen());

        QVERIFY(o.audio.StartCapture(o.ref));
        o.nep.vul(5); // its notice is still on its way
        o.audio.HaltCapture();
        QVERIFY(!o.audio.apparaatOpen() && !o.nep.open());
        QCOMPARE(o.nep.oproepen.back(), std::string("sluit"));
        verwerk();
        QVERIFY(o.gekregen.isEmpty()); // nothing arrives after the halt
        QCOMPARE(o.gestopt, 1);
        o.audio.HaltCapture();
        QCOMPARE(o.nep.oproepen.back(), std::string("sluit"));
    }

    void foutTeksten_data() {
        QTest::addColumn<QString>("oproep");  // the driver call that fails
        QTest::addColumn<int>("reservering"); // the memory reservation that fails
        QTest::addColumn<int>("vergrendeling");
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<bool>("startLukt");
        QTest::newRow("open") << "open" << 0 << 0 << "Nepfout 2" << false;
        QTest::newRow("bereidVoor") << "bereidVoor" << 0 << 0 << "Nepfout 2" << false;
        QTest::newRow("start") << "start" << 0 << 0 << "Error starting wave record: Nepfout 2"
                               << false;
        QTest::newRow("voegToe") << "voegToe" << 0 << 0 << "Nepfout 2" << false;
        // Memory fails while the component is made; opening makes it again.
        QTest::newRow("kopgeheugen")
            << "" << 1 << 0 << "Error allocating wave header memory" << true;
        QTest::newRow("kop vergrendelen")
            << "" << 0 << 1 << "Could not lock header memory for recording" << true;
        QTest::newRow("buffergeheugen")
            << "" << 6 << 0 << "Error allocating wave buffer memory" << true;
        QTest::newRow("buffer vergrendelen")
            << "" << 0 << 6 << "Error Locking wave buffer memory" << true;
    }

    void foutTeksten() {
        QFETCH(QString, oproep);
        QFETCH(int, reservering);
        QFETCH(int, vergrendeling);
        QFETCH(QString, tekst);
        QFETCH(bool, startLukt);
        NepOpname nep;
        nep.faalReserveringNr = reservering;
        nep.faalVergrendelingNr = vergrendeling;
        if (!oproep.isEmpty())
            nep.laatFalen(oproep.toStdString(), 2);
        TAudioIn a;
        TAudioIn* ref = &a;
        const QString naMaken = a.FailureText();
        QCOMPARE(a.StartCapture(ref), startLukt);
        QCOMPARE(startLukt ? naMaken : a.FailureText(), tekst);
        // A failed start leaves the device closed.
        QCOMPARE(a.apparaatOpen(), startLukt);
        QCOMPARE(nep.open(), startLukt);
        if (startLukt) {
            QCOMPARE(nep.inRij(), size_t(4));
            QVERIFY(nep.vul(1));
        }
        QCOMPARE(nep.teGroteKoppen, 0);
    }

    void koppenBlijvenBinnenHunGeheugen() {
        // Buffers made for two 600-byte buffers; then the ring grows to four
        // and 8-bit samples make the actual size 601.
        NepOpname nep;
        TAudioIn a;
        TAudioIn* ref = &a;
        a.setNumBuffers(2);
        a.setBufferSize(601);
        QCOMPARE(a.BufferSize(), 600);
        a.setNumBuffers(4);
        a.setQuantization(8);
        QCOMPARE(a.BufferSize(), 601);
        QVERIFY(a.StartCapture(ref));
        QCOMPARE(nep.inRij(), size_t(4));
        QCOMPARE(nep.teGroteKoppen, 0);
        // Changing the size while recording leaves the queued buffers alone.
        a.setBufferSize(4096);
        for (int i = 0; i < 6; ++i) {
            QVERIFY(nep.vul(1));
            verwerk();
        }
        QCOMPARE(nep.teGroteKoppen, 0);
        a.HaltCapture();
        QVERIFY(a.StartCapture(ref));
        QCOMPARE(nep.teGroteKoppen, 0);
    }

    void apparaatVerlorenSluitDeOpname() {
        Opname o;
        QVERIFY(o.audio.StartCapture(o.ref));
        o.nep.verlies();
        verwerk();
        QVERIFY(!o.audio.apparaatOpen());
        QCOMPARE(o.audio.FailureText(), QStringLiteral("Nepfout 35"));
        QCOMPARE(o.gestopt, 1);
    }

    void hetBordNeemtOpVanStartTotEinde() {
        platform::ToonRecorder toon;
        NepOpname nep;
        geluidNiveau = 0;
        {
            TfKwintelvlak form;
            QVERIFY(form.aiAudio);
            QVERIFY(audioBeschikbaar);
            QCOMPARE(form.aiAudio->FrameRate(), 22050);
            QCOMPARE(form.aiAudio->BufferSize(), 8192);
            form.miGeluidSensor->trigger();
            QVERIFY(nep.vul(-16384));
            verwerk();
            QCOMPARE(geluidNiveau, 16384);
        }
        // Shut down: recording stopped and the device closed.
        QVERIFY(!nep.open());
        QCOMPARE(nep.oproepen.back(), std::string("sluit"));
        QCOMPARE(nep.teGroteKoppen, 0);
    }

    void eenVerlorenServerZetHetBordStil() {
        platform::ToonRecorder toon;
        NepOpname nep;
        TfKwintelvlak form;
        QVERIFY(audioBeschikbaar);
        nep.verlies();
        verwerk();
        QVERIFY(!audioBeschikbaar);
        QVERIFY(!nep.open());
    }

    void hetBordNeemtWeerOpAlsDeServerTerugIs() {
        // Recording lost: the board waits, without opening anything, while
        // the driver says no device can be opened, and records again within
        // a second of it saying one can.
        platform::ToonRecorder toon;
        platform::FakeClock klok;
        NepOpname nep;
        TfKwintelvlak form;
        QVERIFY(audioBeschikbaar);
        form.miGeluidSensor->trigger();
        QVERIFY(nep.vul(12000));
        verwerk();
        QCOMPARE(geluidNiveau, 12000);
        nep.serverEr = false;
        nep.verlies();
        verwerk();
        QVERIFY(!audioBeschikbaar);
        QCOMPARE(geluidNiveau, 0); // not stuck at the last peak
        const auto geopend = [&nep] {
            return std::count(nep.oproepen.begin(), nep.oproepen.end(), std::string("open"));
        };
        const auto voor = geopend();
        klok.advance(5000);
        verwerk();
        QCOMPARE(geopend(), voor);
        QVERIFY(!audioBeschikbaar);
        nep.serverEr = true;
        klok.advance(1000);
        verwerk();
        QCOMPARE(geopend(), voor + 1);
        QVERIFY(audioBeschikbaar);
        QVERIFY(nep.vul(-9000));
        verwerk();
        QCOMPARE(geluidNiveau, 9000);
        // Recording again: no more attempts.
        klok.advance(5000);
        QCOMPARE(geopend(), voor + 1);
    }

    void deMicrofoonWordtAlleenMetEenGeluidSensorGehoord() {
        // Every way a sound sensor comes onto the board or leaves it switches
        // the microphone, and a device opened again after an outage keeps
        // what the board needs.
        platform::ToonRecorder toon;
        platform::FakeClock klok;
        NepOpname nep;
        TfKwintelvlak form;
        QVERIFY(audioBeschikbaar);
        QVERIFY(!nep.luistert());
        QVERIFY(!nep.vul(5000)); // nothing is recorded on an empty board
        QCOMPARE(geluidNiveau, 0);

        form.miGeluidSensor->trigger();
        QVERIFY(nep.luistert());
        QVERIFY(nep.vul(-16384));
        verwerk();
        QCOMPARE(geluidNiveau, 16384);

        TModule* sensor = form.zoekModule(15, 1);
        QVERIFY(sensor);
        form.moduleVerwijderen(sensor);
        QVERIFY(!nep.luistert());
        QCOMPARE(geluidNiveau, 0);
        // Made the way a board file or an undone step makes it: heard
        // again, from silence on.
        geluidNiveau = 123;
        QVERIFY(form.maakModule(kwinteltest::entry(form, simtest::GELUIDSENSOR), 40, 40));
        QVERIFY(nep.luistert());
        QCOMPARE(geluidNiveau, 0);
        QVERIFY(nep.vul(7000));
        verwerk();
        QCOMPARE(geluidNiveau, 7000);

        // Lost and opened again: the new device listens at once.
        nep.verlies();
        verwerk();
        QVERIFY(!audioBeschikbaar);
        klok.advance(1000);
        verwerk();
        QVERIFY(audioBeschikbaar);
        QVERIFY(nep.luistert());

        // A cleared board stops listening; so does a device opened then.
        form.miNieuw->trigger();
        QVERIFY(!nep.luistert());
        nep.verlies();
        verwerk();
        klok.advance(1000);
        verwerk();
        QVERIFY(audioBeschikbaar);
        QVERIFY(!nep.luistert());
        const auto open = std::find(nep.oproepen.rbegin(), nep.oproepen.rend(), "open");
        QVERIFY(open != nep.oproepen.rend());
        QCOMPARE(*(open - 1), std::string("luister 0")); // before any buffer is prepared
        QVERIFY(!nep.vul(5000));
    }

    void eenPauzeWistWatEenBufferAlHad() {
        // Sound taken in before a pause must not count as sound after it.
        Opname o;
        QVERIFY(o.audio.StartCapture(o.ref));
        o.audio.setLuisteren(false);
        QVERIFY(!o.nep.vul(3));
        QCOMPARE(o.nep.oproepen.back(), std::string("luister 0"));
        o.audio.setLuisteren(true);
        QCOMPARE(o.nep.oproepen.back(), std::string("luister 1"));
        QCOMPARE(o.vul(2, 4), 2);
        QCOMPARE(o.gekregen, (QList<int>{4, 5}));
        // Switching to what already holds asks the driver nothing.
        const auto n = o.nep.oproepen.size();
        o.audio.setLuisteren(true);
        QCOMPARE(o.nep.oproepen.size(), n);
    }

    void eenMislukteStartWordtLaterHerhaald() {
        platform::ToonRecorder toon;
        platform::FakeClock klok;
        NepOpname nep;
        nep.laatFalen("start", platform::OPNAME_FOUT);
        nep.serverEr = false;
        TfKwintelvlak form;
        QVERIFY(!audioBeschikbaar);
        nep.laatFalen("start", platform::OPNAME_FOUT, 1000);
        nep.serverEr = true;
        klok.advance(1000);
        verwerk();
        QVERIFY(audioBeschikbaar);
        QVERIFY(nep.open());
    }

    void stilleModusOpentNiets() {
        platform::zetGeluidUit(true);
        TAudioIn a;
        TAudioIn* ref = &a;
        QVERIFY(!a.StartCapture(ref));
        QVERIFY(!a.apparaatOpen());
        // Refused as a missing device, in the system's own words for that.
        const QString geenApparaat = QString::fromStdString(
            platform::opnameStuurprogramma().foutTekst(platform::OPNAME_GEEN_APPARAAT));
        QVERIFY(!geenApparaat.isEmpty());
        QCOMPARE(a.FailureText(), geenApparaat);
        platform::zetGeluidUit(false);
    }

    void zonderServerWachtNiemand() {
        // A server that is not there: starting does not wait for it, and the
        // recording closes itself once the connection has failed.
        qputenv("PULSE_SERVER", "unix:/nonexistent/kwintel/native");
        platform::toonAfsluiten();
        TAudioIn a;
        TAudioIn* ref = &a;
        int gestopt = 0;
        a.OnStop = [&](QObject*) { ++gestopt; };
        QElapsedTimer klok;
        klok.start();
        const bool gestart = a.StartCapture(ref);
        QVERIFY2(klok.elapsed() < 500, qPrintable(QString::number(klok.elapsed())));
        if (gestart)
            QTRY_VERIFY_WITH_TIMEOUT(!a.apparaatOpen() && gestopt == 1, 5000);
        else
            QVERIFY(!a.FailureText().isEmpty());
        platform::toonAfsluiten();
        qunsetenv("PULSE_SERVER");
    }
};

QTEST_MAIN(TestAudioIO)
#include "tst_audioio.moc"
