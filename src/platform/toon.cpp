#include "platform/toon.h"
#include "platform/platform.h"

#include "platform/pulseverbinding.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

namespace platform {

// ---- ToonBron -------------------------------------------------------------------

void ToonBron::beep(double frequentie, std::uint32_t duur, std::int64_t nu) {
    const std::int64_t einde = nu + std::int64_t(duur) * 1000;
    const std::int64_t nieuw = einde - std::max(m_betaaldTot, nu);
    m_betaaldTot = std::max(m_betaaldTot, einde);
    m_freqBeep.store(frequentie);
    if (nieuw > 0)
        m_betaald.fetch_add(std::uint64_t(nieuw));
    m_opdrachten.fetch_add(1);
}

void ToonBron::beep(double frequentie, std::uint32_t duur) {
    beep(frequentie, duur,
         std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
             .count());
}

void ToonBron::aan(double frequentie) {
    m_freqContinu.store(frequentie);
    m_continu.store(true);
    m_opdrachten.fetch_add(1);
}

void ToonBron::uit() {
    m_continu.store(false);
    m_opdrachten.fetch_add(1);
}

void ToonBron::vul(std::int16_t* doel, std::size_t n) {
    constexpr std::int64_t wacht = std::int64_t(kRate) * kWachtMs / 1000;
    constexpr std::int64_t wachtLos = std::int64_t(kRate) * kWachtLosMs / 1000;
    constexpr std::int64_t maximum = std::int64_t(kRate) * kMaxTegoedMs / 1000;
    constexpr double helling = 1000.0 / (double(kRate) * kHellingMs);

    // Paid time in samples; rounding the running total never loses a sample.
    const std::uint64_t betaald = m_betaald.load() * kRate / 1000000;
    const std::uint64_t nieuw = betaald - m_gezien;
    m_gezien = betaald;
    if (nieuw > 0) {
        if (m_beepKlinkt)
            m_aangehouden = true;
        // Time spent waiting for this Beep is forgiven: the new time starts
        // where the tone now is, so waits never pile up into a debt.
        const auto erbij = std::int64_t(std::min<std::uint64_t>(nieuw, maximum));
        m_resterend = std::min(std::max<std::int64_t>(m_resterend, 0) + erbij, maximum);
    }
    const bool continu = m_continu.load();
    const double frequentie = continu ? m_freqContinu.load() : m_freqBeep.load();
    const double stap = frequentie / kRate;

    m_klonk = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!m_beepKlinkt && m_resterend > 0)
            m_beepKlinkt = true;
        const bool aan = continu || m_beepKlinkt;
        // This sample is paid for (or waited through); after the last one
        // the tone fades out.
        if (m_beepKlinkt && --m_resterend <= -(m_aangehouden ? wacht : wachtLos)) {
            m_beepKlinkt = false;
            m_aangehouden = false;
            m_resterend = 0;
        }
        m_volume = aan ? std::min(1.0, m_volume + helling) : std::max(0.0, m_volume - helling);
        if (m_volume <= 0.0) {
            m_fase = 0.0;
            doel[i] = 0;
            continue;
        }
        // The phase runs on through retuning and fades, so the wave never jumps.
        m_klonk = true;
        const double golf = m_fase < 0.5 ? kAmplitude : -kAmplitude;
        doel[i] = static_cast<std::int16_t>(std::lround(golf * m_volume));
        m_fase += stap;
        if (m_fase >= 1.0)
            m_fase -= std::floor(m_fase);
    }
    m_stil = m_volume <= 0.0 && !continu && !m_beepKlinkt;
}

// ---- The connection to the sound server -----------------------------------------

