// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The capture driver on the sound server: one record stream from the default
// source per opened device, on the connection the speaker's tone uses.
// Recorded bytes are copied, on the sound thread, into the oldest queued
// buffer; a full buffer goes back to the user-interface thread as a queued
// notice, so buffers come back in the order they were added.
#include "platform/opname.h"
#include "platform/platform.h"
#include "platform/pulseverbinding.h"
#include "platform/systeem.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace platform::pulse {

namespace {

class PulseOpname : public OpnameApparaat, public Gebruiker {
public:
    PulseOpname(Verbinding* v, const GolfFormaat& f, OpnameMelder* melder)
        : m_verbinding(v), m_formaat(f), m_melder(melder) {
        v->vergrendel();
        post([](OpnameMelder* m) { m->wimOpen(); });
        v->meldAan(this);
        v->ontgrendel();
    }

    ~PulseOpname() override {
        if (!m_gesloten) {
            reset();
            sluit();
        }
    }

    unsigned bereidVoor(GolfKop* kop) override {
        if (!kop || !kop->data)
            return OPNAME_ONGELDIGE_WAARDE;
        kop->vlaggen |= KOP_VOORBEREID;
        // The server sends sound in pieces of one buffer: each piece fills a
        // buffer exactly, so a buffer comes back as soon as it is full and the
        // sound thread wakes no more often than buffers fill.
        if (vergrendel()) {
            m_stuk = std::max(m_stuk, kop->bufferLengte);
            m_verbinding->ontgrendel();
        }
        return OPNAME_OK;
    }

    unsigned ontbereid(GolfKop* kop) override {
        if (kop->vlaggen & KOP_IN_RIJ)
            return OPNAME_NOG_BEZIG;
        kop->vlaggen &= ~KOP_VOORBEREID;
        return OPNAME_OK;
    }

    unsigned voegToe(GolfKop* kop) override {
        if (!(kop->vlaggen & KOP_VOORBEREID))
            return OPNAME_NIET_VOORBEREID;
        if (!vergrendel())
            return OPNAME_VERLOREN;
        unsigned r = OPNAME_OK;
        if (m_verloren) {
            r = OPNAME_VERLOREN;
        } else {
            kop->vlaggen = (kop->vlaggen & ~KOP_KLAAR) | KOP_IN_RIJ;
            kop->opgenomen = 0;
            m_rij.push_back(kop);
        }
        m_verbinding->ontgrendel();
        return r;
    }

    unsigned start() override {
        if (!vergrendel())
            return OPNAME_VERLOREN;
        m_gestart = true;
        if (m_stroom)
            kurk(false);
        else if (m_luistert)
            maakStroom();
        m_verbinding->ontgrendel();
        return m_verloren ? OPNAME_VERLOREN : OPNAME_OK;
    }

    unsigned luister(bool aan) override {
        if (!vergrendel())
            return OPNAME_VERLOREN;
        if (aan != m_luistert && !m_verloren) {
            m_luistert = aan;
            // Not listening, there is no record stream at all: the server
            // sends nothing and the desktop shows no microphone in use. Sound
            // from before a pause never mixes into what comes after.
            if (!aan) {
                laatStroomLos();
                for (GolfKop* k : m_rij)
                    k->opgenomen = 0;
            } else if (m_gestart) {
                maakStroom();
            }
        }
        m_verbinding->ontgrendel();
        return OPNAME_OK;
    }

    unsigned reset() override {
        const bool slot = vergrendel();
        m_gestart = false;
        if (m_stroom) {
            kurk(true);
            if (pa_operation* op = pa_stream_flush(m_stroom, nullptr, nullptr))
                pa_operation_unref(op);
        }
        for (GolfKop* k : m_rij)
            k->vlaggen = (k->vlaggen & ~KOP_IN_RIJ) | KOP_KLAAR;
        m_rij.clear();
        if (slot)
            m_verbinding->ontgrendel();
        return OPNAME_OK;
    }

