// The window, its GL context and the display modes through SDL2.
#include "platform/window.h"

#include "platform/sdl/display_watch.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
bool videoStarted = false;
bool modeRequested = false;
SDL_DisplayMode requestedMode;

int BitsOf(Uint32 format)
{
    return static_cast<int>(SDL_BITSPERPIXEL(format));
}

bool FindExactMode(const PLATFORMMODE& wanted, SDL_DisplayMode* found)
{
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        if (mode.w == wanted.width && mode.h == wanted.height && BitsOf(mode.format) == wanted.bits &&
            mode.refresh_rate == wanted.refresh) {
            *found = mode;
            return true;
        }
    }
    return false;
}

// SDL quietly falls back to an invisible driver when there is no display;
// that is only wanted when someone asked for it by name.
bool InvisibleByAccident()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)) return false;
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return !asked || std::strstr(asked, driver) == nullptr;
}

// Names the display that could not be opened, or says that none was named.
void ReportNoDisplay(const char* reason)
{
    const char* name = SDL_getenv("DISPLAY");
    if (!name || !*name) name = SDL_getenv("WAYLAND_DISPLAY");
    if (name && *name)
        std::fprintf(stderr, "video: cannot open display \"%s\"%s%s\n", name, reason ? ": " : "",
                     reason ? reason : "");
    else
        std::fprintf(stderr, "video: no display (DISPLAY is not set)\n");
}

bool RequestFramebuffer(int bits)
{
    int channel = bits >= 24 ? 8 : (bits >= 15 ? 5 : 2);
    bool ok = SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0) == 0;
    return ok;
}

bool CreateDemoWindow(const char* title, int width, int height)
{
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (modeRequested) flags |= SDL_WINDOW_FULLSCREEN;
    window = SDL_CreateWindow(title, 0, 0, width, height, flags);
    if (!window) {
        std::fprintf(stderr, "window: %s\n", SDL_GetError());
        return false;
    }
    if (modeRequested && SDL_SetWindowDisplayMode(window, &requestedMode) != 0)
        std::fprintf(stderr, "window: display mode: %s\n", SDL_GetError());
    WatchWindow(window);
    return true;
}

bool CreateOffscreenWindow(int width, int height)
{
    window = SDL_CreateWindow("OpenGL", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) std::fprintf(stderr, "window: %s\n", SDL_GetError());
    return window != nullptr;
}

bool WindowHasGL()
{
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL);
}

bool LoadGLDriver()
{
    // The driver is loaded with the first GL window; asking again is harmless.
    return SDL_GL_LoadLibrary(nullptr) == 0;
}

bool CreateContext()
{
    context = SDL_GL_CreateContext(window);
    if (!context) std::fprintf(stderr, "GL context: %s\n", SDL_GetError());
    return context != nullptr;
}

bool MakeCurrent()
{
    return SDL_GL_MakeCurrent(window, context) == 0;
}

// The steps after the window exists.
PLATFORMGLSTEP AttachContext()
{
    if (!LoadGLDriver()) return PLATFORM_GL_DRIVER;
    if (!CreateContext()) return PLATFORM_GL_CONTEXT;
    if (!MakeCurrent()) return PLATFORM_GL_CURRENT;
    return PLATFORM_GL_OPEN;
}

}  // namespace

PLATFORMGLSTEP PlatformOpenGLWindow(const char* title, int width, int height, int bits)
{
    // The framebuffer request has to be made before the window exists.
    if (!RequestFramebuffer(bits)) return PLATFORM_GL_FRAMEBUFFER;
    if (!CreateDemoWindow(title, width, height)) return PLATFORM_GL_WINDOW;
    if (!WindowHasGL()) return PLATFORM_GL_SURFACE;
    return AttachContext();
}

bool PlatformOpenOffscreenGLWindow(int width, int height)
{
    return RequestFramebuffer(32) && CreateOffscreenWindow(width, height) &&
           AttachContext() == PLATFORM_GL_OPEN;
}

bool PlatformStartVideo()
{
    if (videoStarted) return true;
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", "OpenGL", 1);
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ReportNoDisplay(SDL_GetError());
        return false;
    }
    if (InvisibleByAccident()) {
        ReportNoDisplay(nullptr);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    WatchDisplayErrors();
    videoStarted = true;
    return true;
}

bool PlatformStopVideo()
{
    if (!videoStarted) return false;
    // Without its connection the video driver would wait forever for
    // answers. After a window was destroyed from outside, the driver's
    // second connection may still hold an error about it, which would end
    // the process while the driver closes it under the default handler.
    // Either way the process end releases what is left.
    bool quit = !DisplayConnectionLost() && !WatchedWindowLost();
    StopWatchingDisplay();
    if (quit) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoStarted = false;
    return true;
}

bool PlatformDesktopMode(PLATFORMMODE* mode)
{
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
    *mode = {desktop.w, desktop.h, BitsOf(desktop.format), desktop.refresh_rate};
    return true;
}

int PlatformListModes(PLATFORMMODE* modes, int max)
{
    int count = SDL_GetNumDisplayModes(0);
    int written = 0;
    for (int i = 0; i < count && written < max; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0)
            modes[written++] = {mode.w, mode.h, BitsOf(mode.format), mode.refresh_rate};
    }
    return written;
}

bool PlatformSelectFullscreenMode(const PLATFORMMODE& mode)
{
    SDL_DisplayMode found;
    if (!FindExactMode(mode, &found)) return false;
    requestedMode = found;
    modeRequested = true;
    return true;
}

void PlatformRestoreDesktopMode()
{
    modeRequested = false;
    if (window && !DisplayConnectionLost()) SDL_SetWindowFullscreen(window, 0);
}

void PlatformShowCursor(bool visible)
{
    if (DisplayConnectionLost()) return;
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool PlatformDetachGLContext()
{
    if (DisplayConnectionLost()) return true;
    return SDL_GL_MakeCurrent(window, nullptr) == 0;
}

bool PlatformDeleteGLContext()
{
    if (!context) return false;
    if (!DisplayConnectionLost()) SDL_GL_DeleteContext(context);
    context = nullptr;
    return true;
}

bool PlatformDestroyWindow()
{
    if (!window) return false;
    // With the connection gone, destroying would wait for an unmap event
    // that never comes.
    if (!DisplayConnectionLost()) SDL_DestroyWindow(window);
    window = nullptr;
    ForgetWindow();
    return true;
}

bool PlatformHasWindow()
{
    return window != nullptr;
}

bool PlatformHasGLContext()
{
    return context != nullptr;
}

void PlatformShowWindow()
{
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
}

void PlatformSwapBuffers()
{
    if (window && !DisplayConnectionLost()) SDL_GL_SwapWindow(window);
}

void* PlatformGLProcAddress(const char* name)
{
    return SDL_GL_GetProcAddress(name);
}
