// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Wave-audio input: a non-visual component that records from the sound
// card's input into a small ring of buffers and hands every filled buffer,
// in order and on the user-interface thread, to OnBufferFilled.
//
// TAudioIO holds the format, the buffers and their headers; TAudioIn records;
// TCallBackWinIn receives the capture driver's notices for it.
#pragma once

#include "platform/opname.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class TAudioIn;

using TNotifyEvent = std::function<void(QObject* sender)>;
// A full buffer: true hands it back to the driver for refilling, false keeps
// it out of the ring. Size is the buffer's size in bytes; a value written
// into it is not used.
using TBufferEvent = std::function<bool(void* Buffer, int& Size)>;

class TAudioIO : public QObject {
    Q_OBJECT
public:
    explicit TAudioIO(QObject* owner = nullptr);
    ~TAudioIO() override;
    TAudioIO(const TAudioIO&) = delete;
    TAudioIO& operator=(const TAudioIO&) = delete;

    // ---- Properties ------------------------------------------------------------
    // The actual buffer size: the requested size (at least 512) less what does
    // not make a whole block.
    int BufferSize() const { return FActualSize; }
    void setBufferSize(int waarde);
    // Buffers in the ring, 2..4.
    int NumBuffers() const { return FNumBuffers; }
    void setNumBuffers(int waarde);
    int FrameRate() const { return int(WaveFormat.samplesPerSeconde); }
    void setFrameRate(int waarde);
    bool Stereo() const { return WaveFormat.kanalen == 2; }
    void setStereo(bool waarde);
    // Bits per sample: 8 or 16.
    quint16 Quantization() const { return WaveFormat.bitsPerSample; }
    void setQuantization(quint16 waarde);
    quint32 WaveDevice() const { return FWaveDevice; }
    void setWaveDevice(quint32 waarde) { FWaveDevice = waarde; }
    TNotifyEvent OnStart;
    TNotifyEvent OnStop;

    // The text of the last failure, for a caller that got false.
    const QString& FailureText() const { return FFailureText; }

    // Stop at once and close.
    virtual void HaltCapture();
    // Stop handing buffers on; the device closes when the last queued buffer
    // has come back.
    virtual void DrainCapture();

    // The state, for whoever needs to look.
    bool apparaatOpen() const { return DeviceOpen; }
    bool neemtOp() const { return Capturing; }
    bool loopt() const { return Running; }
    int inDeRij() const { return QueuedCount; }
    const platform::GolfFormaat& formaat() const { return WaveFormat; }
    // Whether the capture driver could open a device right now.
    bool bereikbaar() const { return m_stuurprogramma.bereikbaar(); }

protected:
    void RecalcFormat();
    bool AllocBuffers();
    void ReleaseBuffers();
    bool AllocHeaders();
    void ReleaseHeaders();
    // Points the first NumBuffers headers at their buffers, each the actual
    // buffer size long. Buffers that are missing or smaller than that (the
    // format or NumBuffers changed since they were made) are made anew first,
    // so no header ever describes more memory than its buffer has; false when
    // that fails.
    bool InitHeaders();

    platform::OpnameStuurprogramma& m_stuurprogramma;

    int FActualSize = 0;
    int RequestedSize = 8192;
    int FNumBuffers = 4;
    platform::GolfFormaat WaveFormat;
    quint32 FWaveDevice = 0xFFFFFFFFu;
    platform::GeheugenGreep HeaderMem[4] = {};
    platform::GolfKop* Headers[4] = {};
    char* Buffers[4] = {};
    platform::GeheugenGreep BufferMem[4] = {};
    int NextHeader = 0;
    bool Capturing = false;
    QString FFailureText;
    bool Running = false;
    int QueuedCount = 0;
    bool DeviceOpen = false;
    platform::OpnameMelder* CallbackWindow = nullptr;

private:
    int m_toegewezen = 0;       // the size the buffers were made with
    int m_toegewezenAantal = 0; // how many were made
};

class TAudioIn : public TAudioIO {
    Q_OBJECT
public:
    explicit TAudioIn(QObject* owner = nullptr);
    ~TAudioIn() override;

    TBufferEvent OnBufferFilled;

    // Opens the device and starts recording; returns whether both worked.
    // verwijzing is the field that holds this component: the driver's
    // notices reach the component through it.
    bool StartCapture(TAudioIn*& verwijzing);
    void HaltCapture() override;
    void DrainCapture() override;

    virtual bool DeliverBuffer(void* buffer, int& size);
    virtual void CloseRecorder();
    virtual bool OpenRecorder(TAudioIn*& verwijzing);
    bool BeginCapture();
    bool RequeueBuffer();

    // Whether the microphone is heard (the default). While not, recording
    // goes on without sound: the device stays open with its buffers queued
    // and none comes back, which costs nothing. Kept across reopening.
    bool luistert() const { return m_luisteren; }
    void setLuisteren(bool aan);

private:
    friend class TCallBackWinIn;
    // The driver's notices, through the callback window.
    void bufferTerug(platform::GolfKop* kop);
    void apparaatVerloren(unsigned code);
    QString driverTekst(unsigned code) const;

    std::unique_ptr<platform::OpnameApparaat> DeviceHandle;
    // The ring's length while the device is open: NumBuffers as it was when
    // the device opened, whatever is written to it since.
    int m_ring = 4;
    bool m_luisteren = true;
};

// Receives the capture driver's notices on the user-interface thread and
// passes them to the component it was made for.
class TCallBackWinIn : public platform::OpnameMelder {
    Q_OBJECT
public:
    explicit TCallBackWinIn(QObject* parent, TAudioIn** audioRef);
    // After the device closed: data no longer reaches the component.
    void afdanken() { m_afgedankt = true; }

    void wimOpen() override;
    void wimClose() override;
    void wimData(platform::GolfKop* kop) override;
    void wimVerloren(unsigned code) override;

    TAudioIn** AudioRef;

private:
    bool m_afgedankt = false;
};
