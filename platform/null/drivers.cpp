// Without a window system there is only one driver: nothing to choose.
#include "platform/drivers.h"

void PlatformUseOffscreenVideo() {}

void PlatformUseSilentAudio() {}
