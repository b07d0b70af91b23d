// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The tone's stream on Windows: winmm's wave output. The system's Beep would
// hold the calling thread for the whole tone, so the board's clock would stop
// while the buzzer sounds; the same square wave as on every other system
// goes out here through a wave-output stream instead, which never waits.
//
// What is written when is decided by the player (toon.cpp). Each write goes
// to the device as one block; the device hands finished blocks back through
// an event, and a thread of this stream's own takes them back and calls the
// player when it asked to be woken. While nothing sounds nothing is written,
// no block comes back and the thread sleeps: silence costs nothing. Without a
// wave-output device the tone stays silent; the device is looked for again
// every few seconds.
#include "platform/platform.h"
#include "platform/toonstroom.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <windows.h>

#include <mmsystem.h>

namespace platform::toon {

namespace {

// How long after a failed open the device is looked for again.
constexpr std::int64_t kOpnieuwUs = 2000000;

class WinStroom : public Stroom {
public:
    explicit WinStroom(Speler& speler) : m_speler(speler) {
        m_gebeurtenis = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    }

    ~WinStroom() override {
        {
            std::lock_guard<std::recursive_mutex> slot(m_slot);
            m_stoppen = true;
        }
        if (m_gebeurtenis)
            SetEvent(m_gebeurtenis);
        if (m_draad.joinable())
            m_draad.join();
        sluitApparaat();
        if (m_gebeurtenis)
            CloseHandle(m_gebeurtenis);
    }

    WinStroom(const WinStroom&) = delete;
    WinStroom& operator=(const WinStroom&) = delete;

    void begin() override {
        if (m_gebeurtenis)
            m_draad = std::thread([this] { draai(); });
    }

    void vergrendel() override { m_slot.lock(); }
    void ontgrendel() override { m_slot.unlock(); }

    bool open() override {
        if (m_apparaat)
            return true;
        if (geluidUit() || !m_gebeurtenis)
            return false;
        const std::int64_t nu = ToonBron::nu();
        if (m_mislukt && nu - m_mislukt < kOpnieuwUs)
            return false;
        WAVEFORMATEX formaat{};
        formaat.wFormatTag = WAVE_FORMAT_PCM;
        formaat.nChannels = 1;
        formaat.nSamplesPerSec = ToonBron::kRate;
        formaat.wBitsPerSample = 16;
        formaat.nBlockAlign = 2;
        formaat.nAvgBytesPerSec = ToonBron::kRate * 2;
        if (waveOutOpen(&m_apparaat, WAVE_MAPPER, &formaat,
                        reinterpret_cast<DWORD_PTR>(m_gebeurtenis), 0,
                        CALLBACK_EVENT) != MMSYSERR_NOERROR) {
            m_apparaat = nullptr;
            m_mislukt = nu;
            return false;
        }
        m_mislukt = 0;
        m_geschreven = 0;
        m_speler.nieuweStroom();
        return true;
    }

    bool speelt() const override { return inRij() > 0; }

    std::size_t inRij() const override {
        if (!m_apparaat)
            return 0;
        MMTIME plek{};
        plek.wType = TIME_SAMPLES;
        if (waveOutGetPosition(m_apparaat, &plek, sizeof plek) != MMSYSERR_NOERROR ||
            plek.wType != TIME_SAMPLES)
            return std::size_t(m_inBlokken);
        // The position counts samples played since the device was opened.
        return std::size_t(m_geschreven - std::min<std::int64_t>(m_geschreven, plek.u.sample));
    }

    void schrijf(const std::int16_t* samples, std::size_t n) override {
        if (!m_apparaat || n == 0)
            return;
        neemTerug();
        auto blok = std::make_unique<Blok>();
        blok->samples.assign(samples, samples + n);
        blok->kop.lpData = reinterpret_cast<LPSTR>(blok->samples.data());
        blok->kop.dwBufferLength = DWORD(n * sizeof(std::int16_t));
        if (waveOutPrepareHeader(m_apparaat, &blok->kop, sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
            return;
        if (waveOutWrite(m_apparaat, &blok->kop, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
            waveOutUnprepareHeader(m_apparaat, &blok->kop, sizeof(WAVEHDR));
            // The device went (unplugged): it is looked for again later.
            sluitApparaat();
            m_mislukt = ToonBron::nu();
            return;
        }
        m_geschreven += std::int64_t(n);
        m_inBlokken += std::int64_t(n);
        m_blokken.push_back(std::move(blok));
    }

    void uitspelen() override {
        // What is queued plays out by itself; the device then waits for the
        // next block without a sound.
    }

    void wekNa(std::int64_t microseconden) override {
        m_wekOp = microseconden < 0 ? -1 : ToonBron::nu() + microseconden;
        SetEvent(m_gebeurtenis);
    }

private:
    struct Blok {
        WAVEHDR kop{};
        std::vector<std::int16_t> samples;
    };

    // The stream's own thread: takes finished blocks back, and asks the
    // player for more when it wanted to be woken. It sleeps while nothing is
    // queued and no wake is set.
    void draai() {
        // The tone must keep up on a busy PC.
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
        for (;;) {
            DWORD wacht = INFINITE;
            {
                std::lock_guard<std::recursive_mutex> slot(m_slot);
                if (m_stoppen)
                    return;
                neemTerug();
                if (m_wekOp >= 0) {
                    const std::int64_t over = m_wekOp - ToonBron::nu();
                    if (over <= 0) {
                        m_wekOp = -1;
                        m_speler.vraag();
                    } else {
                        wacht = DWORD((over + 999) / 1000);
                    }
                }
                if (m_wekOp >= 0 && wacht == INFINITE)
                    wacht = 0;
            }
            if (wacht)
                WaitForSingleObject(m_gebeurtenis, wacht);
        }
    }

    // Blocks the device has played are released, oldest first.
    void neemTerug() {
        while (!m_blokken.empty() && (m_blokken.front()->kop.dwFlags & WHDR_DONE)) {
            Blok& b = *m_blokken.front();
            waveOutUnprepareHeader(m_apparaat, &b.kop, sizeof(WAVEHDR));
            m_inBlokken -= std::int64_t(b.samples.size());
            m_blokken.pop_front();
        }
    }

    void sluitApparaat() {
        if (!m_apparaat)
            return;
        waveOutReset(m_apparaat);
        for (auto& b : m_blokken)
            waveOutUnprepareHeader(m_apparaat, &b->kop, sizeof(WAVEHDR));
        m_blokken.clear();
        m_inBlokken = 0;
        waveOutClose(m_apparaat);
        m_apparaat = nullptr;
    }

    Speler& m_speler;
    std::recursive_mutex m_slot;
    HANDLE m_gebeurtenis = nullptr;
    std::thread m_draad;
    HWAVEOUT m_apparaat = nullptr;
    std::deque<std::unique_ptr<Blok>> m_blokken; // with the device, oldest first
    std::int64_t m_geschreven = 0;               // samples written since the device opened
    std::int64_t m_inBlokken = 0;                // samples in blocks not yet taken back
    std::int64_t m_mislukt = 0;                  // when opening last failed
    std::int64_t m_wekOp = -1;                   // when to call the player; -1: not
    bool m_stoppen = false;
};

} // namespace

std::unique_ptr<Stroom> maakStroom(Speler& speler) {
    return std::make_unique<WinStroom>(speler);
}

void sluitGeluidssysteem() {
    // Every stream closes its own device.
}

} // namespace platform::toon

namespace platform {

bool toonServerKlaar() {
    return !geluidUit() && waveOutGetNumDevs() > 0;
}

} // namespace platform
