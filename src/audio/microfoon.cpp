// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The board's microphone: aiAudio records 16-bit mono at 22050 samples per
// second from start-up to shutdown; every full buffer's peak becomes the
// sound sensor's level. Sound is taken in only while a sound sensor is on
// the board. When the sound server goes away, or is not there at
// start-up, the board tries again every second once the capture driver says
// a device can be opened, so the sound sensor hears again without a restart.
#include "app/kwintelvlak.h"
#include "app/modulesoort.h"
#include "audio/audioio.h"
#include "platform/platform.h"

void TfKwintelvlak::startGeluidsInvoer() {
    aiAudio = new TAudioIn(this);
    aiAudio->setFrameRate(22050);
    aiAudio->OnBufferFilled = [this](void* buffer, int& grootte) {
        return aiAudioBufferFilled(static_cast<const qint16*>(buffer), grootte);
    };
    // Recording that stops on its own leaves the sound sensor silent rather
    // than stuck at the last peak, until it records again.
    aiAudio->OnStop = [this](QObject*) {
        if (aiAudio->apparaatOpen())
            return;
        audioBeschikbaar = false;
        geluidNiveau = 0;
        wachtOpGeluidsInvoer();
    };
    // Recording runs from start-up to shutdown, but the sound is taken in
    // only while a sound sensor is on the board to hear it: an unheard
    // microphone costs nothing, and the desktop does not show it in use.
    geluidSensorenBijwerken();
    connect(this, &TfKwintelvlak::bordGewijzigd, this, &TfKwintelvlak::geluidSensorenBijwerken);
    // Failing is not reported: the sound sensor then hears nothing.
    audioBeschikbaar = aiAudio->StartCapture(aiAudio);
    if (!audioBeschikbaar)
        wachtOpGeluidsInvoer();
}

void TfKwintelvlak::geluidSensorenBijwerken() {
    const bool nodig = zoekModuleAantal(soorten::geluidSensor) > 0;
    if (!aiAudio || aiAudio->luistert() == nodig)
        return;
    // A sensor placed anew hears only what comes after it, never the peak
    // of a buffer from before the pause.
    geluidNiveau = 0;
    aiAudio->setLuisteren(nodig);
}

void TfKwintelvlak::wachtOpGeluidsInvoer() {
    // Runs without a user never open a device; and nothing starts on the
    // way out.
    if (m_vernietigd || platform::geluidUit())
        return;
    if (!tGeluidsInvoer) {
        tGeluidsInvoer = new platform::Timer(this);
        tGeluidsInvoer->setInterval(1000);
        connect(tGeluidsInvoer, &platform::Timer::timeout, this,
                &TfKwintelvlak::probeerGeluidsInvoer);
    }
    if (!tGeluidsInvoer->isActive())
        tGeluidsInvoer->start();
}

void TfKwintelvlak::probeerGeluidsInvoer() {
    if (m_vernietigd || audioBeschikbaar) {
        tGeluidsInvoer->stop();
        return;
    }
    // Still closing from the last time, or nothing to open yet.
    if (aiAudio->apparaatOpen() || !aiAudio->bereikbaar())
        return;
    geluidNiveau = 0;
    audioBeschikbaar = aiAudio->StartCapture(aiAudio);
    if (audioBeschikbaar)
        tGeluidsInvoer->stop();
}
