// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The tone's stream on the sound server (libpulse), on the connection that
// the microphone shares. What is written when is decided by the player
// (toon.cpp); this file carries samples to the server, keeps count of how
// many are still queued, and wakes the player on the loop's thread when it
// asked to be (a timer) or when the server asks for more.
#include "platform/platform.h"
#include "platform/pulseverbinding.h"
#include "platform/toonstroom.h"

#include <algorithm>

namespace platform::toon {

namespace {

// The request the stream is made with. The server's own buffer takes 10 ms
// of it ((length - 2 x request) / 2). The server asks for more after every
// 100 ms it played: the player writes at ticks and is woken by its own timer
// when they fall behind, so these requests only keep the count of what is
// queued right, at little cost. A stream that has played out starts again
// as soon as 2 ms arrive.
constexpr int kVraagMs = 100;
constexpr int kServerbufferMs = 10;
constexpr int kLengteMs = 2 * kVraagMs + 2 * kServerbufferMs;
constexpr int kVoorbufferMs = 2;

// Everything that touches the stream runs with the loop's lock held: the
// callbacks run inside the loop, and the player takes the lock to write at
// ticks. When the connection goes, the stream goes with it; when it comes
// back, a new stream is made.
//
// How many samples are queued is counted here rather than asked of the
// server, which would cost a round trip: every sample written is counted,
// and while the stream plays, the server takes them at the sample rate. Each
// request of the server says exactly how much it still has, and sets the
// count right.
class PulseStroom : public Stroom, public pulse::Gebruiker {
public:
    PulseStroom(Speler& speler, pulse::Verbinding* v) : m_speler(speler), m_verbinding(v) {}

    void begin() override {
        m_verbinding->vergrendel();
        m_verbinding->meldAan(this);
        m_verbinding->ontgrendel();
    }

    ~PulseStroom() override {
        if (!m_verbinding)
            return;
        m_verbinding->vergrendel();
        if (m_wekker)
            m_verbinding->api()->time_free(m_wekker);
        laatStroomLos();
        // Leaving without having joined is harmless.
        m_verbinding->meldAf(this);
        m_verbinding->ontgrendel();
    }

    PulseStroom(const PulseStroom&) = delete;
    PulseStroom& operator=(const PulseStroom&) = delete;

    void vergrendel() override {
        if (m_verbinding)
            m_verbinding->vergrendel();
    }
    void ontgrendel() override {
        if (m_verbinding)
            m_verbinding->ontgrendel();
    }

    bool open() override {
        if (m_kapot && m_context) {
            laatStroomLos();
            maakStroom(m_context);
        }
        return m_stroom && m_klaar;
    }

    bool speelt() const override { return m_loopt && inRij() > 0; }

    std::size_t inRij() const override {
        std::int64_t gespeeld = m_gespeeld;
        if (m_loopt)
            gespeeld += (ToonBron::nu() - m_sinds) * ToonBron::kRate / 1000000;
        return std::size_t(m_geschreven - std::min(gespeeld, m_geschreven));
    }

    void schrijf(const std::int16_t* samples, std::size_t n) override {
        if (!m_stroom || n == 0)
            return;
        // Played out or run dry: the server rests until it has its
        // prebuffer again (or plays at once while told to play out).
        if (m_loopt && inRij() == 0) {
            m_gespeeld = m_geschreven;
            m_loopt = false;
        }
        if (!m_loopt && (m_uitspelen || std::size_t(m_geschreven - m_gespeeld) + n >= m_prebuf)) {
            m_loopt = true;
            m_sinds = ToonBron::nu();
        }
        if (pa_stream_write(m_stroom, samples, n * sizeof(std::int16_t), nullptr, 0,
                            PA_SEEK_RELATIVE) == 0)
            m_geschreven += std::int64_t(n);
    }

    void wekNa(std::int64_t microseconden) override {
        if (!m_context)
            return;
        if (microseconden < 0) {
            // Stopping a wake that is not set would stir the loop for nothing.
            if (m_wekker && m_gewekt) {
                pa_context_rttime_restart(m_context, m_wekker, PA_USEC_INVALID);
                m_gewekt = false;
            }
            return;
        }
        const pa_usec_t wanneer = pa_rtclock_now() + pa_usec_t(microseconden);
        if (!m_wekker)
            m_wekker = pa_context_rttime_new(m_context, wanneer, &PulseStroom::gewekt, this);
        else
            pa_context_rttime_restart(m_context, m_wekker, wanneer);
        m_gewekt = m_wekker != nullptr;
    }

    void uitspelen() override {
        if (!m_stroom || m_uitspelen)
            return;
        m_uitspelen = pa_stream_drain(m_stroom, &PulseStroom::uitgespeeld, this);
        m_uitspelenTot = m_geschreven;
    }

private:
    void verbonden(pa_context* c) override {
        m_context = c;
        maakStroom(c);
    }

    void verbroken() override {
        laatStroomLos();
        m_context = nullptr;
    }

    void vergeten() override {
        // The loop goes, and its events with it.
        m_verbinding = nullptr;
        m_context = nullptr;
        m_wekker = nullptr;
    }

