// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Between the tone's player (toon.cpp) and a sound driver that carries its
// samples to the sound system (toon_pulse.cpp). Nothing here knows a sound
// system: a driver for another system implements Stroom and maakStroom.
//
// How the tone uses a stream:
// - At every tick of the board's clock, while something sounds, the player
//   tops the stream up from the user-interface thread, so that what is
//   queued reaches the tick's own time; then every Beep of the tick is known
//   and a held tone is never guessed at. A lone beep goes out in one write,
//   after which the stream plays out and rests: a beeping buzzer costs a
//   write and the stream's end per beep, and a silent one nothing.
// - While a tone goes on, the player asks the driver to wake it on the
//   driver's own thread a little before the queue would run low
//   (Stroom::wekNa); every tick that writes moves that moment on. When the
//   user-interface thread falls behind, the wake comes (Speler::vraag) and
//   the player writes the tone's continuation.
// - What was skipped because the stream ran dry anyway is counted by the
//   tone itself (ToonBron::haperingen), whatever the driver reports.
#pragma once

#include "platform/toon.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform::toon {

class Speler;

// One playback stream of signed 16-bit mono samples at ToonBron::kRate.
// Every method except vergrendel is called with the driver's lock held, and
// the driver calls the player only with that lock held.
class Stroom {
public:
    virtual ~Stroom() = default;
    // Connects; from here on the driver may call the player back.
    virtual void begin() = 0;
    virtual void vergrendel() = 0;
    virtual void ontgrendel() = 0;
    // Whether the stream takes samples now; a stream that broke on a working
    // connection is made anew here.
    virtual bool open() = 0;
    // Whether the stream is playing what is queued (not resting after it
    // played out or ran dry).
    virtual bool speelt() const = 0;
    // Samples written and not yet played, now.
    virtual std::size_t inRij() const = 0;
    // Appends samples; a resting stream starts playing them at once.
    virtual void schrijf(const std::int16_t* samples, std::size_t n) = 0;
    // Nothing more follows for now: play what is queued, then rest, without
    // counting it as running dry.
    virtual void uitspelen() = 0;
    // Calls Speler::vraag from the driver's own thread after this many
    // microseconds, instead of any earlier call asked for; below zero: not.
    virtual void wekNa(std::int64_t microseconden) = 0;
};

// The tone's player: it owns the tone and its stream and decides what is
// written when. Beep, aan, uit and tik come from the user-interface thread;
// vraag comes from the driver.
class Speler {
public:
    // The delay of the tone behind the board's clock, and how far it may
    // grow when the stream ran dry on a busy machine.
    static constexpr int kVertragingMs = 40;
    static constexpr int kGroeiMs = 5;
    static constexpr int kMaxVertragingMs = 55;
    // Below this much queued, a tone that goes on is written from the
    // driver's thread: the ticks are late.
    static constexpr int kLaagMs = 15;

    Speler();
    ~Speler();
    Speler(const Speler&) = delete;
    Speler& operator=(const Speler&) = delete;

    // No sound system at all: nothing sounds, for good.
    bool mislukt() const { return !m_stroom; }
    bool gespeeld() const { return m_gespeeld.load(); }

    void beep(double frequentie, std::uint32_t duur);
    void aan(double frequentie);
    void uit();
    void tik();

    // The driver's wake (wekNa), or the server asking for more: writes the
    // tone's continuation when the queue runs low. Lock held.
    void vraag();
    // The driver has made a new stream (the first, or after the connection
    // came back). Lock held.
    void nieuweStroom() { m_bron.nieuweStroom(); }

private:
    // Writes what is needed for the queue to reach the caller's time nu;
    // silence only with ookStilte. Lock held.
    void bijvullen(std::int64_t nu, bool ookStilte);
    // Renders n more samples for the next write, after what is queued.
    void maak(std::size_t n, std::int64_t nu);
    // A tone that has ended gets its fade at once, what was rendered is
    // written in one piece, a stream with nothing more to play is told to
    // play out, and one with more to come is watched.
    void afronden(std::int64_t nu);
    // After a Beep or switch: the next tick writes it, or, without ticks,
    // the stream is started now.
    void wek(std::int64_t nu);
    void zetVertraging(int ms);

    ToonBron m_bron;
    std::unique_ptr<Stroom> m_stroom;
    std::vector<std::int16_t> m_buffer; // rendered, not yet written; under the lock
    std::atomic<bool> m_gespeeld{false};
    std::atomic<int> m_vertragingMs{kVertragingMs};
    std::uint64_t m_haperingen = 0; // under the lock
    std::atomic<bool> m_gemeld{false};
    bool m_bezig = false; // user-interface thread: something to write at ticks
};

// The platform's stream for a player, or null where there is no sound
// system at all. It calls the player back under its lock.
std::unique_ptr<Stroom> maakStroom(Speler& speler);

// Closes the connection to the sound system, once every stream is gone.
void sluitGeluidssysteem();

} // namespace platform::toon