    unsigned sluit() override {
        if (m_gesloten)
            return OPNAME_ONGELDIG;
        const bool slot = vergrendel();
        if (!m_rij.empty()) {
            if (slot)
                m_verbinding->ontgrendel();
            return OPNAME_NOG_BEZIG;
        }
        laatStroomLos();
        if (slot)
            m_verbinding->meldAf(this);
        post([](OpnameMelder* m) { m->wimClose(); });
        m_melder = nullptr;
        m_gesloten = true;
        if (slot)
            m_verbinding->ontgrendel();
        m_verbinding = nullptr;
        return OPNAME_OK;
    }

    // ---- On the sound thread, with the lock held -------------------------------------

    void verbonden(pa_context* c) override {
        m_context = c;
        // The stream is made once recording starts, when the buffers' size
        // is known, and only while the microphone is heard.
        if (m_gestart && m_luistert)
            maakStroom();
    }

    void maakStroom() {
        pa_context* c = m_context;
        if (m_stroom || m_verloren || !c)
            return;
        const pa_sample_spec paFormaat{
            m_formaat.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE,
            m_formaat.samplesPerSeconde, static_cast<std::uint8_t>(m_formaat.kanalen)};
        if (!pa_sample_spec_valid(&paFormaat)) {
            verliezen();
            return;
        }
        m_stroom = pa_stream_new(c, "Microfoon", &paFormaat, nullptr);
        if (!m_stroom) {
            verliezen();
            return;
        }
        pa_stream_set_state_callback(m_stroom, &PulseOpname::stroomToestand, this);
        pa_stream_set_read_callback(m_stroom, &PulseOpname::lees, this);
        pa_buffer_attr attr;
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(-1);
        attr.prebuf = static_cast<std::uint32_t>(-1);
        attr.minreq = static_cast<std::uint32_t>(-1);
        attr.fragsize =
            m_stuk > 0 ? m_stuk : static_cast<std::uint32_t>(pa_usec_to_bytes(100000, &paFormaat));
        const auto vlaggen =
            pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | (m_gestart ? 0 : PA_STREAM_START_CORKED));
        if (pa_stream_connect_record(m_stroom, nullptr, &attr, vlaggen) < 0)
            verliezen();
    }

    void verbroken() override {
        laatStroomLos();
        m_context = nullptr;
        verliezen();
    }

    void vergeten() override { m_verbinding = nullptr; }

private:
    // Takes the connection's lock; false when the connection is gone.
    bool vergrendel() {
        if (!m_verbinding)
            return false;
        m_verbinding->vergrendel();
        return true;
    }

    template <class F> void post(F f) {
        if (OpnameMelder* m = m_melder)
            QMetaObject::invokeMethod(
                m, [m, f] { f(m); }, Qt::QueuedConnection);
    }

    void kurk(bool dicht) {
        if (pa_operation* op = pa_stream_cork(m_stroom, dicht ? 1 : 0, nullptr, nullptr))
            pa_operation_unref(op);
    }

    void laatStroomLos() {
        if (!m_stroom)
            return;
        pa_stream_set_read_callback(m_stroom, nullptr, nullptr);
        pa_stream_set_state_callback(m_stroom, nullptr, nullptr);
        pa_stream_disconnect(m_stroom);
        pa_stream_unref(m_stroom);
        m_stroom = nullptr;
    }

    // The device stops on its own; the owner hears it once and closes it.
    void verliezen() {
        if (m_verloren)
            return;
        m_verloren = true;
        laatStroomLos();
        post([](OpnameMelder* m) { m->wimVerloren(OPNAME_VERLOREN); });
    }

    static void stroomToestand(pa_stream* s, void* zelf) {
        const pa_stream_state_t t = pa_stream_get_state(s);
        if (t == PA_STREAM_FAILED || t == PA_STREAM_TERMINATED)
            static_cast<PulseOpname*>(zelf)->verliezen();
    }

    static void lees(pa_stream* s, size_t, void* zelf) { static_cast<PulseOpname*>(zelf)->lees(s); }

