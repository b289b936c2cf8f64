#include "shell/demo_window.h"

#include "platform/events.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "runtime/display_mode.h"
#include "scene/scene_init.h"
#include "shell/demo_main.h"
#include "shell/loading_screen.h"

#include <GL/gl.h>
#include <GL/glu.h>

uint32_t keys[256];
bool active = true;

namespace {

bool Fail(const char* text)
{
    PlatformMessageBox("ERROR", text);
    return false;
}

bool CloseAndFail(const char* text)
{
    CloseDemoWindow();
    return Fail(text);
}

bool SwitchDisplay(int width, int height, int bits)
{
    PLATFORMMODE mode = {width, height, bits, DisplayMode.screenRefresh};
    if (PlatformSelectFullscreenMode(mode)) return true;
    Fail("Unable To Run In Fullscreen!");
    return Fail("Program Will Now Quit");
}

// The message for each step of opening the window and its context.
const char* OpenFailure(PLATFORMGLSTEP step)
{
    switch (step) {
        case PLATFORM_GL_FRAMEBUFFER:
            return "Can`t Set The PixelFormat";
        case PLATFORM_GL_WINDOW:
            return "Window Creation Error.";
        case PLATFORM_GL_SURFACE:
            return "Can`t Create A GL Device Context";
        case PLATFORM_GL_DRIVER:
            return "Can`t Find A Suitable PixelFormat";
        case PLATFORM_GL_CONTEXT:
            return "Can`t Create A GL Rendering Context";
        default:
            return "Can`t Activate The GL Rendering Context";
    }
}

// The window, its format and the current context.
bool CreateGLWindow(const char* title, int width, int height, int bits)
{
    PLATFORMGLSTEP failed = PlatformOpenGLWindow(title, width, height, bits);
    return failed == PLATFORM_GL_OPEN || CloseAndFail(OpenFailure(failed));
}

}  // namespace

int OpenDemoWindow(const char* title, int width, int height, int bits, PLATFORMMSG* last)
{
    if (!PlatformStartVideo()) return Fail("Falied To Register Window Class");
    if (!SwitchDisplay(width, height, bits)) return DEMO_WINDOW_FAILED;
    PlatformShowCursor(false);
    if (!CreateGLWindow(title, width, height, bits)) return DEMO_WINDOW_FAILED;
    PlatformShowWindow();
    // The scene's files load in the loading screen's pauses (the first one
    // is usually long enough for all of them); InitScene does what is left.
    if (!ShowLoadingScreen(width, height, last, LoadNextSceneAsset)) return DEMO_WINDOW_CANCELLED;
    ResizeViewport(width, height);
    if (!InitRenderState()) return CloseAndFail("Initialization Falied");
    return DEMO_WINDOW_OPEN;
}

void CloseDemoWindow()
{
    ShutdownScene();
    PlatformRestoreDesktopMode();
    PlatformShowCursor(true);
    if (PlatformHasGLContext()) {
        if (!PlatformDetachGLContext()) PlatformMessageBox("SHUTDOWN ERROR", "Release Of DC And RC Falied.");
        if (!PlatformDeleteGLContext())
            PlatformMessageBox("SHUTDOWN ERROR", "Release Rendering Context Falied.");
    }
    if (PlatformHasWindow() && !PlatformDestroyWindow())
        PlatformMessageBox("SHUTDOWN ERROR", "Could Not Release hWnd");
    if (!PlatformStopVideo()) PlatformMessageBox("SHUTDOWN ERROR", "Could Not Unregister Class");
}

intptr_t DemoWindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
        case WM_DESTROY:
            PlatformPostQuitMessage(EXIT_WINDOW_LOST);
            return 0;
        case WM_ACTIVATE:
            active = HighWord(wParam) == 0;
            return 0;
        case WM_CLOSE:
            PlatformPostQuitMessage(0);
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            // Codes beyond the table (posted by someone else) are ignored.
            if (wParam < 256) keys[wParam] = message == WM_KEYDOWN ? 1 : 0;
            return 0;
        case WM_SIZE:
            ResizeViewport(static_cast<int>(LowWord(static_cast<uintptr_t>(lParam))),
                           static_cast<int>(HighWord(static_cast<uintptr_t>(lParam))));
            return 0;
        default:
            return 0;
    }
}

void ResizeViewport(int width, int height)
{
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), static_cast<double>(0.1f),
                   100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool InitRenderState()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    InitScene();
    return true;
}