namespace {

// One playback stream on the shared connection. Everything that touches the
// stream runs with the loop's lock held: the callbacks run inside the loop,
// and the user-interface thread takes the lock only to wake a paused stream
// and to shut down.
class ToonGenerator : public pulse::Gebruiker {
public:
    ToonGenerator() : m_verbinding(pulse::Verbinding::gedeeld()) {
        if (!m_verbinding) {
            m_mislukt = true;
            return;
        }
        m_verbinding->vergrendel();
        m_verbinding->meldAan(this);
        m_verbinding->ontgrendel();
    }

    ~ToonGenerator() override {
        if (!m_verbinding)
            return;
        m_verbinding->vergrendel();
        laatStroomLos();
        m_verbinding->meldAf(this);
        m_verbinding->ontgrendel();
    }

    ToonGenerator(const ToonGenerator&) = delete;
    ToonGenerator& operator=(const ToonGenerator&) = delete;

    ToonBron& bron() { return m_bron; }
    bool mislukt() const { return m_mislukt.load(); }
    bool gespeeld() const { return m_gespeeld.load(); }

    // After the tone was asked for something: a stream paused for silence
    // starts again. The lock is taken only when the stream is paused.
    void wek() {
        if (!m_gepauzeerd.load())
            return;
        if (!m_verbinding)
            return;
        m_verbinding->vergrendel();
        if (m_stroom && m_gepauzeerd.load()) {
            m_gepauzeerd.store(false);
            m_stilSamples = 0;
            if (pa_operation* op = pa_stream_cork(m_stroom, 0, nullptr, nullptr))
                pa_operation_unref(op);
        }
        m_verbinding->ontgrendel();
    }

private:
    static constexpr int kLatentieMs = 30;
    // After this much silence the stream pauses, so an idle speaker costs nothing.
    static constexpr std::uint64_t kPauzeNa = ToonBron::kRate * 2;

    void verbonden(pa_context* c) override { maakStroom(c); }

    void verbroken() override {
        laatStroomLos();
        m_mislukt = true;
    }

    void vergeten() override { m_verbinding = nullptr; }

    void laatStroomLos() {
        if (!m_stroom)
            return;
        pa_stream_set_write_callback(m_stroom, nullptr, nullptr);
        pa_stream_set_state_callback(m_stroom, nullptr, nullptr);
        pa_stream_disconnect(m_stroom);
        pa_stream_unref(m_stroom);
        m_stroom = nullptr;
    }

    static void stroomToestand(pa_stream* s, void* gebruiker) {
        auto* self = static_cast<ToonGenerator*>(gebruiker);
        const pa_stream_state_t t = pa_stream_get_state(s);
        if (t == PA_STREAM_FAILED || t == PA_STREAM_TERMINATED)
            self->m_mislukt = true;
    }

