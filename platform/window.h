// The demo's full-screen window with its OpenGL context, the display modes,
// and the video system they live on: the stand-in for window classes,
// ChangeDisplaySettings, pixel formats and WGL. One window at a time.
#ifndef PLM_PLATFORM_WINDOW_H
#define PLM_PLATFORM_WINDOW_H

struct PLATFORMMODE {
    int width;    // pixels
    int height;   // pixels
    int bits;     // bits per pixel
    int refresh;  // Hz, 0 when the driver does not say
};

// Starts the video system and with it the one display connection of the
// run (the window class is "OpenGL"; losing the focus never minimises); true
// at once when it is already started, so the setup dialog and the demo
// window share the connection. Without a display it says on stderr which
// display it tried.
bool PlatformStartVideo();
// Stops the video system again (false when it was not started here).
bool PlatformStopVideo();

// The desktop's current mode of the first display.
bool PlatformDesktopMode(PLATFORMMODE* mode);
// Every mode the first display reports, at most max of them; returns how
// many were written.
int PlatformListModes(PLATFORMMODE* modes, int max);

// Selects the full-screen mode the window takes when it is opened. Refuses,
// changing nothing, a mode the display does not list exactly. Where the
// system switches the display itself (ChangeDisplaySettings), the switch
// happens here, before the window exists; PlatformRestoreDesktopMode undoes
// it either way.
bool PlatformSelectFullscreenMode(const PLATFORMMODE& mode);
// Back to the desktop mode, for an open window too.
void PlatformRestoreDesktopMode();

void PlatformShowCursor(bool visible);

// The steps of opening a GL window, in their order; the result of the open
// calls names the step that failed.
enum PLATFORMGLSTEP {
    PLATFORM_GL_OPEN = 0,     // every step succeeded: the context is current
    PLATFORM_GL_FRAMEBUFFER,  // requesting or setting the framebuffer format
    PLATFORM_GL_WINDOW,       // creating the window
    PLATFORM_GL_SURFACE,      // the window cannot carry GL (the device-context step)
    PLATFORM_GL_DRIVER,       // loading the GL driver (the pixel-format steps)
    PLATFORM_GL_CONTEXT,      // creating the context
    PLATFORM_GL_CURRENT,      // making the context current
};
// Opens the borderless demo window of the given size, hidden, full screen
// in the selected mode (an ordinary window when none was selected), with a
// context of RGBA with `bits` colour bits, double buffered, 16-bit depth,
// current on the calling thread. Stops at the first step that fails and
// leaves what it made for the closing calls below.
PLATFORMGLSTEP PlatformOpenGLWindow(const char* title, int width, int height, int bits);
// The same with an invisible off-screen surface of the given size and 32
// colour bits instead of a window (capture and tests): nothing on the
// desktop changes. False when a step failed (said on stderr).
bool PlatformOpenOffscreenGLWindow(int width, int height);
// Shows, raises and focuses the window.
void PlatformShowWindow();
void PlatformSwapBuffers();
// The address of the GL function `name` (e.g. "glGenBuffers") of the loaded
// GL driver, for functions beyond OpenGL 1.1, which are never linked
// directly; null when the driver has none or no GL window was opened. A
// non-null address does not mean the current context supports the function:
// callers check the context's version or extensions first.
void* PlatformGLProcAddress(const char* name);

bool PlatformHasWindow();
bool PlatformHasGLContext();
// Closing, in this order; each is false when its step failed.
// Releases the context from the calling thread.
bool PlatformDetachGLContext();
bool PlatformDeleteGLContext();
bool PlatformDestroyWindow();

#endif
