#include "audio_output.h"

#include "report_once.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

namespace {

constexpr uint32_t kDefaultFrequency = 44100;
constexpr uint32_t kMaxFrequency = 384000;
constexpr int kChunkSamples = 2048;

bool outputOpen = false;

// One attempt on whatever driver SDL would choose now. On failure the
// audio subsystem is quit again and `error` holds SDL's reason.
bool TryOpenOutput(uint32_t frequency, std::string& error)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(static_cast<int>(frequency), MIX_DEFAULT_FORMAT, 2, kChunkSamples) != 0) {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// The dummy driver is forced over SDL_AUDIODRIVER for this one attempt;
// afterwards the hint goes back to what the environment says.
bool TryOpenSilentOutput(uint32_t frequency, std::string& error)
{
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool opened = TryOpenOutput(frequency, error);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return opened;
}

bool OpenSomeOutput(uint32_t frequency, bool silent)
{
    std::string error;
    if (!silent && TryOpenOutput(frequency, error)) {
        return true;
    }
    if (!silent) {
        ReportOnce(AudioProblem::NoDevice, "no sound device (%s); running silent", error.c_str());
    }
    if (TryOpenSilentOutput(frequency, error)) {
        return true;
    }
    ReportOnce(AudioProblem::NoOutput, "cannot open any audio output (%s)", error.c_str());
    return false;
}

}  // namespace

bool OpenAudioOutput(uint32_t frequency, bool silent)
{
    if (outputOpen) {
        return true;
    }
    if (frequency == 0 || frequency > kMaxFrequency) {
        frequency = kDefaultFrequency;
    }
    outputOpen = OpenSomeOutput(frequency, silent);
    if (outputOpen && (Mix_Init(MIX_INIT_MP3) & MIX_INIT_MP3) == 0) {
        ReportOnce(AudioProblem::NoDecoder, "no MP3 decoder (%s)", Mix_GetError());
    }
    return outputOpen;
}

bool AudioOutputIsOpen()
{
    return outputOpen;
}

void CloseAudioOutput()
{
    if (!outputOpen) {
        return;
    }
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    outputOpen = false;
}