    void laatStroomLos() {
        m_kapot = false;
        m_klaar = false;
        if (m_uitspelen) {
            pa_operation_cancel(m_uitspelen);
            pa_operation_unref(m_uitspelen);
            m_uitspelen = nullptr;
        }
        if (!m_stroom)
            return;
        pa_stream_set_write_callback(m_stroom, nullptr, nullptr);
        pa_stream_set_state_callback(m_stroom, nullptr, nullptr);
        pa_stream_set_underflow_callback(m_stroom, nullptr, nullptr);
        pa_stream_disconnect(m_stroom);
        pa_stream_unref(m_stroom);
        m_stroom = nullptr;
    }

    static void toestand(pa_stream* s, void* zelf) {
        auto* self = static_cast<PulseStroom*>(zelf);
        switch (pa_stream_get_state(s)) {
        case PA_STREAM_READY:
            // What the server made of the request.
            if (const pa_buffer_attr* a = pa_stream_get_buffer_attr(s)) {
                self->m_lengte = a->tlength / sizeof(std::int16_t);
                self->m_prebuf = a->prebuf / sizeof(std::int16_t);
            }
            self->m_geschreven = self->m_gespeeld = 0;
            self->m_loopt = false;
            self->m_klaar = true;
            self->m_speler.nieuweStroom();
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            // Made again at the next tick if the connection itself is fine.
            self->m_kapot = true;
            self->m_klaar = false;
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
            m_kapot = true;
            return;
        }
        pa_stream_set_state_callback(m_stroom, &PulseStroom::toestand, this);
        pa_stream_set_write_callback(m_stroom, &PulseStroom::verzoek, this);
        pa_stream_set_underflow_callback(m_stroom, &PulseStroom::drooggevallen, this);
        pa_buffer_attr attr;
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kLengteMs * 1000, &formaat));
        attr.prebuf = static_cast<std::uint32_t>(pa_usec_to_bytes(kVoorbufferMs * 1000, &formaat));
        attr.minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(kVraagMs * 1000, &formaat));
        attr.fragsize = static_cast<std::uint32_t>(-1);
        if (pa_stream_connect_playback(m_stroom, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                       nullptr) < 0)
            m_kapot = true;
    }

    static void verzoek(pa_stream*, size_t nbytes, void* zelf) {
        static_cast<PulseStroom*>(zelf)->verzoek(nbytes);
    }

    void verzoek(size_t nbytes) {
        const std::size_t n = nbytes / sizeof(std::int16_t);
        // The server asks for what its target length misses: the rest is
        // what it still has.
        m_gespeeld =
            m_geschreven -
            std::min<std::int64_t>(m_geschreven, std::int64_t(m_lengte - std::min(m_lengte, n)));
        m_sinds = ToonBron::nu();
        m_loopt = true;
        m_speler.vraag();
    }

    static void gewekt(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* zelf) {
        auto* self = static_cast<PulseStroom*>(zelf);
        self->m_gewekt = false;
        if (self->m_klaar)
            self->m_speler.vraag();
    }

    static void drooggevallen(pa_stream*, void* zelf) {
        auto* self = static_cast<PulseStroom*>(zelf);
        self->m_gespeeld = self->m_geschreven;
        self->m_loopt = false;
    }

    static void uitgespeeld(pa_stream*, int, void* zelf) {
        auto* self = static_cast<PulseStroom*>(zelf);
        pa_operation_unref(self->m_uitspelen);
        self->m_uitspelen = nullptr;
        // Played out and resting, unless more was written in the meantime.
        if (self->m_geschreven == self->m_uitspelenTot) {
            self->m_gespeeld = self->m_geschreven;
            self->m_loopt = false;
        }
    }

    Speler& m_speler;
    pulse::Verbinding* m_verbinding;
    pa_context* m_context = nullptr; // while the connection is ready
    pa_stream* m_stroom = nullptr;
    pa_operation* m_uitspelen = nullptr;
    bool m_klaar = false;
    bool m_kapot = false;
    // Samples: the server's target length and prebuffer.
    std::size_t m_lengte = std::size_t(kLengteMs - kServerbufferMs) * ToonBron::kRate / 1000;
    std::size_t m_prebuf = std::size_t(kVoorbufferMs) * ToonBron::kRate / 1000;
    pa_time_event* m_wekker = nullptr;
    bool m_gewekt = false;
    // The count: written in all; played by m_sinds; taken at the sample rate
    // since then while m_loopt.
    std::int64_t m_geschreven = 0;
    std::int64_t m_gespeeld = 0;
    std::int64_t m_sinds = 0;
    bool m_loopt = false;
    std::int64_t m_uitspelenTot = 0;
};

} // namespace

std::unique_ptr<Stroom> maakStroom(Speler& speler) {
    pulse::Verbinding* v = pulse::Verbinding::gedeeld();
    if (!v)
        return nullptr;
    return std::make_unique<PulseStroom>(speler, v);
}

void sluitGeluidssysteem() {
    pulse::Verbinding::sluit();
}

} // namespace platform::toon

namespace platform {

bool toonServerKlaar() {
    const pulse::Verbinding* v = pulse::Verbinding::bestaand();
    return v && v->klaar();
}

} // namespace platform
