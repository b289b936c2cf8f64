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
    if (PlatformChangeDisplayMode(&mode)) return true;
    Fail("Unable To Run In Fullscreen!");
    return Fail("Program Will Now Quit");
}

// Steps 8 to 12: the surface, its format and the current context.
bool CreateRenderingContext()
{
    if (!PlatformWindowHasGL()) return CloseAndFail("Can`t Create A GL Device Context");
    if (!PlatformChoosePixelFormat()) return CloseAndFail("Can`t Find A Suitable PixelFormat");
    if (!PlatformCreateContext()) return CloseAndFail("Can`t Create A GL Rendering Context");
    if (!PlatformMakeCurrent()) return CloseAndFail("Can`t Activate The GL Rendering Context");
    return true;
}

}  // namespace

int OpenDemoWindow(const char* title, int width, int height, int bits, PLATFORMMSG* last)
{
    if (!PlatformRegisterWindowClass()) return Fail("Falied To Register Window Class");
    if (!SwitchDisplay(width, height, bits)) return DEMO_WINDOW_FAILED;
    PlatformShowCursor(false);
    // The framebuffer request has to be made before the window exists.
    if (!PlatformRequestPixelFormat(bits)) return CloseAndFail("Can`t Set The PixelFormat");
    if (!PlatformCreateWindow(title, width, height)) return CloseAndFail("Window Creation Error.");
    if (!CreateRenderingContext()) return DEMO_WINDOW_FAILED;
    PlatformShowWindow();
    if (!ShowLoadingScreen(width, height, last)) return DEMO_WINDOW_CANCELLED;
    ResizeViewport(width, height);
    if (!InitRenderState()) return CloseAndFail("Initialization Falied");
    return DEMO_WINDOW_OPEN;
}

void CloseDemoWindow()
{
    ShutdownScene();
    PlatformChangeDisplayMode(nullptr);
    PlatformShowCursor(true);
    if (PlatformHasContext()) {
        if (!PlatformReleaseContext()) PlatformMessageBox("SHUTDOWN ERROR", "Release Of DC And RC Falied.");
        if (!PlatformDeleteContext())
            PlatformMessageBox("SHUTDOWN ERROR", "Release Rendering Context Falied.");
    }
    if (PlatformHasWindow() && !PlatformDestroyWindow())
        PlatformMessageBox("SHUTDOWN ERROR", "Could Not Release hWnd");
    if (!PlatformUnregisterWindowClass()) PlatformMessageBox("SHUTDOWN ERROR", "Could Not Unregister Class");
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
        case WM_SYSCOMMAND:
            // Screen saver and monitor power-down stay off while the demo runs.
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
