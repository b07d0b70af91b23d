// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "platform/pulseverbinding.h"

#include <algorithm>
#include <cstdio>

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

Verbinding* Verbinding::bestaand() {
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
    // The loop does not run yet: nothing else touches the connection.
    verbind();
    if (pa_threaded_mainloop_start(m_lus) < 0) {
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
        pa_threaded_mainloop_free(m_lus);
        m_lus = nullptr;
    }
}

Verbinding::~Verbinding() {
    if (!m_lus)
        return;
    vergrendel();
    if (m_wekker) {
        pa_threaded_mainloop_get_api(m_lus)->time_free(m_wekker);
        m_wekker = nullptr;
    }
    m_klaar = false;
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

void Verbinding::verbind() {
    m_mislukt = false;
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_lus), "Kwintelvlak");
    if (!m_context) {
        verloren();
        return;
    }
    pa_context_set_state_callback(m_context, &Verbinding::toestand, this);
    // Never start a server of our own. The outcome of connecting arrives in
    // toestand() on the loop's thread; nobody waits for it.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        verloren();
}

void Verbinding::verloren() {
    const bool wasKlaar = m_klaar;
    m_klaar = false;
    m_mislukt = true;
    verbreek();
    if (!m_gemeld) {
        m_gemeld = true;
        std::fprintf(stderr,
                     wasKlaar ? "Kwintelvlak: de verbinding met de geluidsserver is verbroken; "
                                "zoemer en geluidsensor doen het weer zodra hij terug is.\n"
                              : "Kwintelvlak: geen geluidsserver gevonden; zoemer en geluidsensor "
                                "doen het zodra hij er is.\n");
        std::fflush(stderr);
    }
    if (m_wekker)
        return;
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(m_lus);
    struct timeval wanneer;
    pa_timeval_add(pa_gettimeofday(&wanneer), pa_usec_t(kOpnieuwSeconden) * PA_USEC_PER_SEC);
    m_wekker = api->time_new(api, &wanneer, &Verbinding::opnieuw, this);
}

void Verbinding::opnieuw(pa_mainloop_api* api, pa_time_event* e, const struct timeval*,
                         void* zelf) {
    auto* v = static_cast<Verbinding*>(zelf);
    api->time_free(e);
    v->m_wekker = nullptr;
    // The failed context is done with; its callbacks are not running now.
    if (v->m_context) {
        pa_context_set_state_callback(v->m_context, nullptr, nullptr);
        pa_context_disconnect(v->m_context);
        pa_context_unref(v->m_context);
        v->m_context = nullptr;
    }
    v->verbind();
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
        v->m_mislukt = false;
        v->m_gemeld = false;
        ++v->m_keerVerbonden;
        for (Gebruiker* g : std::vector<Gebruiker*>(v->m_gebruikers))
            g->verbonden(c);
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        v->verloren();
        break;
    default:
        break;
    }
}

} // namespace platform::pulse
