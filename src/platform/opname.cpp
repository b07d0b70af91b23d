// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "platform/opname.h"
#include "platform/systeem.h"

#include <cstdlib>
#include <cstring>

namespace platform {

// ---- Global memory --------------------------------------------------------------
// Plain heap blocks: nothing here moves memory, so locking gives the block.

GeheugenGreep OpnameStuurprogramma::reserveer(std::size_t grootte, bool nullen) {
    if (grootte == 0)
        grootte = 1;
    return nullen ? std::calloc(grootte, 1) : std::malloc(grootte);
}

void* OpnameStuurprogramma::vergrendel(GeheugenGreep greep) {
    return greep;
}

void OpnameStuurprogramma::ontgrendel(GeheugenGreep) {}

void OpnameStuurprogramma::geefVrij(GeheugenGreep greep) {
    std::free(greep);
}

namespace {
NepOpname* g_nep = nullptr;
} // namespace

OpnameStuurprogramma& opnameStuurprogramma() {
    if (g_nep)
        return *g_nep;
    return systeem::opname();
}

// ---- The scripted driver ------------------------------------------------------------

class NepOpname::Apparaat : public OpnameApparaat {
public:
    explicit Apparaat(NepOpname& nep) : m_nep(nep) {}
    ~Apparaat() override {
        if (!m_gesloten)
            Apparaat::sluit();
    }

