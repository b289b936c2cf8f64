// The drivers of runs without a desktop: an off-screen surface instead of
// windows, and the audio library told through the environment, which it
// reads when it starts.
#include "platform/drivers.h"

#include "platform/win32/win32_display.h"

#include <cstdlib>

namespace {

bool offscreenRequested = false;

}  // namespace

bool TakeOffscreenVideoRequest()
{
    bool requested = offscreenRequested;
    offscreenRequested = false;
    return requested;
}

void PlatformUseOffscreenVideo()
{
    offscreenRequested = true;
}

void PlatformUseSilentAudio()
{
    // Both copies of the environment: the process's, and the C runtime's
    // that getenv reads.
    SetEnvironmentVariableA("PLM_AUDIO_DRIVER", "silent");
    _putenv("PLM_AUDIO_DRIVER=silent");
}
