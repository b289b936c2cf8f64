// The full-screen window and its OpenGL context: the stand-in for window
// classes, ChangeDisplaySettings, pixel formats and WGL. One window at a
// time. Each call is one step of opening or closing the demo window, so the
// caller keeps its own order and its own failure messages.
#ifndef PLM_PLATFORM_WINDOW_H
#define PLM_PLATFORM_WINDOW_H

struct PLATFORMMODE {
    int width;    // pixels
    int height;   // pixels
    int bits;     // bits per pixel
    int refresh;  // Hz, 0 when the driver does not say
};

// Starts the video system (X11 class "OpenGL", focus loss never minimises)
// and with it the one display connection of the run; true at once when it
// is already started, so the setup dialog and the demo window share the
// connection. Without a display it says on stderr which display it tried.
bool PlatformRegisterWindowClass();
// Stops the video system again (false when it was not started here).
bool PlatformUnregisterWindowClass();

// The desktop's current mode of the first display.
bool PlatformDesktopMode(PLATFORMMODE* mode);
// Every mode the first display reports, at most max of them; returns how
// many were written.
int PlatformListModes(PLATFORMMODE* modes, int max);

// Asks for full-screen mode `mode` (the window takes it when created).
// Refuses, changing nothing, a mode the display does not list exactly.
// Null goes back to the desktop mode.
bool PlatformChangeDisplayMode(const PLATFORMMODE* mode);

void PlatformShowCursor(bool visible);

// Sets the GL framebuffer request: RGBA with `bits` colour bits, double
// buffered, 16-bit depth. Must precede PlatformCreateWindow.
bool PlatformRequestPixelFormat(int bits);
// Creates the borderless window of the given size, hidden, full screen in
// the requested mode (or an ordinary window when no mode was requested).
bool PlatformCreateWindow(const char* title, int width, int height);
// Creates an invisible off-screen GL surface of the given size instead of a
// window (capture and tests): nothing on the desktop changes.
bool PlatformCreateOffscreenWindow(int width, int height);
// True when the window can take a GL context (the device-context step).
bool PlatformWindowHasGL();
// Loads the GL driver for the window (the pixel-format steps).
bool PlatformChoosePixelFormat();
bool PlatformCreateContext();
bool PlatformMakeCurrent();
// Releases the context from the thread and deletes it.
bool PlatformReleaseContext();
bool PlatformDeleteContext();
bool PlatformDestroyWindow();
bool PlatformHasWindow();
bool PlatformHasContext();
// Shows, raises and focuses the window.
void PlatformShowWindow();
void PlatformSwapBuffers();
// The window's client size in pixels (0, 0 without a window).
void PlatformWindowSize(int* width, int* height);

#endif
