// The board's microphone: aiAudio records 16-bit mono at 22050 samples per
// second from start-up to shutdown; every full buffer's peak becomes the
// sound sensor's level.
#include "app/kwintelvlak.h"
#include "audio/audioio.h"

void TfKwintelvlak::startGeluidsInvoer() {
    aiAudio = new TAudioIn(this);
    aiAudio->setFrameRate(22050);
    aiAudio->OnBufferFilled = [this](void* buffer, int& grootte) {
        return aiAudioBufferFilled(static_cast<const qint16*>(buffer), grootte);
    };
    // Recording that stops on its own (the sound server went away) leaves
    // the sound sensor silent rather than stuck at the last peak.
    aiAudio->OnStop = [](QObject*) { audioBeschikbaar = false; };
    // Failing is not reported: the sound sensor then hears nothing.
    audioBeschikbaar = aiAudio->StartCapture(aiAudio);
}
