// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Recording from the sound card's input: a capture driver modelled on the
// classic wave-input calls (open, prepare a header, add a buffer, start,
// reset, close, error text) and the global memory the buffers live in. The
// driver hands every filled buffer back on the user-interface thread, in the
// order the buffers were added, through a notice receiver (OpnameMelder).
//
// The real driver records from the sound server's default source with
// libpulse, on the connection the speaker's tone uses. NepOpname replaces it
// in tests: its buffers are filled on command.
#pragma once

#include <QObject>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The wave format: PCM, channels, samples per second, average bytes per
// second, block size, bits per sample, extra size.
struct GolfFormaat {
    std::uint16_t formaatSoort = 1; // PCM
    std::uint16_t kanalen = 1;
    std::uint32_t samplesPerSeconde = 22050;
    std::uint32_t gemBytesPerSeconde = 44100;
    std::uint16_t blokGrootte = 2;
    std::uint16_t bitsPerSample = 16;
    std::uint16_t extraGrootte = 0;
};

// A buffer's header: where its bytes are, how many, how many were recorded,
// and its flags.
struct GolfKop {
    char* data = nullptr;
    std::uint32_t bufferLengte = 0;
    std::uint32_t opgenomen = 0;
    std::uintptr_t gebruiker = 0;
    std::uint32_t vlaggen = 0;
    std::uint32_t lussen = 0;
    GolfKop* volgende = nullptr;
    std::uintptr_t gereserveerd = 0;
};

inline constexpr std::uint32_t KOP_KLAAR = 1;      // the driver is done with it
inline constexpr std::uint32_t KOP_VOORBEREID = 2; // prepared
inline constexpr std::uint32_t KOP_IN_RIJ = 16;    // queued with the driver

// Result codes of the driver's calls; 0 is success.
enum OpnameFout : unsigned {
    OPNAME_OK = 0,
    OPNAME_FOUT = 1,
    OPNAME_GEEN_APPARAAT = 2,
    OPNAME_ONGELDIG = 5,
    OPNAME_GEEN_GEHEUGEN = 7,
    OPNAME_ONGELDIGE_WAARDE = 11,
    OPNAME_NOG_BEZIG = 33,
    OPNAME_NIET_VOORBEREID = 34,
    OPNAME_VERLOREN = 35, // the sound server went away while recording
};

// Receives the driver's notices on the user-interface thread. Deleting it
// drops notices that have not been delivered yet.
class OpnameMelder : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void wimOpen() = 0;
    virtual void wimClose() = 0;
    // A buffer came back filled (or, after a reset, unfilled).
    virtual void wimData(GolfKop* kop) = 0;
    // The device stopped on its own; the receiver should close it.
    virtual void wimVerloren(unsigned code) = 0;
};

// One opened device. Every call returns a result code.
class OpnameApparaat {
public:
    virtual ~OpnameApparaat() = default;
    virtual unsigned bereidVoor(GolfKop* kop) = 0;
    virtual unsigned ontbereid(GolfKop* kop) = 0;
    virtual unsigned voegToe(GolfKop* kop) = 0;
    virtual unsigned start() = 0;
    // Stops recording and takes back every queued buffer, unnoticed.
    virtual unsigned reset() = 0;
    // Whether sound is recorded into the queued buffers (the default on
    // opening). While not, the device stays open and started with its buffers
    // queued, but nothing is recorded and the sound server sends nothing, so
    // an unheard microphone costs nothing. What a queued buffer held before
    // the pause is recorded over afresh.
    virtual unsigned luister(bool aan) = 0;
    // Closes the device; a close notice follows. The device does nothing after.
    virtual unsigned sluit() = 0;
};

// A block of memory of the driver's kind.
using GeheugenGreep = void*;

class OpnameStuurprogramma {
public:
    virtual ~OpnameStuurprogramma() = default;
    // Opens device number nummer (0xFFFFFFFF: any suitable device) for the
    // format; an open notice follows. Never waits for the sound server.
    virtual unsigned open(std::unique_ptr<OpnameApparaat>& apparaat, std::uint32_t nummer,
                          const GolfFormaat& formaat, OpnameMelder* melder) = 0;
    virtual std::string foutTekst(unsigned code) = 0;
    // Whether opening a device can work right now (the sound server is
    // there); cheap enough to ask every second.
    virtual bool bereikbaar() { return true; }

    // Global memory: a block, zero-filled when asked, locked to reach it.
    virtual GeheugenGreep reserveer(std::size_t grootte, bool nullen);
    virtual void* vergrendel(GeheugenGreep greep);
    virtual void ontgrendel(GeheugenGreep greep);
    virtual void geefVrij(GeheugenGreep greep);
};

// The driver in use: NepOpname while one exists, else the sound server's.
OpnameStuurprogramma& opnameStuurprogramma();

// Test seam: a scripted driver. While it exists it is the driver in use.
class NepOpname : public OpnameStuurprogramma {
public:
    NepOpname();
    ~NepOpname() override;
    NepOpname(const NepOpname&) = delete;
    NepOpname& operator=(const NepOpname&) = delete;

    unsigned open(std::unique_ptr<OpnameApparaat>& apparaat, std::uint32_t nummer,
                  const GolfFormaat& formaat, OpnameMelder* melder) override;
    std::string foutTekst(unsigned code) override;
    bool bereikbaar() override { return serverEr; }
    GeheugenGreep reserveer(std::size_t grootte, bool nullen) override;
    void* vergrendel(GeheugenGreep greep) override;
    void ontgrendel(GeheugenGreep greep) override;
    void geefVrij(GeheugenGreep greep) override;

    // The call named ("open", "bereidVoor", "voegToe", "start") fails with
    // code from its n-th time on (counting from 1).
    void laatFalen(const std::string& oproep, unsigned code, int vanaf = 1);
    // The n-th reservation or lock (counting from 1) fails.
    int faalReserveringNr = 0;
    int faalVergrendelingNr = 0;

    // Fills the oldest queued buffer with the value in every sample (16-bit)
    // and hands it back with a queued notice. False when none is queued, or
    // while the device does not listen.
    bool vul(std::int16_t waarde);
    // The device stops on its own (the server went away).
    void verlies();
    // What bereikbaar() answers.
    bool serverEr = true;
    // Every buffer queued right now, oldest first.
    std::size_t inRij() const { return m_rij.size(); }
    bool open() const { return m_open; }
    bool luistert() const { return m_luistert; }
    // Every call, in order: "open", "bereidVoor 0", "voegToe 2", "start",
    // "reset", "luister 0", "ontbereid 1", "sluit" (the number: which header, by order of
    // first preparation).
    std::vector<std::string> oproepen;
    // Headers that described more than the block they point into.
    int teGroteKoppen = 0;

private:
    class Apparaat;
    friend class Apparaat;
    unsigned oproep(const std::string& naam, const std::string& log);
    int kopNummer(GolfKop* kop);
    std::map<std::string, std::pair<unsigned, int>> m_fouten;
    std::map<std::string, int> m_tellers;
    std::map<const char*, std::size_t> m_blokken; // locked blocks and their sizes
    std::vector<GolfKop*> m_koppen;
    std::deque<GolfKop*> m_rij;
    OpnameMelder* m_melder = nullptr;
    bool m_open = false;
    bool m_gestart = false;
    bool m_luistert = true;
    int m_reserveringen = 0;
    int m_vergrendelingen = 0;
};

} // namespace platform
