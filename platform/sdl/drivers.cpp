// The drivers through SDL's own choices: a hint for the video driver, and
// the environment for the audio library, which starts SDL's audio itself.
#include "platform/drivers.h"

#include <SDL.h>

void PlatformUseOffscreenVideo()
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
}

void PlatformUseSilentAudio()
{
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
}