    void lees(pa_stream* s) {
        // Every call into the library costs system calls, so the queue is
        // read until it is empty without asking its size.
        for (;;) {
            const void* data = nullptr;
            size_t n = 0;
            if (pa_stream_peek(s, &data, &n) < 0 || n == 0)
                return;
            // data is null for a hole in the recording: that is silence.
            neem(static_cast<const char*>(data), n);
            pa_stream_drop(s);
        }
    }

    void neem(const char* data, size_t n) {
        const char stilte = m_formaat.bitsPerSample == 8 ? char(0x80) : 0;
        while (n > 0 && m_gestart && !m_rij.empty()) {
            GolfKop* k = m_rij.front();
            const size_t stuk = std::min<size_t>(n, k->bufferLengte - k->opgenomen);
            if (data)
                std::memcpy(k->data + k->opgenomen, data, stuk);
            else
                std::memset(k->data + k->opgenomen, stilte, stuk);
            k->opgenomen += std::uint32_t(stuk);
            n -= stuk;
            if (data)
                data += stuk;
            if (k->opgenomen >= k->bufferLengte) {
                m_rij.pop_front();
                k->vlaggen = (k->vlaggen & ~KOP_IN_RIJ) | KOP_KLAAR;
                post([k](OpnameMelder* m) { m->wimData(k); });
            }
        }
        // Sound with no buffer to take it is lost, as on a sound card.
    }

    Verbinding* m_verbinding;
    GolfFormaat m_formaat;
    OpnameMelder* m_melder;
    pa_context* m_context = nullptr; // once the connection is ready
    pa_stream* m_stroom = nullptr;
    std::uint32_t m_stuk = 0; // the largest buffer prepared
    std::deque<GolfKop*> m_rij;
    bool m_gestart = false;
    bool m_luistert = true;
    bool m_verloren = false;
    bool m_gesloten = false;
};

class PulseStuurprogramma : public OpnameStuurprogramma {
public:
    unsigned open(std::unique_ptr<OpnameApparaat>& apparaat, std::uint32_t nummer,
                  const GolfFormaat& f, OpnameMelder* melder) override {
        // Without a user nothing is opened at all.
        if (geluidUit())
            return OPNAME_GEEN_APPARAAT;
        // The server's default source is the only device.
        if (nummer != 0 && nummer != 0xFFFFFFFFu)
            return OPNAME_GEEN_APPARAAT;
        if (f.formaatSoort != 1 || (f.bitsPerSample != 8 && f.bitsPerSample != 16) ||
            f.kanalen < 1 || f.kanalen > 2 || f.samplesPerSeconde == 0 || !melder)
            return OPNAME_ONGELDIG;
        Verbinding* v = Verbinding::gedeeld();
        if (!v || v->mislukt())
            return OPNAME_GEEN_APPARAAT;
        apparaat = std::make_unique<PulseOpname>(v, f, melder);
        return OPNAME_OK;
    }

    bool bereikbaar() override {
        if (geluidUit())
            return false;
        const Verbinding* v = Verbinding::gedeeld();
        return v && v->klaar();
    }

    std::string foutTekst(unsigned code) override {
        switch (code) {
        case OPNAME_OK:
            return "Geen fout.";
        case OPNAME_GEEN_APPARAAT:
            return "Er is geen geluidsinvoer beschikbaar.";
        case OPNAME_ONGELDIG:
            return "Dit opnameformaat wordt niet ondersteund.";
        case OPNAME_NOG_BEZIG:
            return "Er staan nog buffers bij het apparaat.";
        case OPNAME_NIET_VOORBEREID:
            return "De buffer is niet voorbereid.";
        case OPNAME_VERLOREN:
            return "De verbinding met de geluidsserver is verbroken.";
        default:
            return "Onbekende fout " + std::to_string(code) + " bij de geluidsinvoer.";
        }
    }
};

} // namespace

} // namespace platform::pulse

namespace platform {

OpnameStuurprogramma& systeem::opname() {
    static pulse::PulseStuurprogramma stuurprogramma;
    return stuurprogramma;
}

} // namespace platform
