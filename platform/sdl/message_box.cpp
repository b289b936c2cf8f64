// The message box through SDL, watched by the quit-signal guard.
#include "platform/message_box.h"

#include "platform/posix/signal_guard.h"
#include "platform/sdl/display_watch.h"
#include "platform/termination.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

void PlatformMessageBox(const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    // Only a real desktop can show a box; the offscreen and dummy drivers
    // would fail anyway, and with no display at all SDL must not be asked.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) return;
    if (!driver && !SDL_getenv("DISPLAY") && !SDL_getenv("WAYLAND_DISPLAY")) return;
    // With the display gone, or the run already ending on a quit signal,
    // there is nobody to answer a box.
    if (DisplayConnectionLost() || PlatformTerminationRequested() != 0) return;
    CQUITSIGNALGUARD guard;
    SDL_ShowSimpleMessageBox(0, caption, text, nullptr);
}
