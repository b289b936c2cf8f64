#include "platform/sdl/display_watch.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <atomic>
#include <cstdio>
#include <cstring>

namespace {

// The handlers that were in place before ours (the video driver's).
XErrorHandler driverHandler = nullptr;
XIOErrorHandler driverIOHandler = nullptr;
bool handlerInstalled = false;
Display* display = nullptr;
// X id of the watched window; 0 while none is watched.
std::atomic<unsigned long> watchedWindow{0};
std::atomic<bool> windowLost{false};
std::atomic<bool> lossTaken{false};
std::atomic<bool> connectionLost{false};

bool UsingX11()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "x11") == 0;
}

// Runs inside Xlib with the display locked: it must make no request.
int OnXError(Display* errorDisplay, XErrorEvent* error)
{
    unsigned long window = watchedWindow.load();
    bool aboutOurWindow = window != 0 && (error->resourceid == window || error->error_code == BadWindow ||
                                          error->error_code == BadDrawable);
    if (aboutOurWindow) {
        if (!windowLost.exchange(true))
            std::fprintf(stderr, "video: the window was destroyed by another program\n");
        return 0;
    }
    return driverHandler ? driverHandler(errorDisplay, error) : 0;
}

// Xlib's default I/O error handler exits; this one only reports. Xlib
// then calls the display's exit handler.
int OnIOError(Display*)
{
    if (!connectionLost) std::fprintf(stderr, "video: the display connection was lost\n");
    return 0;
}

// Called instead of exit() once the connection is gone: Xlib has marked it
// dead, and further requests on it return at once.
void OnConnectionLost(Display*, void*)
{
    connectionLost = true;
    windowLost = true;
}

}  // namespace

void WatchDisplayErrors()
{
    if (!UsingX11() || handlerInstalled) return;
    driverHandler = XSetErrorHandler(OnXError);
    driverIOHandler = XSetIOErrorHandler(OnIOError);
    handlerInstalled = true;
}

void WatchWindow(SDL_Window* window)
{
    windowLost = false;
    lossTaken = false;
    if (!handlerInstalled || !window) return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    if (display != info.info.x11.display) {
        display = info.info.x11.display;
        XSetIOErrorExitHandler(display, OnConnectionLost, nullptr);
    }
    watchedWindow = info.info.x11.window;
}

void ForgetWindow()
{
    if (display && !connectionLost) XSync(display, False);
    watchedWindow = 0;
}

void StopWatchingDisplay()
{
    ForgetWindow();
    if (handlerInstalled) {
        XSetErrorHandler(driverHandler);
        XSetIOErrorHandler(driverIOHandler);
    }
    handlerInstalled = false;
    driverHandler = nullptr;
    driverIOHandler = nullptr;
    display = nullptr;
    connectionLost = false;
}

bool WatchedWindowLost()
{
    return windowLost;
}

bool WindowLossPending()
{
    return windowLost && !lossTaken;
}

bool TakeWindowLoss()
{
    return windowLost && !lossTaken.exchange(true);
}

bool DisplayConnectionLost()
{
    return connectionLost;
}
