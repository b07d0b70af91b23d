// The speaker's tone: one square wave played through the sound server. Two
// things switch it: the system's Beep, which sounds for a given time, and the
// emulated speaker port, which holds a steady tone until it is switched off.
// Nothing here ever blocks the user-interface thread; without a sound server
// the tone stays silent and nothing is reported.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// The system's Beep: frequency Hz for duur ms. It returns at once and
// lengthens the tone by duur, so calls that follow each other as fast as the
// tone runs out (a buzzer fed high on every 10 ms tick) sound as one tone
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

// What the tone generator plays, sample by sample. It knows nothing of the
// sound server, so its timing can be tested exactly. The setters are called
// from the user-interface thread, vul() from the sound thread.
class ToonBron {
public:
    static constexpr int kRate = 44100;
    // A held tone (a Beep that came while the last one still sounded) that
    // runs out of paid time keeps sounding this long while it waits for the
    // next Beep, so the jitter of a timer never opens a gap. A lone Beep
    // waits less, so it sounds about its own time.
    static constexpr int kWachtMs = 6;
    static constexpr int kWachtLosMs = 3;
    // The sound server asks for samples about this often while a tone sounds.
    static constexpr int kAanvulMs = 5;
    // On and off are faded over this long so that they do not click.
    static constexpr int kHellingMs = 2;
    // More Beep time than this is not stored up.
    static constexpr int kMaxTegoedMs = 500;
    static constexpr int kAmplitude = 6000;

    // A Beep at time nu (microseconds on any steady clock). Beeps pay for the
    // time they cover: one that overlaps time already paid for adds only what
    // reaches beyond it, so two buzzers beeping on the same tick sound as one
    // and the tone never runs on after the last Beep has had its time.
    void beep(double frequentie, std::uint32_t duur, std::int64_t nu);
    // The same now.
    void beep(double frequentie, std::uint32_t duur);
    void aan(double frequentie);
    void uit();

    // Writes the next n samples (signed 16-bit mono at kRate).
    void vul(std::int16_t* doel, std::size_t n);
    // True while the last vul() ended in silence with nothing left to play.
    bool stil() const { return m_stil; }
    // Whether the last vul() wrote any sound.
    bool klonk() const { return m_klonk; }
    // Payment and switch counters that the sound thread compares to decide
    // whether something new arrived (see ToonGenerator's pausing).
    std::uint64_t opdrachten() const { return m_opdrachten.load(); }

private:
    std::atomic<std::uint64_t> m_betaald{0}; // microseconds of Beep time ever paid
    std::int64_t m_betaaldTot = 0;           // calling thread: end of the time paid for
    std::atomic<bool> m_continu{false};
    std::atomic<double> m_freqContinu{0.0};
    std::atomic<double> m_freqBeep{0.0};
    std::atomic<std::uint64_t> m_opdrachten{0};

    // Sound thread only.
    std::uint64_t m_gezien = 0;   // m_betaald as seen at the last vul()
    std::int64_t m_resterend = 0; // paid samples left; below 0 while waiting
    bool m_beepKlinkt = false;
    bool m_aangehouden = false; // a further Beep came while this one sounded
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
