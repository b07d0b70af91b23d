// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The capture driver on Windows: winmm's wave input, the driver's notices
// posted as window messages (MM_WIM_OPEN, MM_WIM_DATA, MM_WIM_CLOSE) to a
// hidden window of the user-interface thread, which hands them on to the
// receiver there. Buffers live in global memory; a buffer header (GolfKop)
// has the layout of the system's WAVEHDR and goes to the driver as it is, and
// the result codes are the driver's own.
#include "platform/opname.h"
#include "platform/platform.h"
#include "platform/systeem.h"

#include <QPointer>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <deque>
#include <set>
#include <vector>

#include <windows.h>

#include <mmsystem.h>

namespace platform {

static_assert(sizeof(GolfKop) == sizeof(WAVEHDR));
static_assert(offsetof(GolfKop, data) == offsetof(WAVEHDR, lpData));
static_assert(offsetof(GolfKop, bufferLengte) == offsetof(WAVEHDR, dwBufferLength));
static_assert(offsetof(GolfKop, opgenomen) == offsetof(WAVEHDR, dwBytesRecorded));
static_assert(offsetof(GolfKop, gebruiker) == offsetof(WAVEHDR, dwUser));
static_assert(offsetof(GolfKop, vlaggen) == offsetof(WAVEHDR, dwFlags));
static_assert(offsetof(GolfKop, volgende) == offsetof(WAVEHDR, lpNext));
static_assert(KOP_KLAAR == WHDR_DONE && KOP_VOORBEREID == WHDR_PREPARED &&
              KOP_IN_RIJ == WHDR_INQUEUE);
static_assert(OPNAME_GEEN_APPARAAT == MMSYSERR_BADDEVICEID &&
              OPNAME_NOG_BEZIG == WAVERR_STILLPLAYING &&
              OPNAME_NIET_VOORBEREID == WAVERR_UNPREPARED);

namespace {

WAVEHDR* alsKop(GolfKop* k) {
    return reinterpret_cast<WAVEHDR*>(k);
}

// What a device and its hidden window share. It lives as long as the window,
// which goes when the driver's close notice has been handed on.
struct Venster {
    HWAVEIN apparaat = nullptr;
    QPointer<OpnameMelder> melder;
    // Buffers with the driver, oldest first.
    std::deque<GolfKop*> rij;
    // Buffers queued when recording paused: the one being recorded comes back
    // cut short, and goes back to the driver unheard.
    std::set<GolfKop*> gepauzeerd;
    bool luistert = true;
};

void bufferTerug(Venster* v, GolfKop* k) {
    // Buffers taken back by a reset, and notices that came after the buffer
    // was queued again, carry nothing to hand on.
    const auto plek = std::find(v->rij.begin(), v->rij.end(), k);
    if (plek == v->rij.end() || !(k->vlaggen & KOP_KLAAR) || (k->vlaggen & KOP_IN_RIJ))
        return;
    v->rij.erase(plek);
    const bool wasGepauzeerd = v->gepauzeerd.erase(k) > 0;
    if (!v->luistert || (wasGepauzeerd && k->opgenomen < k->bufferLengte)) {
        // Recorded before a pause: recorded over afresh once it goes on.
        const MMRESULT r = waveInAddBuffer(v->apparaat, alsKop(k), sizeof(WAVEHDR));
        if (r == MMSYSERR_NOERROR)
            v->rij.push_back(k);
        else if (v->melder)
            v->melder->wimVerloren(r);
        return;
    }
    if (v->melder)
        v->melder->wimData(k);
}

LRESULT CALLBACK vensterProc(HWND h, UINT bericht, WPARAM w, LPARAM l) {
    auto* v = reinterpret_cast<Venster*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    switch (bericht) {
    case MM_WIM_OPEN:
        if (v && v->melder)
            v->melder->wimOpen();
        return 0;
    case MM_WIM_DATA:
        if (v)
            bufferTerug(v, reinterpret_cast<GolfKop*>(l));
        return 0;
    case MM_WIM_CLOSE:
        if (v && v->melder)
            v->melder->wimClose();
        DestroyWindow(h);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        delete v;
        break;
    default:
        break;
    }
    return DefWindowProcW(h, bericht, w, l);
}

const wchar_t* vensterKlasse() {
    static const wchar_t* naam = [] {
        WNDCLASSW klasse{};
        klasse.lpfnWndProc = vensterProc;
        klasse.hInstance = GetModuleHandleW(nullptr);
        klasse.lpszClassName = L"KwintelvlakGolfInvoer";
        RegisterClassW(&klasse);
        return klasse.lpszClassName;
    }();
    return naam;
}

class WinOpname : public OpnameApparaat {
public:
    explicit WinOpname(Venster* v) : m_v(v) {}
    ~WinOpname() override {
        if (!m_gesloten) {
            reset();
            for (GolfKop* k : m_voorbereid)
                waveInUnprepareHeader(m_v->apparaat, alsKop(k), sizeof(WAVEHDR));
            sluit();
        }
    }