    void maakStroom(pa_context* context) {
        if (m_stroom)
            return;
        const pa_sample_spec formaat{PA_SAMPLE_S16NE, ToonBron::kRate, 1};
        m_stroom = pa_stream_new(context, "Zoemer", &formaat, nullptr);
        if (!m_stroom) {
            m_mislukt = true;
            return;
        }
        pa_stream_set_state_callback(m_stroom, &ToonGenerator::stroomToestand, this);
        pa_stream_set_write_callback(m_stroom, &ToonGenerator::schrijf, this);
        pa_buffer_attr attr;
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kLatentieMs * 1000, &formaat));
        attr.prebuf = static_cast<std::uint32_t>(-1);
        attr.minreq =
            static_cast<std::uint32_t>(pa_usec_to_bytes(ToonBron::kAanvulMs * 1000, &formaat));
        attr.fragsize = static_cast<std::uint32_t>(-1);
        if (pa_stream_connect_playback(m_stroom, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                       nullptr) < 0)
            m_mislukt = true;
    }

    static void schrijf(pa_stream* s, size_t nbytes, void* gebruiker) {
        static_cast<ToonGenerator*>(gebruiker)->schrijf(s, nbytes);
    }

    void schrijf(pa_stream* s, size_t nbytes) {
        const std::uint64_t opdrachtenVoor = m_bron.opdrachten();
        const size_t n = nbytes / sizeof(std::int16_t);
        if (n == 0)
            return;
        void* data = nullptr;
        size_t lengte = n * sizeof(std::int16_t);
        std::int16_t* doel = nullptr;
        if (pa_stream_begin_write(s, &data, &lengte) == 0 && data &&
            lengte >= n * sizeof(std::int16_t)) {
            doel = static_cast<std::int16_t*>(data);
        } else {
            if (data)
                pa_stream_cancel_write(s);
            m_buffer.resize(n);
            doel = m_buffer.data();
        }
        m_bron.vul(doel, n);
        pa_stream_write(s, doel, n * sizeof(std::int16_t), nullptr, 0, PA_SEEK_RELATIVE);
        if (m_bron.klonk())
            m_gespeeld.store(true);

        m_stilSamples = m_bron.stil() ? m_stilSamples + n : 0;
        if (m_stilSamples < kPauzeNa)
            return;
        // Announce the pause first, then look for news: a Beep that raced us
        // either sees the flag and wakes the stream, or is seen here.
        m_gepauzeerd.store(true);
        if (m_bron.opdrachten() != opdrachtenVoor) {
            m_gepauzeerd.store(false);
            return;
        }
        if (pa_operation* op = pa_stream_cork(s, 1, nullptr, nullptr))
            pa_operation_unref(op);
    }

    pulse::Verbinding* m_verbinding;
    pa_stream* m_stroom = nullptr;
    ToonBron m_bron;
    std::atomic<bool> m_mislukt{false};
    std::atomic<bool> m_gepauzeerd{false};
    std::atomic<bool> m_gespeeld{false};
    std::uint64_t m_stilSamples = 0; // sound thread (or under the lock)
    std::vector<std::int16_t> m_buffer;
};

ToonRecorder* g_recorder = nullptr;
std::unique_ptr<ToonGenerator> g_generator;

ToonGenerator& generator() {
    if (!g_generator)
        g_generator = std::make_unique<ToonGenerator>();
    return *g_generator;
}

} // namespace

// ---- The calls ------------------------------------------------------------------

void Beep(std::uint32_t frequentie, std::uint32_t duur) {
    if (g_recorder) {
        g_recorder->m_opdrachten.push_back({ToonRecorder::Soort::Beep, double(frequentie), duur});
        return;
    }
    // The system's Beep sounds only from 37 Hz to 32767 Hz.
    if (geluidUit() || frequentie < 37 || frequentie > 32767 || duur == 0)
        return;
    ToonGenerator& g = generator();
    if (g.mislukt())
        return;
    g.bron().beep(frequentie, duur);
    g.wek();
}

void toonAan(double frequentie) {
    if (g_recorder) {
        g_recorder->m_opdrachten.push_back({ToonRecorder::Soort::Aan, frequentie, 0});
        return;
    }
    if (geluidUit())
        return;
    ToonGenerator& g = generator();
    if (g.mislukt())
        return;
    g.bron().aan(frequentie);
    g.wek();
}

void toonUit() {
    if (g_recorder) {
        g_recorder->m_opdrachten.push_back({ToonRecorder::Soort::Uit, 0.0, 0});
        return;
    }
    // Switching off never opens a connection.
    if (g_generator && !g_generator->mislukt())
        g_generator->bron().uit();
}

void toonAfsluiten() {
    g_generator.reset();
    pulse::Verbinding::sluit();
}

bool toonVerbonden() {
    return g_generator && !g_generator->mislukt();
}

bool toonGespeeld() {
    return g_generator && g_generator->gespeeld();
}

ToonRecorder::ToonRecorder() {
    g_recorder = this;
}
ToonRecorder::~ToonRecorder() {
    if (g_recorder == this)
        g_recorder = nullptr;
}
ToonRecorder* ToonRecorder::current() {
    return g_recorder;
}

} // namespace platform
