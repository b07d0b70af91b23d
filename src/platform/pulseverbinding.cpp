#include "platform/pulseverbinding.h"

#include <algorithm>

namespace platform::pulse {

namespace {
Verbinding* g_verbinding = nullptr;
} // namespace

Verbinding* Verbinding::gedeeld() {
    if (!g_verbinding) {
        auto* v = new Verbinding;
        if (!v->m_lus) {
            delete v;
            return nullptr;
        }
        g_verbinding = v;
    }
    return g_verbinding;
}

void Verbinding::sluit() {
    delete g_verbinding;
    g_verbinding = nullptr;
}

Verbinding::Verbinding() {
    m_lus = pa_threaded_mainloop_new();
    if (!m_lus)
        return;
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_lus), "Kwintelvlak");
    if (!m_context) {
        m_mislukt = true;
        return;
    }
    pa_context_set_state_callback(m_context, &Verbinding::toestand, this);
    // Never start a server of our own. The outcome of connecting arrives in
    // toestand() on the loop's thread; nobody waits for it.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(m_lus) < 0)
        m_mislukt = true;
}

Verbinding::~Verbinding() {
    if (!m_lus)
        return;
    vergrendel();
    verbreek();
    for (Gebruiker* g : std::vector<Gebruiker*>(m_gebruikers))
        g->vergeten();
    m_gebruikers.clear();
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
    ontgrendel();
    pa_threaded_mainloop_stop(m_lus);
    pa_threaded_mainloop_free(m_lus);
}

void Verbinding::verbreek() {
    // A user may leave while it is told, so work on a copy.
    for (Gebruiker* g : std::vector<Gebruiker*>(m_gebruikers))
        g->verbroken();
}

void Verbinding::meldAan(Gebruiker* g) {
    m_gebruikers.push_back(g);
    if (m_mislukt)
        g->verbroken();
    else if (m_klaar)
        g->verbonden(m_context);
}

void Verbinding::meldAf(Gebruiker* g) {
    m_gebruikers.erase(std::remove(m_gebruikers.begin(), m_gebruikers.end(), g),
                       m_gebruikers.end());
}

void Verbinding::toestand(pa_context* c, void* zelf) {
    auto* v = static_cast<Verbinding*>(zelf);
    switch (pa_context_get_state(c)) {
    case PA_CONTEXT_READY:
        v->m_klaar = true;
        for (Gebruiker* g : std::vector<Gebruiker*>(v->m_gebruikers))
            g->verbonden(c);
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        v->m_klaar = false;
        v->m_mislukt = true;
        v->verbreek();
        break;
    default:
        break;
    }
}

} // namespace platform::pulse
