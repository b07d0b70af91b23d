// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "audio/audioio.h"

#include <algorithm>
#include <new>

using platform::GolfKop;

// ---- TAudioIO ---------------------------------------------------------------------

TAudioIO::TAudioIO(QObject* owner)
    : QObject(owner), m_stuurprogramma(platform::opnameStuurprogramma()) {
    WaveFormat.formaatSoort = 1;
    WaveFormat.bitsPerSample = 16;
    WaveFormat.kanalen = 1;
    WaveFormat.samplesPerSeconde = 22050;
    RecalcFormat();
    AllocHeaders();
    AllocBuffers();
}

TAudioIO::~TAudioIO() {
    ReleaseBuffers();
    ReleaseHeaders();
}

void TAudioIO::setBufferSize(int waarde) {
    RequestedSize = std::max(waarde, 512);
    RecalcFormat();
    // While the device is open the driver is filling the buffers: they are
    // made anew when it next opens (InitHeaders).
    if (DeviceOpen)
        return;
    ReleaseBuffers();
    AllocBuffers();
}

void TAudioIO::setNumBuffers(int waarde) {
    FNumBuffers = std::clamp(waarde, 2, 4);
}

void TAudioIO::setFrameRate(int waarde) {
    WaveFormat.samplesPerSeconde = std::uint32_t(std::max(waarde, 0));
    RecalcFormat();
}

void TAudioIO::setStereo(bool waarde) {
    WaveFormat.kanalen = waarde ? 2 : 1;
    RecalcFormat();
}

void TAudioIO::setQuantization(quint16 waarde) {
    WaveFormat.bitsPerSample = waarde <= 8 ? 8 : 16;
    RecalcFormat();
}

void TAudioIO::HaltCapture() {
    Running = false;
    Capturing = false;
}

void TAudioIO::DrainCapture() {
    Capturing = false;
}

void TAudioIO::RecalcFormat() {
    WaveFormat.blokGrootte = std::uint16_t(WaveFormat.bitsPerSample / 8 * WaveFormat.kanalen);
    WaveFormat.gemBytesPerSeconde = WaveFormat.blokGrootte * WaveFormat.samplesPerSeconde;
    FActualSize = RequestedSize - RequestedSize % WaveFormat.blokGrootte;
}

bool TAudioIO::AllocBuffers() {
    for (int i = 0; i < FNumBuffers; ++i) {
        BufferMem[i] = m_stuurprogramma.reserveer(std::size_t(FActualSize), false);
        if (!BufferMem[i]) {
            ReleaseBuffers();
            FFailureText = QStringLiteral("Error allocating wave buffer memory");
            return false;
        }
        Buffers[i] = static_cast<char*>(m_stuurprogramma.vergrendel(BufferMem[i]));
        if (!Buffers[i]) {
            ReleaseBuffers();
            FFailureText = QStringLiteral("Error Locking wave buffer memory");
            return false;
        }
        if (Headers[i])
            Headers[i]->data = Buffers[i];
    }
    m_toegewezen = FActualSize;
    m_toegewezenAantal = FNumBuffers;
    return true;
}

void TAudioIO::ReleaseBuffers() {
    for (int i = 0; i < 4; ++i) {
        if (!BufferMem[i])
            continue;
        if (Buffers[i])
            m_stuurprogramma.ontgrendel(BufferMem[i]);
        m_stuurprogramma.geefVrij(BufferMem[i]);
        BufferMem[i] = nullptr;
        Buffers[i] = nullptr;
        // A header never points at memory that is gone.
        if (Headers[i]) {
            Headers[i]->data = nullptr;
            Headers[i]->bufferLengte = 0;
        }
    }
    m_toegewezen = 0;
    m_toegewezenAantal = 0;
}

