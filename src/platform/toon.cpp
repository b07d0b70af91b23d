// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "platform/toon.h"
#include "platform/platform.h"
#include "platform/toonstroom.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>

namespace platform {

// ---- ToonBron -------------------------------------------------------------------

namespace {
constexpr double kPerSampleUs = 1e6 / ToonBron::kRate;
// Further off than this from where the stream says it is, the tone jumps:
// the stream has just started, or woke from a rest, or fell behind.
constexpr double kSprongUs = 20000;
// Smaller differences are made up a little at every request, so that the
// jitter of the writing thread never shortens or stretches a beep noticeably.
constexpr double kBijstelUs = 250;
// A stretch of which less than this is left where the tone jumps to is not
// begun at all: it would be a click, not a beep.
constexpr std::int64_t kRestUs = 5000;
// Stretches older than this are dropped when nothing is written for them.
constexpr std::int64_t kBewaarUs = 1000000;
constexpr std::size_t kMaxStukken = 1024;
// What a stream that asks for samples needs besides its own buffer: the time
// in which a next Beep may still join a held tone, and some room for the
// thread that writes.
constexpr std::int64_t kExtraUs = (ToonBron::kBrugMs + 2) * 1000;
// Ticks count as reported while the last one is at most this old.
constexpr std::int64_t kTikkenGemeldUs = 100000;
// A stretch longer than this is a held tone, which may sound on while its
// next Beep is awaited; a lone beep never does.
constexpr std::int64_t kAangehoudenUs = 15000;
} // namespace

std::int64_t ToonBron::nu() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool ToonBron::tikkenGemeld(std::int64_t nu) const {
    return nu - m_laatsteTik.load() < kTikkenGemeldUs;
}

std::int64_t ToonBron::voorlopigEinde(const Stuk& s, std::int64_t nu) const {
    // Only the newest stretch can still grow, and only a held tone sounds on
    // while that is not yet known: one that two ticks renewed, or without
    // ticks one that lasted longer than a beep.
    const bool tikken = tikkenGemeld(nu);
    if (&s != &m_stukken.back() || (tikken ? s.tikken < 2 : s.einde - s.begin <= kAangehoudenUs))
        return s.einde;
    if (tikken) {
        const std::int64_t wacht = std::int64_t(kWachtOpTikMs) * 1000;
        return !s.gesloten && nu < s.einde + wacht ? s.einde + wacht : s.einde;
    }
    const std::int64_t brug = std::int64_t(kBrugMs) * 1000;
    return nu < s.einde + brug ? s.einde + brug : s.einde;
}

bool ToonBron::definitief(const Stuk& s, std::int64_t nu) const {
    return tikkenGemeld(nu) ? s.gesloten : nu > s.einde + std::int64_t(kBrugMs) * 1000;
}

void ToonBron::beep(double frequentie, std::uint32_t duur, std::int64_t nu) {
    const std::int64_t einde = nu + std::int64_t(duur) * 1000;
    {
        std::lock_guard<std::mutex> slot(m_slot);
        while (!m_stukken.empty() &&
               (m_stukken.front().einde < nu - kBewaarUs || m_stukken.size() >= kMaxStukken))
            m_stukken.pop_front();
        bool verder = false;
        if (!m_stukken.empty()) {
            const Stuk& laatste = m_stukken.back();
            // With ticks, the tone goes on when the tick before had a Beep
            // too, however late this one comes; without, when it comes soon.
            verder =
                nu <= laatste.einde ||
                (tikkenGemeld(nu) ? !laatste.gesloten && nu <= laatste.einde + kWachtOpTikMs * 1000
                                  : nu <= laatste.einde + kBrugMs * 1000);
        }
        if (verder) {
            Stuk& laatste = m_stukken.back();
            laatste.einde = std::max(laatste.einde, einde);
            laatste.tikken += m_beepDezeTik ? 0 : 1;
        } else {
            m_stukken.push_back({nu, einde});
        }
        m_beepDezeTik = true;
    }
    m_freqBeep.store(frequentie);
}

void ToonBron::beep(double frequentie, std::uint32_t duur) {
    beep(frequentie, duur, nu());
}

void ToonBron::aan(double frequentie) {
    m_freqContinu.store(frequentie);
    m_continu.store(true);
}

void ToonBron::uit() {
    m_continu.store(false);
}

void ToonBron::tik(std::int64_t nu) {
    std::lock_guard<std::mutex> slot(m_slot);
    m_vorigeTik.store(m_laatsteTik.load());
    m_laatsteTik.store(nu);
    // A tick without a Beep ends the newest stretch where it ends.
    if (!m_beepDezeTik && !m_stukken.empty())
        m_stukken.back().gesloten = true;
    m_beepDezeTik = false;
}

void ToonBron::tik() {
    tik(nu());
}

void ToonBron::zetVertraging(std::int64_t microseconden) {
    m_vertraging.store(microseconden);
}

void ToonBron::zetBuffer(std::size_t samples) {
    m_vertraging.store(std::int64_t(double(samples) * kPerSampleUs) + kExtraUs);
}

bool ToonBron::klinktVoor(std::int64_t tot) {
    if (m_continu.load() || m_volume > 0.0)
        return true;
    const std::int64_t nu = ToonBron::nu();
    std::lock_guard<std::mutex> slot(m_slot);
    for (const Stuk& s : m_stukken) {
        if (s.begin >= tot)
            break;
        if (double(voorlopigEinde(s, nu)) > m_w)
            return true;
    }
    return false;
}

std::size_t ToonBron::naklank() {
    constexpr std::size_t nogOnbekend = std::numeric_limits<std::size_t>::max();
    if (m_continu.load())
        return nogOnbekend;
    const std::int64_t nu = ToonBron::nu();
    double einde = m_w;
    {
        std::lock_guard<std::mutex> slot(m_slot);
        for (const Stuk& s : m_stukken) {
            if (double(voorlopigEinde(s, nu)) <= m_w)
                continue;
            // Only the newest stretch may be left, and it must have ended.
            if (&s != &m_stukken.back() || !definitief(s, nu))
                return nogOnbekend;
            einde = double(s.einde);
        }
    }
    const std::size_t tot = std::size_t(std::ceil((einde - m_w) / kPerSampleUs));
    constexpr double helling = 1000.0 / (double(kRate) * kHellingMs);
    const std::size_t uitklinken = einde > m_w ? std::size_t(std::ceil(1.0 / helling))
                                               : std::size_t(std::ceil(m_volume / helling));
    return tot + uitklinken;
}

void ToonBron::vul(std::int16_t* doel, std::size_t n, std::int64_t nu, std::size_t voor) {
    constexpr double helling = 1000.0 / (double(kRate) * kHellingMs);

    // Where these samples belong on the caller's clock: they sound after the
    // voor samples still queued, and the tone runs the delay behind.
    const double verwacht = double(nu) + double(voor) * kPerSampleUs - double(m_vertraging.load());
    const bool sprong = !m_geankerd || std::abs(verwacht - m_w) > kSprongUs;
    const double vanaf = m_w; // where the last samples ended
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
    const double eind = m_w + double(n) * stapUs;

    bool verder = false;
    bool gemist = false;
    m_werk.clear();
    {
        std::lock_guard<std::mutex> slot(m_slot);
        // Skipping ahead over time in which a tone sounded means the stream
        // ran dry: what should have been heard there was not.
        if (sprong && m_geankerd && m_w > vanaf) {
            gemist = m_continu.load();
            for (const Stuk& s : m_stukken)
                gemist = gemist || (double(s.begin) < m_w && double(voorlopigEinde(s, nu)) > vanaf);
        }
        while (!m_stukken.empty() && double(voorlopigEinde(m_stukken.front(), nu)) <= m_w)
            m_stukken.pop_front();
        // What was skipped is not played later: a stretch under way starts
        // here, and one nearly over is left out.
        while (sprong && !m_stukken.empty() && double(m_stukken.front().begin) < m_w) {
            Stuk& s = m_stukken.front();
            if (double(voorlopigEinde(s, nu)) - m_w < double(kRestUs)) {
                m_stukken.pop_front();
                continue;
            }
            s.begin = std::int64_t(std::ceil(m_w));
            break;
        }
        for (const Stuk& s : m_stukken) {
            if (double(s.begin) >= eind)
                break;
            m_werk.push_back({s.begin, voorlopigEinde(s, nu), s.gesloten});
        }
        if (!m_stukken.empty())
            verder = double(voorlopigEinde(m_stukken.back(), nu)) > eind;
    }
    m_geankerd = true;
    if (gemist)
        ++m_haperingen;

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

// ---- The player -----------------------------------------------------------------

namespace toon {

namespace {
constexpr std::size_t samplesVan(double ms) {
    return std::size_t(ms * ToonBron::kRate / 1000);
}
} // namespace

Speler::Speler() : m_stroom(maakStroom(*this)) {
    zetVertraging(kVertragingMs);
    if (m_stroom)
        m_stroom->begin();
}

Speler::~Speler() {
    // The driver's thread may be calling back until the stream is gone.
    m_stroom.reset();
}

void Speler::zetVertraging(int ms) {
    m_vertragingMs.store(ms);
    m_bron.zetVertraging(std::int64_t(ms) * 1000);
}

void Speler::beep(double frequentie, std::uint32_t duur) {
    const std::int64_t nu = ToonBron::nu();
    m_bron.beep(frequentie, duur, nu);
    wek(nu);
}

void Speler::aan(double frequentie) {
    m_bron.aan(frequentie);
    wek(ToonBron::nu());
}

void Speler::uit() {
    m_bron.uit();
}

void Speler::wek(std::int64_t nu) {
    m_bezig = true;
    // The next tick writes it. Without a clock that ticks, a resting stream
    // is started now and from then on written from the driver's thread.
    if (m_bron.tikkenGemeld(nu))
        return;
    m_stroom->vergrendel();
    if (m_stroom->open() && !m_stroom->speelt())
        bijvullen(nu, true);
    m_stroom->ontgrendel();
}

void Speler::tik() {
    const std::int64_t nu = ToonBron::nu();
    m_bron.tik(nu);
    if (!m_bezig)
        return;
    m_stroom->vergrendel();
    if (m_stroom->open())
        bijvullen(nu, false);
    m_stroom->ontgrendel();
}

void Speler::bijvullen(std::int64_t nu, bool ookStilte) {
    // Up to just before the tick's own time.
    const std::int64_t tot = nu - std::int64_t(ToonBron::kHellingMs) * 1000;
    const std::size_t voor = m_stroom->inRij();
    const std::size_t doel = samplesVan(m_vertragingMs.load() - ToonBron::kHellingMs);
    // A resting stream is started only for sound whose next step this tick
    // has decided (a Beep of this very tick waits for the next one); not for
    // silence alone.
    const bool nodig = m_stroom->speelt() ? m_bron.klinktVoor(tot)
                                          : m_bron.klinktVoor(std::min(tot, m_bron.vorigeTik()));
    if (voor < doel && (ookStilte || nodig))
        maak(doel - voor, nu);
    afronden(nu);
    if (!m_bron.klinktVoor(std::numeric_limits<std::int64_t>::max()))
        m_bezig = false;
}

void Speler::vraag() {
    const std::int64_t nu = ToonBron::nu();
    const std::size_t voor = m_stroom->inRij();
    const std::size_t laag = samplesVan(kLaagMs);
    const bool tikken = m_bron.tikkenGemeld(nu);
    if (tikken && voor >= laag) {
        // The ticks keep up.
        afronden(nu);
        return;
    }
    // The ticks are late, or there are none: write what is known, a held
    // tone sounding on.
    const std::size_t doel = samplesVan(m_vertragingMs.load() - ToonBron::kHellingMs);
    const std::int64_t tot = nu - std::int64_t(ToonBron::kHellingMs) * 1000;
    if (voor < doel && (m_bron.klinktVoor(tot) || !tikken))
        maak(doel - voor, nu);
    afronden(nu);
}

void Speler::maak(std::size_t n, std::int64_t nu) {
    if (n == 0)
        return;
    const std::size_t al = m_buffer.size();
    m_buffer.resize(al + n);
    m_bron.vul(m_buffer.data() + al, n, nu, m_stroom->inRij() + al);
    if (m_bron.klonk())
        m_gespeeld.store(true);
    if (m_bron.haperingen() == m_haperingen)
        return;
    m_haperingen = m_bron.haperingen();
    // The stream ran dry while the tone sounded: from now on the tone runs
    // a little further behind, so that this machine has more room.
    const int was = m_vertragingMs.load();
    if (was >= kMaxVertragingMs)
        return;
    zetVertraging(std::min(was + kGroeiMs, kMaxVertragingMs));
    if (!m_gemeld.exchange(true)) {
        std::fprintf(stderr,
                     "Kwintelvlak: de toon van de zoemer haperde omdat de computer het te druk "
                     "had; hij klinkt voortaan %d ms na het signaal in plaats van %d ms.\n",
                     m_vertragingMs.load(), was);
        std::fflush(stderr);
    }
}

void Speler::afronden(std::int64_t nu) {
    // A tone known to have ended is written to its faded end at once, not at
    // the next tick.
    for (int keer = 0; keer < 3; ++keer) {
        const std::size_t rest = m_bron.naklank();
        if (rest == 0 || rest > samplesVan(m_vertragingMs.load()))
            break;
        maak(rest, nu);
    }
    // In one piece, so that the server hears of it once.
    if (!m_buffer.empty()) {
        m_stroom->schrijf(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }
    const std::size_t voor = m_stroom->inRij();
    if (!m_bron.klinktVoor(std::numeric_limits<std::int64_t>::max())) {
        // Nothing more to play: the stream plays what it has and rests.
        m_stroom->wekNa(-1);
        if (voor > 0)
            m_stroom->uitspelen();
    } else if (m_stroom->speelt()) {
        // More to come: be woken before the queue runs low, in case the
        // ticks fall behind; a tick that writes first moves this on.
        const std::size_t laag = samplesVan(kLaagMs);
        const std::int64_t over = voor > laag ? std::int64_t(voor - laag) : 0;
        m_stroom->wekNa(std::max<std::int64_t>(over * 1000000 / ToonBron::kRate, 2000));
    }
}

} // namespace toon

// ---- The calls ------------------------------------------------------------------

namespace {

ToonRecorder* g_recorder = nullptr;
std::unique_ptr<toon::Speler> g_speler;

toon::Speler& speler() {
    if (!g_speler)
        g_speler = std::make_unique<toon::Speler>();
    return *g_speler;
}

} // namespace

void Beep(std::uint32_t frequentie, std::uint32_t duur) {
    if (g_recorder) {
        g_recorder->m_opdrachten.push_back({ToonRecorder::Soort::Beep, double(frequentie), duur});
        return;
    }
    // The system's Beep sounds only from 37 Hz to 32767 Hz.
    if (geluidUit() || frequentie < 37 || frequentie > 32767 || duur == 0)
        return;
    toon::Speler& s = speler();
    if (!s.mislukt())
        s.beep(frequentie, duur);
}

void toonAan(double frequentie) {
    if (g_recorder) {
        g_recorder->m_opdrachten.push_back({ToonRecorder::Soort::Aan, frequentie, 0});
        return;
    }
    if (geluidUit())
        return;
    toon::Speler& s = speler();
    if (!s.mislukt())
        s.aan(frequentie);
}

void toonUit() {
    if (g_recorder) {
        g_recorder->m_opdrachten.push_back({ToonRecorder::Soort::Uit, 0.0, 0});
        return;
    }
    // Switching off never opens a connection.
    if (g_speler && !g_speler->mislukt())
        g_speler->uit();
}

void toonTik() {
    // Ticks never open a connection either.
    if (!g_recorder && g_speler && !g_speler->mislukt())
        g_speler->tik();
}

void toonAfsluiten() {
    g_speler.reset();
    toon::sluitGeluidssysteem();
}

bool toonGespeeld() {
    return g_speler && g_speler->gespeeld();
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
