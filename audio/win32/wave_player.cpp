#include "wave_player.h"

#include <windows.h>
// After windows.h: the multimedia header builds on its types.
#include <mmsystem.h>

namespace {

static_assert(sizeof(WAVEHDR) <= 64, "a WAVEHDR fits its storage");

const double kBufferSeconds = 0.25;

WAVEFORMATEX Pcm16(uint32_t rate, int channels)
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = static_cast<WORD>(channels);
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = 16;
    f.nBlockAlign = static_cast<WORD>(channels * 2);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

HWAVEOUT Device(void* device)
{
    return static_cast<HWAVEOUT>(device);
}

}  // namespace

bool WaveDeviceAvailable(uint32_t rate, unsigned int* error)
{
    WAVEFORMATEX format = Pcm16(rate, 2);
    const MMRESULT result = waveOutOpen(nullptr, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY);
    *error = result;
    return result == MMSYSERR_NOERROR;
}

CWAVEPLAYER::~CWAVEPLAYER()
{
    Stop();
}

bool CWAVEPLAYER::Start(CACMDECODER* decoder, bool loop, unsigned int* error)
{
    Stop();
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!event) return false;
    WAVEFORMATEX format = Pcm16(static_cast<uint32_t>(decoder->SampleRate()), decoder->Channels());
    HWAVEOUT device = nullptr;
    const MMRESULT result =
        waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(event), 0, CALLBACK_EVENT);
    *error = result;
    HMODULE module = nullptr;
    if (result != MMSYSERR_NOERROR ||
        !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&CWAVEPLAYER::Run), &module)) {
        if (result == MMSYSERR_NOERROR) waveOutClose(device);
        CloseHandle(event);
        return false;
    }
    decoder_ = decoder;
    loop_ = loop;
    device_ = device;
    event_ = event;
    module_ = module;
    stop_ = false;
    running_ = true;
    thread_ = CreateThread(nullptr, 0, &CWAVEPLAYER::Run, this, 0, nullptr);
    if (!thread_) {
        running_ = false;
        FreeLibrary(module);
        waveOutClose(device);
        CloseHandle(event);
        device_ = event_ = module_ = nullptr;
        return false;
    }
    return true;
}

bool CWAVEPLAYER::Playing() const
{
    return running_;
}

void CWAVEPLAYER::Stop()
{
    if (!thread_) return;
    stop_ = true;
    SetEvent(static_cast<HANDLE>(event_));
    WaitForSingleObject(static_cast<HANDLE>(thread_), INFINITE);
    CloseHandle(static_cast<HANDLE>(thread_));
    waveOutClose(Device(device_));
    CloseHandle(static_cast<HANDLE>(event_));
    thread_ = device_ = event_ = module_ = nullptr;
}

unsigned long __stdcall CWAVEPLAYER::Run(void* self)
{
    CWAVEPLAYER* player = static_cast<CWAVEPLAYER*>(self);
    HMODULE module = static_cast<HMODULE>(player->module_);
    player->Loop();
    player->running_ = false;
    FreeLibraryAndExitThread(module, 0);
    return 0;
}

// Decodes the next stretch of sound into buffer and queues it. False when
// the sound has ended (or the device refused the buffer).
bool CWAVEPLAYER::Queue(int buffer)
{
    std::vector<uint8_t>& pcm = pcm_[buffer];
    const size_t wanted =
        static_cast<size_t>(decoder_->SampleRate() * kBufferSeconds) * decoder_->Channels() * 2;
    pcm.clear();
    if (decoder_->Decode(wanted, pcm) == 0 && loop_) {
        decoder_->Rewind();
        decoder_->Decode(wanted, pcm);
    }
    if (pcm.empty()) return false;
    WAVEHDR* header = reinterpret_cast<WAVEHDR*>(headers_[buffer]);
    *header = WAVEHDR{};
    header->lpData = reinterpret_cast<LPSTR>(pcm.data());
    header->dwBufferLength = static_cast<DWORD>(pcm.size());
    HWAVEOUT device = Device(device_);
    if (waveOutPrepareHeader(device, header, sizeof *header) != MMSYSERR_NOERROR) return false;
    if (waveOutWrite(device, header, sizeof *header) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(device, header, sizeof *header);
        return false;
    }
    queued_[buffer] = true;
    return true;
}

void CWAVEPLAYER::Loop()
{
    HWAVEOUT device = Device(device_);
    bool ended = !Queue(0) || !Queue(1);
    while (!stop_) {
        for (int i = 0; i < 2; ++i) {
            WAVEHDR* header = reinterpret_cast<WAVEHDR*>(headers_[i]);
            if (!queued_[i] || (header->dwFlags & WHDR_DONE) == 0) continue;
            waveOutUnprepareHeader(device, header, sizeof *header);
            queued_[i] = false;
            if (!ended && !stop_) ended = !Queue(i);
        }
        if (!queued_[0] && !queued_[1]) break;  // everything has played
        WaitForSingleObject(static_cast<HANDLE>(event_), INFINITE);
    }
    waveOutReset(device);  // marks every queued buffer done
    for (int i = 0; i < 2; ++i) {
        if (!queued_[i]) continue;
        WAVEHDR* header = reinterpret_cast<WAVEHDR*>(headers_[i]);
        waveOutUnprepareHeader(device, header, sizeof *header);
        queued_[i] = false;
    }
}
