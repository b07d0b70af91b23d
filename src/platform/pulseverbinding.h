// The one connection to the sound server that the speaker's tone and the
// microphone share: a libpulse context on a threaded main loop. Only the
// platform layer includes this header.
#pragma once

#include <pulse/pulseaudio.h>

#include <atomic>
#include <vector>

namespace platform {
class OpnameStuurprogramma;
}

namespace platform::pulse {

// Something that keeps streams on the connection. Every call runs with the
// loop's lock held.
class Gebruiker {
public:
    virtual ~Gebruiker() = default;
    // The connection is ready: make the streams.
    virtual void verbonden(pa_context* context) = 0;
    // The connection failed or is being closed: drop every stream and make no
    // new ones. May come from the loop's thread.
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
    // Closes it in order: every user's streams, then the context under the
    // lock, then the loop's thread is stopped and freed.
    static void sluit();

    void vergrendel() { pa_threaded_mainloop_lock(m_lus); }
    void ontgrendel() { pa_threaded_mainloop_unlock(m_lus); }
    // With the lock held. A user that joins a ready connection hears
    // verbonden at once; one that joins a failed one hears verbroken. A user
    // stays known until it leaves (meldAf) or the connection is freed.
    void meldAan(Gebruiker* g);
    void meldAf(Gebruiker* g);
    bool mislukt() const { return m_mislukt; }

private:
    Verbinding();
    ~Verbinding();
    static void toestand(pa_context* c, void* zelf);
    void verbreek();

    pa_threaded_mainloop* m_lus = nullptr;
    pa_context* m_context = nullptr;
    bool m_klaar = false;
    std::atomic<bool> m_mislukt{false};
    std::vector<Gebruiker*> m_gebruikers;
};

// The capture driver on this connection.
OpnameStuurprogramma& opnameStuurprogramma();

} // namespace platform::pulse
