// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The one connection to the sound server that the speaker's tone and the
// microphone share: a libpulse context on a threaded main loop. When the
// server is not there, or goes away, the connection is made again in the
// background every few seconds, and its users make their streams again once
// it is back. Only the platform layer includes this header.
#pragma once

#include <pulse/pulseaudio.h>

#include <atomic>
#include <vector>

namespace platform::pulse {

// Something that keeps streams on the connection. Every call runs with the
// loop's lock held.
class Gebruiker {
public:
    virtual ~Gebruiker() = default;
    // The connection is ready (again): make the streams.
    virtual void verbonden(pa_context* context) = 0;
    // The connection failed or is being closed: drop every stream. May come
    // from the loop's thread; verbonden may follow later.
    virtual void verbroken() = 0;
    // The connection is being freed (on the user-interface thread, which is
    // the only thread that frees it): forget it.
    virtual void vergeten() = 0;
};

class Verbinding {
public:
    // The shared connection, made (and its connecting begun, without waiting)
    // on first use; null when no loop could be started.
    static Verbinding* gedeeld();
    // The shared connection if it exists; never makes one.
    static Verbinding* bestaand();
    // Closes it in order: every user's streams, then the context under the
    // lock, then the loop's thread is stopped and freed.
    static void sluit();

    void vergrendel() { pa_threaded_mainloop_lock(m_lus); }
    void ontgrendel() { pa_threaded_mainloop_unlock(m_lus); }
    // The loop's events (timers) for the users, with the lock held.
    pa_mainloop_api* api() { return pa_threaded_mainloop_get_api(m_lus); }
    // With the lock held. A user that joins a ready connection hears
    // verbonden at once; one that joins a failed one hears verbroken. A user
    // stays known until it leaves (meldAf) or the connection is freed.
    void meldAan(Gebruiker* g);
    void meldAf(Gebruiker* g);
    // Down, waiting for the next attempt.
    bool mislukt() const { return m_mislukt; }
    // Ready: streams can be made.
    bool klaar() const { return m_klaar; }
    // How many times the connection became ready (for tests).
    int keerVerbonden() const { return m_keerVerbonden; }

    // Seconds between attempts while the server is not there.
    static constexpr int kOpnieuwSeconden = 2;

private:
    Verbinding();
    ~Verbinding();
    static void toestand(pa_context* c, void* zelf);
    static void opnieuw(pa_mainloop_api* api, pa_time_event* e, const struct timeval* tv,
                        void* zelf);
    // Makes a context and begins connecting it.
    void verbind();
    // The connection is down: tell the users, say so once, try again later.
    void verloren();
    void verbreek();

    pa_threaded_mainloop* m_lus = nullptr;
    pa_context* m_context = nullptr;
    pa_time_event* m_wekker = nullptr;
    std::atomic<bool> m_klaar{false};
    std::atomic<bool> m_mislukt{false};
    std::atomic<int> m_keerVerbonden{0};
    bool m_gemeld = false; // this outage has been reported
    std::vector<Gebruiker*> m_gebruikers;
};

} // namespace platform::pulse