    unsigned bereidVoor(GolfKop* k) override {
        const MMRESULT r = waveInPrepareHeader(m_v->apparaat, alsKop(k), sizeof(WAVEHDR));
        if (r == MMSYSERR_NOERROR &&
            std::find(m_voorbereid.begin(), m_voorbereid.end(), k) == m_voorbereid.end())
            m_voorbereid.push_back(k);
        return r;
    }
    unsigned ontbereid(GolfKop* k) override {
        const MMRESULT r = waveInUnprepareHeader(m_v->apparaat, alsKop(k), sizeof(WAVEHDR));
        if (r == MMSYSERR_NOERROR)
            m_voorbereid.erase(std::remove(m_voorbereid.begin(), m_voorbereid.end(), k),
                               m_voorbereid.end());
        return r;
    }
    unsigned voegToe(GolfKop* k) override {
        const MMRESULT r = waveInAddBuffer(m_v->apparaat, alsKop(k), sizeof(WAVEHDR));
        if (r == MMSYSERR_NOERROR)
            m_v->rij.push_back(k);
        return r;
    }
    unsigned start() override {
        m_gestart = true;
        return m_v->luistert ? waveInStart(m_v->apparaat) : MMSYSERR_NOERROR;
    }
    unsigned luister(bool aan) override {
        if (aan == m_v->luistert)
            return MMSYSERR_NOERROR;
        m_v->luistert = aan;
        if (!m_gestart)
            return MMSYSERR_NOERROR;
        if (aan)
            return waveInStart(m_v->apparaat);
        // Stopping hands back the buffer being recorded; the others stay
        // queued, empty.
        m_v->gepauzeerd.insert(m_v->rij.begin(), m_v->rij.end());
        return waveInStop(m_v->apparaat);
    }
    unsigned reset() override {
        m_gestart = false;
        const MMRESULT r = waveInReset(m_v->apparaat);
        m_v->rij.clear();
        m_v->gepauzeerd.clear();
        return r;
    }
    unsigned sluit() override {
        if (m_gesloten)
            return MMSYSERR_INVALHANDLE;
        const MMRESULT r = waveInClose(m_v->apparaat);
        if (r != MMSYSERR_NOERROR)
            return r;
        // The window goes once it has handed on the close notice.
        m_gesloten = true;
        m_v->apparaat = nullptr;
        return r;
    }

private:
    Venster* m_v; // owned by the window
    std::vector<GolfKop*> m_voorbereid;
    bool m_gestart = false;
    bool m_gesloten = false;
};

class WinStuurprogramma : public OpnameStuurprogramma {
public:
    unsigned open(std::unique_ptr<OpnameApparaat>& apparaat, std::uint32_t nummer,
                  const GolfFormaat& f, OpnameMelder* melder) override {
        // Without a user nothing is opened at all.
        if (geluidUit())
            return MMSYSERR_BADDEVICEID;
        HWND venster = CreateWindowExW(0, vensterKlasse(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!venster)
            return MMSYSERR_NOMEM;
        auto* v = new Venster;
        v->melder = melder;
        SetWindowLongPtrW(venster, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(v));
        WAVEFORMATEX formaat{};
        formaat.wFormatTag = f.formaatSoort;
        formaat.nChannels = f.kanalen;
        formaat.nSamplesPerSec = f.samplesPerSeconde;
        formaat.nAvgBytesPerSec = f.gemBytesPerSeconde;
        formaat.nBlockAlign = f.blokGrootte;
        formaat.wBitsPerSample = f.bitsPerSample;
        formaat.cbSize = 0;
        const MMRESULT r =
            waveInOpen(&v->apparaat, nummer, &formaat, reinterpret_cast<DWORD_PTR>(venster), 0,
                       CALLBACK_WINDOW | WAVE_ALLOWSYNC);
        if (r != MMSYSERR_NOERROR) {
            DestroyWindow(venster);
            return r;
        }
        apparaat = std::make_unique<WinOpname>(v);
        return MMSYSERR_NOERROR;
    }

    std::string foutTekst(unsigned code) override {
        char tekst[256] = {};
        if (waveInGetErrorTextA(code, tekst, sizeof tekst) != MMSYSERR_NOERROR)
            return "Onbekende fout " + std::to_string(code) + " bij de geluidsinvoer.";
        return QString::fromLocal8Bit(tekst).toStdString();
    }

    bool bereikbaar() override { return !geluidUit() && waveInGetNumDevs() > 0; }

    // Global memory, movable and shareable, as the wave driver has always
    // been handed.
    GeheugenGreep reserveer(std::size_t grootte, bool nullen) override {
        return GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | (nullen ? GMEM_ZEROINIT : 0),
                           grootte ? grootte : 1);
    }
    void* vergrendel(GeheugenGreep greep) override { return GlobalLock(greep); }
    void ontgrendel(GeheugenGreep greep) override { GlobalUnlock(greep); }
    void geefVrij(GeheugenGreep greep) override { GlobalFree(greep); }
};

} // namespace

OpnameStuurprogramma& systeem::opname() {
    static WinStuurprogramma stuurprogramma;
    return stuurprogramma;
}

} // namespace platform