    unsigned bereidVoor(GolfKop* kop) override {
        const unsigned r =
            m_nep.oproep("bereidVoor", "bereidVoor " + std::to_string(m_nep.kopNummer(kop)));
        if (r == OPNAME_OK)
            kop->vlaggen |= KOP_VOORBEREID;
        return r;
    }
    unsigned ontbereid(GolfKop* kop) override {
        m_nep.oproepen.push_back("ontbereid " + std::to_string(m_nep.kopNummer(kop)));
        if (kop->vlaggen & KOP_IN_RIJ)
            return OPNAME_NOG_BEZIG;
        kop->vlaggen &= ~KOP_VOORBEREID;
        return OPNAME_OK;
    }
    unsigned voegToe(GolfKop* kop) override {
        const unsigned r =
            m_nep.oproep("voegToe", "voegToe " + std::to_string(m_nep.kopNummer(kop)));
        if (r != OPNAME_OK)
            return r;
        if (!(kop->vlaggen & KOP_VOORBEREID))
            return OPNAME_NIET_VOORBEREID;
        // The header must lie inside one block the driver handed out.
        bool past = false;
        for (const auto& [begin, grootte] : m_nep.m_blokken)
            past = past || (kop->data >= begin && kop->data + kop->bufferLengte <= begin + grootte);
        if (!past) {
            ++m_nep.teGroteKoppen;
            return OPNAME_ONGELDIGE_WAARDE;
        }
        kop->vlaggen = (kop->vlaggen & ~KOP_KLAAR) | KOP_IN_RIJ;
        kop->opgenomen = 0;
        m_nep.m_rij.push_back(kop);
        return OPNAME_OK;
    }
    unsigned start() override {
        const unsigned r = m_nep.oproep("start", "start");
        if (r == OPNAME_OK)
            m_nep.m_gestart = true;
        return r;
    }
    unsigned luister(bool aan) override {
        m_nep.oproepen.push_back(aan ? "luister 1" : "luister 0");
        m_nep.m_luistert = aan;
        if (!aan)
            for (GolfKop* k : m_nep.m_rij)
                k->opgenomen = 0;
        return OPNAME_OK;
    }
    unsigned reset() override {
        m_nep.oproepen.push_back("reset");
        m_nep.m_gestart = false;
        for (GolfKop* k : m_nep.m_rij)
            k->vlaggen = (k->vlaggen & ~KOP_IN_RIJ) | KOP_KLAAR;
        m_nep.m_rij.clear();
        return OPNAME_OK;
    }
    unsigned sluit() override {
        if (!m_nep.m_rij.empty())
            return OPNAME_NOG_BEZIG;
        m_nep.oproepen.push_back("sluit");
        m_gesloten = true;
        m_nep.m_open = false;
        m_nep.m_gestart = false;
        if (OpnameMelder* m = m_nep.m_melder)
            QMetaObject::invokeMethod(
                m, [m] { m->wimClose(); }, Qt::QueuedConnection);
        m_nep.m_melder = nullptr;
        return OPNAME_OK;
    }

private:
    NepOpname& m_nep;
    bool m_gesloten = false;
};

NepOpname::NepOpname() {
    g_nep = this;
}

NepOpname::~NepOpname() {
    if (g_nep == this)
        g_nep = nullptr;
}

unsigned NepOpname::oproep(const std::string& naam, const std::string& log) {
    oproepen.push_back(log);
    const int n = ++m_tellers[naam];
    const auto f = m_fouten.find(naam);
    return f != m_fouten.end() && n >= f->second.second ? f->second.first : OPNAME_OK;
}

int NepOpname::kopNummer(GolfKop* kop) {
    for (std::size_t i = 0; i < m_koppen.size(); ++i)
        if (m_koppen[i] == kop)
            return int(i);
    m_koppen.push_back(kop);
    return int(m_koppen.size() - 1);
}

void NepOpname::laatFalen(const std::string& oproep, unsigned code, int vanaf) {
    m_fouten[oproep] = {code, vanaf};
}

unsigned NepOpname::open(std::unique_ptr<OpnameApparaat>& apparaat, std::uint32_t,
                         const GolfFormaat& formaat, OpnameMelder* melder) {
    const unsigned r = oproep("open", "open");
    if (r != OPNAME_OK)
        return r;
    if (m_open)
        return OPNAME_GEEN_APPARAAT; // one device, and it is taken
    if (formaat.formaatSoort != 1 || formaat.blokGrootte == 0)
        return OPNAME_ONGELDIG;
    m_open = true;
    m_luistert = true;
    m_melder = melder;
    m_rij.clear();
    apparaat = std::make_unique<Apparaat>(*this);
    QMetaObject::invokeMethod(
        melder, [melder] { melder->wimOpen(); }, Qt::QueuedConnection);
    return OPNAME_OK;
}

std::string NepOpname::foutTekst(unsigned code) {
    return "Nepfout " + std::to_string(code);
}

GeheugenGreep NepOpname::reserveer(std::size_t grootte, bool nullen) {
    if (++m_reserveringen == faalReserveringNr)
        return nullptr;
    GeheugenGreep g = OpnameStuurprogramma::reserveer(grootte, nullen);
    m_blokken[static_cast<const char*>(g)] = grootte;
    return g;
}

void* NepOpname::vergrendel(GeheugenGreep greep) {
    if (++m_vergrendelingen == faalVergrendelingNr)
        return nullptr;
    return greep;
}

void NepOpname::ontgrendel(GeheugenGreep) {}

void NepOpname::geefVrij(GeheugenGreep greep) {
    m_blokken.erase(static_cast<const char*>(greep));
    OpnameStuurprogramma::geefVrij(greep);
}

bool NepOpname::vul(std::int16_t waarde) {
    if (m_rij.empty() || !m_gestart || !m_luistert)
        return false;
    GolfKop* k = m_rij.front();
    m_rij.pop_front();
    for (std::uint32_t i = 0; i + 1 < k->bufferLengte; i += 2)
        std::memcpy(k->data + i, &waarde, 2);
    k->opgenomen = k->bufferLengte;
    k->vlaggen = (k->vlaggen & ~KOP_IN_RIJ) | KOP_KLAAR;
    if (OpnameMelder* m = m_melder)
        QMetaObject::invokeMethod(
            m, [m, k] { m->wimData(k); }, Qt::QueuedConnection);
    return true;
}

void NepOpname::verlies() {
    if (OpnameMelder* m = m_melder)
        QMetaObject::invokeMethod(
            m, [m] { m->wimVerloren(OPNAME_VERLOREN); }, Qt::QueuedConnection);
}

} // namespace platform