bool TAudioIO::AllocHeaders() {
    for (int i = 0; i < 4; ++i) {
        QString fout;
        HeaderMem[i] = m_stuurprogramma.reserveer(sizeof(GolfKop), true);
        if (!HeaderMem[i]) {
            fout = QStringLiteral("Error allocating wave header memory");
        } else if (void* p = m_stuurprogramma.vergrendel(HeaderMem[i])) {
            Headers[i] = new (p) GolfKop{};
            if (Buffers[i])
                Headers[i]->data = Buffers[i];
            continue;
        } else {
            fout = QStringLiteral("Could not lock header memory for recording");
        }
        ReleaseHeaders();
        FFailureText = fout;
        return false;
    }
    return true;
}

void TAudioIO::ReleaseHeaders() {
    for (int i = 0; i < 4; ++i) {
        if (!HeaderMem[i])
            continue;
        if (Headers[i]) {
            Headers[i]->~GolfKop();
            m_stuurprogramma.ontgrendel(HeaderMem[i]);
        }
        m_stuurprogramma.geefVrij(HeaderMem[i]);
        HeaderMem[i] = nullptr;
        Headers[i] = nullptr;
    }
}

bool TAudioIO::InitHeaders() {
    RecalcFormat();
    if (!Headers[0] && !AllocHeaders())
        return false;
    bool heel = m_toegewezen >= FActualSize && m_toegewezenAantal >= FNumBuffers;
    for (int i = 0; i < FNumBuffers; ++i)
        heel = heel && Buffers[i];
    if (!heel) {
        ReleaseBuffers();
        if (!AllocBuffers())
            return false;
    }
    for (int i = 0; i < FNumBuffers; ++i) {
        *Headers[i] = GolfKop{};
        Headers[i]->data = Buffers[i];
        Headers[i]->bufferLengte = std::uint32_t(FActualSize);
    }
    return true;
}

// ---- TAudioIn -----------------------------------------------------------------------

TAudioIn::TAudioIn(QObject* owner) : TAudioIO(owner) {}

TAudioIn::~TAudioIn() {
    // The driver must be done with the buffers before they are freed.
    HaltCapture();
}

bool TAudioIn::StartCapture(TAudioIn*& verwijzing) {
    bool gelukt = OpenRecorder(verwijzing);
    if (gelukt)
        gelukt = BeginCapture();
    return gelukt;
}

bool TAudioIn::OpenRecorder(TAudioIn*& verwijzing) {
    if (DeviceOpen) {
        FFailureText = QStringLiteral("Wave Input device is already open");
        return false;
    }
    NextHeader = 0;
    auto* venster = new TCallBackWinIn(this, &verwijzing);
    CallbackWindow = venster;
    const unsigned r = m_stuurprogramma.open(DeviceHandle, FWaveDevice, WaveFormat, venster);
    if (r != platform::OPNAME_OK) {
        FFailureText = driverTekst(r);
        DeviceHandle.reset();
        delete venster;
        CallbackWindow = nullptr;
        return false;
    }
    DeviceOpen = true;
    if (!m_luisteren)
        DeviceHandle->luister(false);
    if (!InitHeaders()) {
        CloseRecorder();
        return false;
    }
    m_ring = FNumBuffers;
    for (int i = 0; i < m_ring; ++i) {
        const unsigned p = DeviceHandle->bereidVoor(Headers[i]);
        if (p != platform::OPNAME_OK) {
            FFailureText = driverTekst(p);
            CloseRecorder();
            return false;
        }
    }
    QueuedCount = 0;
    Capturing = true;
    Running = true;
    return true;
}

void TAudioIn::setLuisteren(bool aan) {
    if (aan == m_luisteren)
        return;
    m_luisteren = aan;
    // A device that cannot say so is lost; its own notice will tell.
    if (DeviceOpen && DeviceHandle)
        DeviceHandle->luister(aan);
}

bool TAudioIn::BeginCapture() {
    if (!DeviceOpen)
        return false;
    // The device is started first; the buffers are queued after it.
    const unsigned r = DeviceHandle->start();
    if (r != platform::OPNAME_OK) {
        const QString tekst = driverTekst(r);
        CloseRecorder();
        FFailureText = QStringLiteral("Error starting wave record: ") + tekst;
        return false;
    }
    Running = true;
    for (int i = 0; i < m_ring; ++i) {
        if (!RequeueBuffer()) {
            CloseRecorder();
            return false;
        }
    }
    return true;
}

