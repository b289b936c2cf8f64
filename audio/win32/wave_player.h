// Playing a decoder's PCM on the default waveOut device: a worker thread of
// its own keeps two buffers of a quarter second each queued (one plays
// while the other is refilled) until the sound ends or Stop is called.
//
// The worker holds a reference to this DLL while it runs, so that unloading
// the library with a stream still playing cannot pull the code from under
// it: the library then stays loaded until the sound has ended.
#ifndef PLM_AUDIO_WIN32_WAVE_PLAYER_H
#define PLM_AUDIO_WIN32_WAVE_PLAYER_H

#include "acm_decoder.h"

#include <atomic>
#include <cstdint>
#include <vector>

// True when the default waveOut device accepts 16-bit stereo PCM at
// `rate` Hz; otherwise false with waveOutOpen's error code in *error (for
// example MMSYSERR_BADDEVICEID when the machine has no sound device).
bool WaveDeviceAvailable(uint32_t rate, unsigned int* error);

class CWAVEPLAYER {
public:
    CWAVEPLAYER() = default;
    CWAVEPLAYER(const CWAVEPLAYER&) = delete;
    CWAVEPLAYER& operator=(const CWAVEPLAYER&) = delete;
    ~CWAVEPLAYER();

    // Opens the device in the decoder's format and starts playing from the
    // decoder's current position; with `loop` the decoder is rewound at
    // its end. The decoder must outlive the playback (Stop or the end).
    // False, with waveOutOpen's error in *error, when the device refuses.
    bool Start(CACMDECODER* decoder, bool loop, unsigned int* error);
    // True while the worker runs (the sound has not ended or been stopped).
    bool Playing() const;
    // Stops the sound at once, waits for the worker and closes the device.
    // Harmless when nothing plays.
    void Stop();

private:
    static unsigned long __stdcall Run(void* self);
    void Loop();
    bool Queue(int buffer);

    CACMDECODER* decoder_ = nullptr;
    bool loop_ = false;
    void* device_ = nullptr;  // HWAVEOUT
    void* event_ = nullptr;   // signalled by the device when a buffer is done
    void* thread_ = nullptr;
    void* module_ = nullptr;  // this DLL, referenced by the worker
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::vector<uint8_t> pcm_[2];
    // WAVEHDR storage, kept opaque here (two headers of the system's size).
    alignas(8) unsigned char headers_[2][64];
    bool queued_[2] = {false, false};
};

#endif
