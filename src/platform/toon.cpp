#include "platform/toon.h"
#include "platform/platform.h"

#include "platform/pulseverbinding.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

namespace platform {

// ---- ToonBron -------------------------------------------------------------------

namespace {
constexpr double kPerSampleUs = 1e6 / ToonBron::kRate;
// Further off than this from where the stream says it is, the tone jumps:
// the stream has just started, or woke from a pause, or fell behind.
constexpr double kSprongUs = 20000;
// Smaller differences are made up a little at every request, so that the
// jitter of the sound thread never shortens or stretches a beep noticeably.
constexpr double kBijstelUs = 250;
// A stretch of which less than this is left where the tone jumps to is not
// begun at all: it would be a click, not a beep.
constexpr std::int64_t kRestUs = 5000;
// Stretches older than this are dropped when no stream asks for them.
constexpr std::int64_t kBewaarUs = 1000000;
constexpr std::size_t kMaxStukken = 1024;
// What the tone needs besides the stream's own buffer: the time in which a
// next Beep may still join a held tone, and some room for the sound thread.
constexpr std::int64_t kExtraUs = (ToonBron::kBrugMs + 2) * 1000;
} // namespace

std::int64_t ToonBron::nu() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void ToonBron::beep(double frequentie, std::uint32_t duur, std::int64_t nu) {
    const std::int64_t einde = nu + std::int64_t(duur) * 1000;
    {
        std::lock_guard<std::mutex> slot(m_slot);
        while (!m_stukken.empty() &&
               (m_stukken.front().einde < nu - kBewaarUs || m_stukken.size() >= kMaxStukken))
            m_stukken.pop_front();
        if (!m_stukken.empty() && nu <= m_stukken.back().einde + kBrugMs * 1000)
            m_stukken.back().einde = std::max(m_stukken.back().einde, einde);
        else
            m_stukken.push_back({nu, einde});
    }
    m_freqBeep.store(frequentie);
    m_opdrachten.fetch_add(1);
}

void ToonBron::beep(double frequentie, std::uint32_t duur) {
    beep(frequentie, duur, nu());
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

void ToonBron::zetBuffer(std::size_t samples) {
    m_vertraging.store(std::int64_t(double(samples) * kPerSampleUs) + kExtraUs);
}

void ToonBron::vul(std::int16_t* doel, std::size_t n, std::int64_t nu, std::size_t voor) {
    constexpr double helling = 1000.0 / (double(kRate) * kHellingMs);

    // Where these samples belong on the caller's clock: they sound after the
    // voor samples still queued, and the tone runs the delay behind.
    const double verwacht = double(nu) + double(voor) * kPerSampleUs - double(m_vertraging.load());
    const bool sprong = !m_geankerd || std::abs(verwacht - m_w) > kSprongUs;
    // A small difference is made up by running these samples a little
    // faster or slower, never backwards: a beep's start is crossed once.
    double stapUs = kPerSampleUs;
    if (sprong) {
        m_w = verwacht;
    } else if (n > 0) {
        const double half = double(n) * kPerSampleUs / 2;
        stapUs +=
            std::clamp(std::clamp((verwacht - m_w) / 4, -kBijstelUs, kBijstelUs), -half, half) /
            double(n);
    }
    m_geankerd = true;
    const double eind = m_w + double(n) * stapUs;

    bool verder = false;
    m_werk.clear();
    {
        std::lock_guard<std::mutex> slot(m_slot);
        while (!m_stukken.empty() && double(m_stukken.front().einde) <= m_w)
            m_stukken.pop_front();
        // What was skipped is not played later: a stretch under way starts
        // here, and one nearly over is left out.
        while (sprong && !m_stukken.empty() && double(m_stukken.front().begin) < m_w) {
            Stuk& s = m_stukken.front();
            if (double(s.einde) - m_w < double(kRestUs)) {
                m_stukken.pop_front();
                continue;
            }
            s.begin = std::int64_t(std::ceil(m_w));
            break;
        }
        for (const Stuk& s : m_stukken) {
            if (double(s.begin) >= eind)
                break;
            m_werk.push_back(s);
        }
        if (!m_stukken.empty()) {
            // A held tone that may still grow keeps sounding until it is
            // known whether it does (only when a request reaches that far).
            Stuk& laatste = m_stukken.back();
            const bool open = nu < laatste.einde + kBrugMs * 1000;
            const bool aangehouden = laatste.einde - laatste.begin > 15000;
            if (open && aangehouden && !m_werk.empty() && m_werk.back().begin == laatste.begin)
                m_werk.back().einde = laatste.einde + kBrugMs * 1000;
            verder = double(laatste.einde) > eind;
        }
    }

    const bool continu = m_continu.load();
    const double frequentie = continu ? m_freqContinu.load() : m_freqBeep.load();
    const double stap = frequentie / kRate;

    m_klonk = false;
    std::size_t k = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = m_w + double(i) * stapUs;
        while (k < m_werk.size() && double(m_werk[k].einde) <= w)
            ++k;
        const bool aan = continu || (k < m_werk.size() && double(m_werk[k].begin) <= w);
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
    m_w = eind;
    m_stil = m_volume <= 0.0 && !continu && !verder;
}

// ---- The connection to the sound server -----------------------------------------

namespace {

// One playback stream on the shared connection. Everything that touches the
// stream runs with the loop's lock held: the callbacks run inside the loop,
// and the user-interface thread takes the lock only to wake a paused stream
// and to shut down. When the connection goes, the stream goes with it; when
// it comes back, a new stream is made.
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
    // No loop could be started at all: the tone stays silent for good.
    bool mislukt() const { return m_mislukt.load(); }
    bool gespeeld() const { return m_gespeeld.load(); }

    // After the tone was asked for something: a stream paused for silence
    // starts again, and one that failed on a live connection is made anew.
    // The lock is taken only then.
    void wek() {
        if (!m_gepauzeerd.load() && !m_stroomKapot.load())
            return;
        if (!m_verbinding)
            return;
        m_verbinding->vergrendel();
        if (m_stroomKapot.load() && m_context) {
            laatStroomLos();
            maakStroom(m_context);
        }
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
    static constexpr int kAanvulMs = 5;
    // After this much silence the stream pauses, so an idle speaker costs nothing.
    static constexpr std::uint64_t kPauzeNa = ToonBron::kRate * 2;

    void verbonden(pa_context* c) override {
        m_context = c;
        maakStroom(c);
    }

    void verbroken() override {
        laatStroomLos();
        m_context = nullptr;
    }

    void vergeten() override {
        m_verbinding = nullptr;
        m_context = nullptr;
    }

    void laatStroomLos() {
        m_stroomKapot = false;
        m_gepauzeerd = false;
        m_stilSamples = 0;
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
        switch (pa_stream_get_state(s)) {
        case PA_STREAM_READY:
            // The server may have chosen another buffer than asked for.
            if (const pa_buffer_attr* a = pa_stream_get_buffer_attr(s)) {
                self->m_bufferBytes = a->tlength;
                self->m_bron.zetBuffer(a->tlength / sizeof(std::int16_t));
            }
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            // Made again at the next Beep if the connection itself is fine.
            self->m_stroomKapot = true;
            break;
        default:
            break;
        }
    }

    void maakStroom(pa_context* context) {
        if (m_stroom)
            return;
        const pa_sample_spec formaat{PA_SAMPLE_S16NE, ToonBron::kRate, 1};
        m_stroom = pa_stream_new(context, "Zoemer", &formaat, nullptr);
        if (!m_stroom) {
            m_stroomKapot = true;
            return;
        }
        pa_stream_set_state_callback(m_stroom, &ToonGenerator::stroomToestand, this);
        pa_stream_set_write_callback(m_stroom, &ToonGenerator::schrijf, this);
        pa_buffer_attr attr;
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kLatentieMs * 1000, &formaat));
        attr.prebuf = static_cast<std::uint32_t>(-1);
        attr.minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(kAanvulMs * 1000, &formaat));
        attr.fragsize = static_cast<std::uint32_t>(-1);
        m_bufferBytes = attr.tlength;
        if (pa_stream_connect_playback(m_stroom, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                       nullptr) < 0)
            m_stroomKapot = true;
    }

    static void schrijf(pa_stream* s, size_t nbytes, void* gebruiker) {
        static_cast<ToonGenerator*>(gebruiker)->schrijf(s, nbytes);
    }

    void schrijf(pa_stream* s, size_t nbytes) {
        const std::uint64_t opdrachtenVoor = m_bron.opdrachten();
        const size_t n = nbytes / sizeof(std::int16_t);
        if (n == 0)
            return;
        // The server asks for what its buffer misses: the rest is still
        // queued before these samples.
        const size_t voor =
            (m_bufferBytes > nbytes ? m_bufferBytes - nbytes : 0) / sizeof(std::int16_t);
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
        m_bron.vul(doel, n, ToonBron::nu(), voor);
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
    pa_context* m_context = nullptr; // while the connection is ready
    pa_stream* m_stroom = nullptr;
    size_t m_bufferBytes = 0;
    ToonBron m_bron;
    std::atomic<bool> m_mislukt{false};
    std::atomic<bool> m_gepauzeerd{false};
    std::atomic<bool> m_stroomKapot{false};
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

bool toonServerKlaar() {
    const pulse::Verbinding* v = pulse::Verbinding::bestaand();
    return v && v->klaar();
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
