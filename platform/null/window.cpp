// The window without a window system: its state and the record only.
#include "platform/null/null_display.h"
#include "platform/null/record_calls.h"

namespace {

NULLDISPLAYRECORD record = {false, false, true, false, 0, 0, 0};
bool window = false;
bool context = false;
PLATFORMGLSTEP failAt = PLATFORM_GL_OPEN;

bool SameMode(const PLATFORMMODE& a, const PLATFORMMODE& b)
{
    return a.width == b.width && a.height == b.height && a.bits == b.bits && a.refresh == b.refresh;
}

// Runs the steps from `first` on, making the window and the context as the
// steps that make them succeed; returns the step that failed.
PLATFORMGLSTEP Open(PLATFORMGLSTEP first)
{
    if (!record.videoStarted) return PLATFORM_GL_WINDOW;
    for (int step = first; step <= PLATFORM_GL_CURRENT; ++step) {
        if (step == failAt) return failAt;
        if (step == PLATFORM_GL_WINDOW) window = true;
        if (step == PLATFORM_GL_CONTEXT) context = true;
    }
    return PLATFORM_GL_OPEN;
}

}  // namespace

const NULLDISPLAYRECORD& NullDisplayRecord()
{
    return record;
}

void NullDisplayReset()
{
    record = {false, false, true, false, 0, 0, 0};
    window = false;
    context = false;
    failAt = PLATFORM_GL_OPEN;
}

void NullDisplayFailAt(PLATFORMGLSTEP step)
{
    failAt = step;
}

void NullDisplayCountMessageBox()
{
    ++record.messageBoxes;
}

void NullDisplayCountDialog()
{
    ++record.dialogs;
}

bool PlatformStartVideo()
{
    record.videoStarted = true;
    return true;
}

bool PlatformStopVideo()
{
    if (!record.videoStarted) return false;
    record.videoStarted = false;
    return true;
}

bool PlatformDesktopMode(PLATFORMMODE* mode)
{
    *mode = NULL_DISPLAY_MODE;
    return true;
}

int PlatformListModes(PLATFORMMODE* modes, int max)
{
    if (max < 1) return 0;
    modes[0] = NULL_DISPLAY_MODE;
    return 1;
}

bool PlatformSelectFullscreenMode(const PLATFORMMODE& mode)
{
    if (!SameMode(mode, NULL_DISPLAY_MODE)) return false;
    record.fullscreen = true;
    return true;
}

void PlatformRestoreDesktopMode()
{
    record.fullscreen = false;
}

void PlatformShowCursor(bool visible)
{
    record.cursorVisible = visible;
}

PLATFORMGLSTEP PlatformOpenGLWindow(const char*, int, int, int)
{
    return Open(PLATFORM_GL_FRAMEBUFFER);
}

bool PlatformOpenOffscreenGLWindow(int, int)
{
    return Open(PLATFORM_GL_FRAMEBUFFER) == PLATFORM_GL_OPEN;
}

void PlatformShowWindow()
{
    record.windowShown = window;
}

void PlatformSwapBuffers()
{
    if (window) ++record.swaps;
}

bool PlatformHasWindow()
{
    return window;
}

bool PlatformHasGLContext()
{
    return context;
}

bool PlatformDetachGLContext()
{
    return context;
}

bool PlatformDeleteGLContext()
{
    if (!context) return false;
    context = false;
    return true;
}

bool PlatformDestroyWindow()
{
    if (!window) return false;
    window = false;
    record.windowShown = false;
    return true;
}

void* PlatformGLProcAddress(const char*)
{
    return nullptr;  // no GL driver
}
