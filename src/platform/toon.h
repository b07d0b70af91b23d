// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The speaker's tone: one square wave played through the sound system. Two
// things switch it: the system's Beep, which sounds for a given time, and the
// emulated speaker port, which holds a steady tone until it is switched off.
// Nothing here ever blocks the user-interface thread; without a sound server
// the tone stays silent and nothing is reported.
//
// This file and toon.cpp know no sound system: the samples come from
// ToonBron, and what the stream does when is decided by the player in
// toon.cpp. A driver (toon_pulse.cpp) only moves samples to the sound system
// through the small interface in toonstroom.h.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace platform {

// The system's Beep: frequency Hz for duur ms. It returns at once; the tone
// sounds for duur, a moment later. A Beep on every tick of the board's clock
// (a buzzer fed high) sounds as one tone without gaps, however late the ticks
// come.
void Beep(std::uint32_t frequentie, std::uint32_t duur);

// The steady tone of the speaker port: on at a frequency (a new frequency
// retunes a running tone), and off.
void toonAan(double frequentie);
void toonUit();

// One tick of the board's clock has passed: the Beeps and switches since the
// previous tick belong to it. Called by the clock after every tick. The tone
// learns from it whether a tone goes on, and writes what it now knows to the
// sound system; while nothing sounds it costs nothing.
void toonTik();

// Closes the connection to the sound server in order: the stream and the
// connection are taken down under the sound thread's lock, then the thread is
// stopped. The main window calls it on its way out, while the application
// object still exists. A later tone opens a new connection.
void toonAfsluiten();

// Whether sound has gone out to the sound server (for measurements).
bool toonGespeeld();
// Whether the connection to the sound server is ready right now.
bool toonServerKlaar();

// What the tone plays, sample by sample. It knows nothing of the sound
// system, so its timing can be tested exactly. The setters are called from
// the user-interface thread, vul() from whichever thread writes the stream,
// one at a time.
//
// Beeps are kept as stretches of time on the caller's clock and played back
// at a fixed delay behind it, the same for every beep: a beep sounds its own
// time, as it was made. Time during which nothing was written is skipped,
// never paid out later.
//
// A stretch goes on while the Beeps follow each other: when the caller
// reports its clock's ticks (tik()), a Beep continues the tone when the tick
// before it had one too, however late it comes; without ticks, when it comes
// at most kBrugMs after the last one ended.
class ToonBron {
public:
    static constexpr int kRate = 44100;
    // Without ticks, a Beep that starts at most this long after the one
    // before it has ended continues its tone.
    static constexpr int kBrugMs = 12;
    // With ticks, a held tone sounds on at most this long past its last Beep
    // while the next tick is late (the clock's thread was kept busy).
    static constexpr int kWachtOpTikMs = 250;
    // On and off are faded over this long so that they do not click.
    static constexpr int kHellingMs = 2;
    static constexpr int kAmplitude = 6000;

    // A Beep at time nu (microseconds on any steady clock). Beeps that
    // overlap (two buzzers on the same tick) sound as one.
    void beep(double frequentie, std::uint32_t duur, std::int64_t nu);
    // The same now.
    void beep(double frequentie, std::uint32_t duur);
    void aan(double frequentie);
    void uit();
    // A tick of the caller's clock at nu; the same now.
    void tik(std::int64_t nu);
    void tik();

    // How far the written samples run behind the caller's clock: a sample
    // written after voor queued samples stands for the caller's time
    // nu + voor - vertraging.
    void zetVertraging(std::int64_t microseconden);
    std::int64_t vertraging() const { return m_vertraging.load(); }
    // For a stream that asks for samples whenever its queue of `samples` has
    // room: the delay that lets every Beep that may still join a held tone be
    // made before its samples are written.
    void zetBuffer(std::size_t samples);

    // A new stream begins: its first samples are placed afresh, and what was
    // skipped before it is not counted as the stream running dry.
    void nieuweStroom() { m_geankerd = false; }
    // Writes the next n samples (signed 16-bit mono at kRate), asked for at
    // nu (the clock of beep()), while voor samples are still queued before
    // them.
    void vul(std::int16_t* doel, std::size_t n, std::int64_t nu, std::size_t voor);
    // Whether anything sounds before the caller's time tot among what vul()
    // has still to write: a tone, a fade, or a held tone that may go on.
    bool klinktVoor(std::int64_t tot);
    // Samples still to write before a tone known to have ended has faded out
    // and nothing is left: 0 when silent, SIZE_MAX while the tone may still
    // go on or more is to come.
    std::size_t naklank();
    // True while the last vul() ended in silence with nothing left to play.
    bool stil() const { return m_stil; }
    // Whether the caller reports its clock's ticks (one came lately), and
    // when the tick before the last one ended.
    bool tikkenGemeld(std::int64_t nu) const;
    std::int64_t vorigeTik() const { return m_vorigeTik.load(); }
    // Whether the last vul() wrote any sound.
    bool klonk() const { return m_klonk; }
    // How many times vul() found itself so far behind that it had to skip
    // sound it should have played: the stream had run dry.
    std::uint64_t haperingen() const { return m_haperingen; }

    // The current time in microseconds on the clock beep() and vul() use
    // when no time is given.
    static std::int64_t nu();

private:
    struct Stuk {
        std::int64_t begin; // microseconds
        std::int64_t einde;
        bool gesloten = false; // a tick passed without a Beep for it
        int tikken = 1;        // ticks with a Beep for it
    };
    // Where a stretch that may still grow is taken to end for now.
    std::int64_t voorlopigEinde(const Stuk& s, std::int64_t nu) const;
    // Whether a stretch can no longer grow.
    bool definitief(const Stuk& s, std::int64_t nu) const;

    // Stretches still to play, oldest first; the last one may still grow.
    // Shared by both threads under m_slot.
    std::mutex m_slot;
    std::deque<Stuk> m_stukken;
    bool m_beepDezeTik = false;
    std::atomic<std::int64_t> m_laatsteTik{INT64_MIN / 2};
    std::atomic<std::int64_t> m_vorigeTik{INT64_MIN / 2};
    std::atomic<bool> m_continu{false};
    std::atomic<double> m_freqContinu{0.0};
    std::atomic<double> m_freqBeep{0.0};
    // A 30 ms stream until told otherwise.
    std::atomic<std::int64_t> m_vertraging{(30 + kBrugMs + 2) * 1000};

    // The writing thread only.
    double m_w = 0.0; // the caller's time of the next sample, microseconds
    bool m_geankerd = false;
    std::vector<Stuk> m_werk;
    double m_fase = 0.0;
    double m_volume = 0.0;
    bool m_stil = true;
    bool m_klonk = false;
    std::uint64_t m_haperingen = 0;
};

// Test seam: while it exists, Beep, toonAan and toonUit are recorded here
// instead of being played, and no sound server is contacted.
class ToonRecorder {
public:
    enum class Soort { Beep, Aan, Uit };
    struct Opdracht {
        Soort soort;
        double frequentie;
        std::uint32_t duur;
    };

    ToonRecorder();
    ~ToonRecorder();
    ToonRecorder(const ToonRecorder&) = delete;
    ToonRecorder& operator=(const ToonRecorder&) = delete;

    const std::vector<Opdracht>& opdrachten() const { return m_opdrachten; }
    void wis() { m_opdrachten.clear(); }
    static ToonRecorder* current();

private:
    friend void Beep(std::uint32_t, std::uint32_t);
    friend void toonAan(double);
    friend void toonUit();
    std::vector<Opdracht> m_opdrachten;
};

} // namespace platform