bool TAudioIn::RequeueBuffer() {
    if (!DeviceOpen)
        return false;
    GolfKop* h = Headers[NextHeader];
    h->vlaggen = platform::KOP_VOORBEREID;
    const unsigned r = DeviceHandle->voegToe(h);
    if (r != platform::OPNAME_OK) {
        FFailureText = driverTekst(r);
        DrainCapture();
        return false;
    }
    NextHeader = (NextHeader + 1) % m_ring;
    ++QueuedCount;
    return true;
}

void TAudioIn::bufferTerug(GolfKop* kop) {
    if (!DeviceOpen)
        return;
    int i = 0;
    while (i < m_ring && Headers[i] != kop)
        ++i;
    if (i == m_ring)
        return;
    --QueuedCount;
    Running = QueuedCount > 0;
    // The buffer delivered and queued again is the one the driver returned.
    // Once a buffer has been kept out of the ring, that is no longer the one
    // the ring's counter would name.
    NextHeader = i;
    int grootte = std::min(FActualSize, int(kop->bufferLengte));
    if (DeliverBuffer(Buffers[i], grootte))
        RequeueBuffer();
    if (!Running) {
        Capturing = false;
        CloseRecorder();
    }
}

void TAudioIn::apparaatVerloren(unsigned code) {
    if (!DeviceOpen)
        return;
    HaltCapture();
    FFailureText = driverTekst(code);
}

bool TAudioIn::DeliverBuffer(void* buffer, int& size) {
    if (!Capturing)
        return false;
    if (OnBufferFilled) {
        int kopie = size;
        return OnBufferFilled(buffer, kopie);
    }
    return true;
}

void TAudioIn::HaltCapture() {
    if (!DeviceOpen)
        return;
    Running = false;
    Capturing = false;
    DeviceHandle->reset();
    CloseRecorder();
}

void TAudioIn::DrainCapture() {
    if (DeviceOpen)
        Capturing = false;
}

void TAudioIn::CloseRecorder() {
    Running = false;
    if (DeviceHandle) {
        for (int i = 0; i < m_ring; ++i)
            if (Headers[i])
                DeviceHandle->ontbereid(Headers[i]);
        DeviceHandle->reset();
        DeviceHandle->sluit();
        DeviceHandle.reset();
    }
    // The reset took every queued buffer back.
    QueuedCount = 0;
    DeviceOpen = false;
    // The callback window still hears the close notice, then goes.
    if (auto* venster = static_cast<TCallBackWinIn*>(CallbackWindow)) {
        venster->afdanken();
        venster->deleteLater();
        CallbackWindow = nullptr;
    }
}

QString TAudioIn::driverTekst(unsigned code) const {
    return QString::fromStdString(m_stuurprogramma.foutTekst(code)).left(255);
}

// ---- TCallBackWinIn -------------------------------------------------------------------

TCallBackWinIn::TCallBackWinIn(QObject* parent, TAudioIn** audioRef)
    : platform::OpnameMelder(parent), AudioRef(audioRef) {}

void TCallBackWinIn::wimOpen() {
    TAudioIn* a = AudioRef ? *AudioRef : nullptr;
    if (a && a->OnStart)
        a->OnStart(this);
}

void TCallBackWinIn::wimClose() {
    TAudioIn* a = AudioRef ? *AudioRef : nullptr;
    if (a && a->OnStop)
        a->OnStop(this);
}

void TCallBackWinIn::wimData(GolfKop* kop) {
    TAudioIn* a = AudioRef ? *AudioRef : nullptr;
    if (a && !m_afgedankt)
        a->bufferTerug(kop);
}

void TCallBackWinIn::wimVerloren(unsigned code) {
    TAudioIn* a = AudioRef ? *AudioRef : nullptr;
    if (a && !m_afgedankt)
        a->apparaatVerloren(code);
}
