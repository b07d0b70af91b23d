// The speaker's tone: one square wave played through the sound server. Two
// things switch it: the system's Beep, which sounds for a given time, and the
// emulated speaker port, which holds a steady tone until it is switched off.
// Nothing here ever blocks the user-interface thread; without a sound server
// the tone stays silent and nothing is reported.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace platform {

// The system's Beep: frequency Hz for duur ms. It returns at once; the tone
// sounds for duur, a moment later. Calls that follow each other as fast as
// the tone runs out (a buzzer fed high on every 10 ms tick) sound as one tone
// without gaps.
void Beep(std::uint32_t frequentie, std::uint32_t duur);

// The steady tone of the speaker port: on at a frequency (a new frequency
// retunes a running tone), and off.
void toonAan(double frequentie);
void toonUit();

// Closes the connection to the sound server in order: the stream and the
// connection are taken down under the sound thread's lock, then the thread is
// stopped. The main window calls it on its way out, while the application
// object still exists. A later tone opens a new connection.
void toonAfsluiten();

// Whether a connection to the sound server is open or being opened, and
// whether sound has gone out on it (for tests and measurements).
bool toonVerbonden();
bool toonGespeeld();
// Whether the connection to the sound server is ready right now.
bool toonServerKlaar();

// What the tone generator plays, sample by sample. It knows nothing of the
// sound server, so its timing can be tested exactly. The setters are called
// from the user-interface thread, vul() from the sound thread.
//
// Beeps are kept as stretches of time on the caller's clock and played back
// at a fixed delay behind it, the same for every beep: a beep sounds its own
// time, as it was made. The delay is just long enough that, when a sample is
// written, every Beep that could still join it to a held tone has been made;
// so a held tone never breaks and a lone beep never runs on. Time during
// which no stream asked for samples is skipped, never paid out later.
class ToonBron {
public:
    static constexpr int kRate = 44100;
    // A Beep that starts at most this long after the one before it has
    // ended continues its tone: a buzzer fed high on every tick sounds as one
    // tone even when a tick comes up to 10 ms late.
    static constexpr int kBrugMs = 12;
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

    // The stream keeps this many samples queued ahead of the one playing;
    // the tone's delay behind the Beeps follows from it.
    void zetBuffer(std::size_t samples);
    // Writes the next n samples (signed 16-bit mono at kRate), asked for at
    // nu (the clock of beep()), while voor samples are still queued before
    // them.
    void vul(std::int16_t* doel, std::size_t n, std::int64_t nu, std::size_t voor);
    // True while the last vul() ended in silence with nothing left to play.
    bool stil() const { return m_stil; }
    // Whether the last vul() wrote any sound.
    bool klonk() const { return m_klonk; }
    // Switch counter that the sound thread compares to decide whether
    // something new arrived (see ToonGenerator's pausing).
    std::uint64_t opdrachten() const { return m_opdrachten.load(); }

    // The current time in microseconds on the clock beep() and vul() use
    // when no time is given.
    static std::int64_t nu();

private:
    struct Stuk {
        std::int64_t begin; // microseconds
        std::int64_t einde;
    };
    // Stretches the sound thread still has to play, oldest first; the last
    // one may still grow. Shared by both threads under m_slot.
    std::mutex m_slot;
    std::deque<Stuk> m_stukken;
    std::atomic<bool> m_continu{false};
    std::atomic<double> m_freqContinu{0.0};
    std::atomic<double> m_freqBeep{0.0};
    std::atomic<std::uint64_t> m_opdrachten{0};
    // How far the tone runs behind the Beeps, microseconds (a 30 ms buffer
    // until the stream says otherwise).
    std::atomic<std::int64_t> m_vertraging{(30 + kBrugMs + 2) * 1000};

    // Sound thread only.
    double m_w = 0.0; // the caller's time of the next sample, microseconds
    bool m_geankerd = false;
    std::vector<Stuk> m_werk;
    double m_fase = 0.0;
    double m_volume = 0.0;
    bool m_stil = true;
    bool m_klonk = false;
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
