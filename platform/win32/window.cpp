// The window class, the popup window with its pixel format and WGL context,
// and the off-screen surface.
#include "platform/window.h"

#include "platform/win32/offscreen_surface.h"
#include "platform/win32/win32_display.h"

#include <cstdio>

const char* const DEMO_WINDOW_CLASS = "OpenGL";

namespace {

HINSTANCE instance = nullptr;
bool videoStarted = false;
bool offscreenVideo = false;
HWND window = nullptr;
HDC windowDC = nullptr;
HGLRC context = nullptr;
OFFSCREENSURFACE surface;

const DWORD DEMO_STYLE = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD DEMO_EX_STYLE = WS_EX_APPWINDOW;

bool RegisterDemoClass()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = DemoWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = DEMO_WINDOW_CLASS;
    return RegisterClassA(&windowClass) != 0;
}

HWND CreatePopup(const char* title, int width, int height)
{
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, WS_POPUP, FALSE, DEMO_EX_STYLE);
    return CreateWindowExA(DEMO_EX_STYLE, DEMO_WINDOW_CLASS, title, DEMO_STYLE, 0, 0,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                           nullptr);
}

// Says which display could not be used. Under Wine the desktop is the X
// display that DISPLAY names; elsewhere there is always a desktop, and a
// window that cannot be made has another reason.
void ReportNoDisplay(DWORD error)
{
    char name[256];
    DWORD length = GetEnvironmentVariableA("DISPLAY", name, sizeof name);
    if (!RunningUnderWine())
        std::fprintf(stderr, "video: cannot create a window on the desktop (error %lu)\n", error);
    else if (length == 0 || length >= sizeof name)
        std::fprintf(stderr, "video: no display (DISPLAY is not set)\n");
    else
        std::fprintf(stderr, "video: cannot open display \"%s\"\n", name);
}

// A hidden window is the cheapest proof that windows can be made at all.
bool DesktopAvailable()
{
    HWND probe = CreatePopup("", 1, 1);
    if (!probe) {
        ReportNoDisplay(GetLastError());
        return false;
    }
    DestroyWindow(probe);
    return true;
}

// The pixel format of the demo window: RGBA, double buffered, `bits` colour
// bits, 16 depth bits, every other field 0.
PIXELFORMATDESCRIPTOR DemoPixelFormat(int bits)
{
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(bits);
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

// The steps from the window on. The demo window (`watched`) tells the
// program its messages from its creation on; a helper window tells nothing.
PLATFORMGLSTEP OpenOnWindow(const char* title, int width, int height, int bits, bool watched)
{
    // One window at a time: a second would lose the first one's handles.
    if (!videoStarted || window) return PLATFORM_GL_WINDOW;
    if (watched) WatchNextDemoWindow();
    window = CreatePopup(title, width, height);
    if (!window) {
        ForgetDemoWindow();
        return PLATFORM_GL_WINDOW;
    }
    windowDC = GetDC(window);
    if (!windowDC) return PLATFORM_GL_SURFACE;
    PIXELFORMATDESCRIPTOR format = DemoPixelFormat(bits);
    int index = ChoosePixelFormat(windowDC, &format);
    if (index == 0) return PLATFORM_GL_DRIVER;
    if (!SetPixelFormat(windowDC, index, &format)) return PLATFORM_GL_FRAMEBUFFER;
    context = wglCreateContext(windowDC);
    if (!context) return PLATFORM_GL_CONTEXT;
    if (!wglMakeCurrent(windowDC, context)) return PLATFORM_GL_CURRENT;
    return PLATFORM_GL_OPEN;
}

// A hidden 1 x 1 window's context finds the pixel-buffer calls; the pixel
// buffer then gets a context of its own, and the window's is dropped.
bool OpenOffscreen(int width, int height)
{
    if (OpenOnWindow("", 1, 1, 32, false) != PLATFORM_GL_OPEN) return false;
    if (!CreateOffscreenSurface(windowDC, width, height, &surface)) return false;
    HGLRC bootstrap = context;
    context = wglCreateContext(surface.dc);
    if (!context || !wglMakeCurrent(surface.dc, context)) {
        std::fprintf(stderr, "off-screen surface: no current context on the pixel buffer\n");
        wglMakeCurrent(windowDC, bootstrap);
        if (context) wglDeleteContext(context);
        context = bootstrap;
        return false;
    }
    wglDeleteContext(bootstrap);
    return true;
}

HDC DrawingDC()
{
    return surface.dc ? surface.dc : windowDC;
}

}  // namespace

bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool OffscreenVideo()
{
    return videoStarted && offscreenVideo;
}

bool PlatformStartVideo()
{
    if (videoStarted) return true;
    offscreenVideo = TakeOffscreenVideoRequest();
    instance = GetModuleHandleA(nullptr);
    if (!RegisterDemoClass()) {
        std::fprintf(stderr, "video: cannot register the window class (error %lu)\n", GetLastError());
        return false;
    }
    if (!DesktopAvailable()) {
        UnregisterClassA(DEMO_WINDOW_CLASS, instance);
        return false;
    }
    videoStarted = true;
    return true;
}

bool PlatformStopVideo()
{
    if (!videoStarted) return false;
    // A class still in use stays registered, and the video system started:
    // a later stop can try again, and a later start finds it ready.
    if (!UnregisterClassA(DEMO_WINDOW_CLASS, instance)) return false;
    videoStarted = false;
    offscreenVideo = false;
    return true;
}

void PlatformShowCursor(bool visible)
{
    ShowCursor(visible ? TRUE : FALSE);
}

PLATFORMGLSTEP PlatformOpenGLWindow(const char* title, int width, int height, int bits)
{
    // A run that asked for off-screen video shows nothing, the demo window
    // included.
    if (OffscreenVideo()) return OpenOffscreen(width, height) ? PLATFORM_GL_OPEN : PLATFORM_GL_SURFACE;
    return OpenOnWindow(title, width, height, bits, true);
}

bool PlatformOpenOffscreenGLWindow(int width, int height)
{
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "off-screen surface: %d x %d pixels is no size\n", width, height);
        return false;
    }
    return OpenOffscreen(width, height);
}

void PlatformShowWindow()
{
    if (!window || surface.dc) return;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
}

void PlatformSwapBuffers()
{
    HDC dc = DrawingDC();
    if (dc) SwapBuffers(dc);
}

void* PlatformGLProcAddress(const char* name)
{
    if (!wglGetCurrentContext()) return nullptr;
    PROC address = wglGetProcAddress(name);
    // Some drivers return small numbers or -1 instead of null for a
    // function they do not have.
    intptr_t value = reinterpret_cast<intptr_t>(address);
    if (value >= -1 && value <= 3) return nullptr;
    return reinterpret_cast<void*>(address);
}

bool PlatformHasWindow()
{
    return window != nullptr;
}

bool PlatformHasGLContext()
{
    return context != nullptr;
}

bool PlatformDetachGLContext()
{
    return wglMakeCurrent(nullptr, nullptr) != FALSE;
}

bool PlatformDeleteGLContext()
{
    if (!context) return false;
    bool deleted = wglDeleteContext(context) != FALSE;
    context = nullptr;
    return deleted;
}

bool PlatformDestroyWindow()
{
    if (!window) return false;
    ReleaseOffscreenSurface(&surface);
    ForgetDemoWindow();
    // A window destroyed from outside is gone already, with its device
    // context.
    bool exists = IsWindow(window) != FALSE;
    if (exists && windowDC && !ReleaseDC(window, windowDC))
        std::fprintf(stderr, "window: the device context stays\n");
    windowDC = nullptr;
    bool destroyed = !exists || DestroyWindow(window);
    window = nullptr;
    return destroyed;
}
