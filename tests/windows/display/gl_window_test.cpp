// The Win32 display backend's windows and surfaces under a real GL driver:
// the demo window opened and closed step by step, the off-screen surface's
// exact size and pixels, and the addresses of GL functions.
#include "platform/drivers.h"
#include "platform/window.h"

#include <windows.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "own_windows.h"

#include <cstring>
#include <string>

namespace {

void CloseAll()
{
    if (PlatformHasGLContext()) {
        PlatformDetachGLContext();
        PlatformDeleteGLContext();
    }
    if (PlatformHasWindow()) PlatformDestroyWindow();
    PlatformStopVideo();
}

TEST(Win32GLWindow, NothingOpensBeforeTheVideoStarts)
{
    PlatformStopVideo();  // whatever an earlier test of the process left
    EXPECT_EQ(PlatformOpenGLWindow("early", 32, 32, 32), PLATFORM_GL_WINDOW);
    EXPECT_FALSE(PlatformHasWindow());
    EXPECT_FALSE(PlatformStopVideo());
    EXPECT_EQ(PlatformGLProcAddress("glGenBuffers"), nullptr);  // no context
}

TEST(Win32GLWindow, DemoWindowOpensHiddenWithACurrentContextAndClosesStepByStep)
{
    ASSERT_TRUE(PlatformStartVideo());
    EXPECT_TRUE(PlatformStartVideo());  // started once for the whole run
    ASSERT_EQ(PlatformOpenGLWindow("plumora test", 200, 100, 32), PLATFORM_GL_OPEN);
    HWND window = OwnWindow("OpenGL", "plumora test");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(DWORD(GetWindowLongA(window, GWL_STYLE)) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME),
              DWORD(WS_POPUP));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    ASSERT_NE(renderer, nullptr);
    RecordProperty("renderer", renderer);
    EXPECT_NE(std::strstr(renderer, "llvmpipe"), nullptr) << renderer;
    GLint depth = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    EXPECT_GE(depth, 16);
    PlatformShowWindow();
    EXPECT_TRUE(IsWindowVisible(window));
    PlatformSwapBuffers();
    EXPECT_TRUE(PlatformDetachGLContext());
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_TRUE(PlatformDeleteGLContext());
    EXPECT_FALSE(PlatformDeleteGLContext());
    EXPECT_TRUE(PlatformDestroyWindow());
    EXPECT_FALSE(PlatformDestroyWindow());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(PlatformStopVideo());
    // The class is gone with the video system, and comes back with it.
    WNDCLASSA found;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "OpenGL", &found));
    ASSERT_TRUE(PlatformStartVideo());
    EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "OpenGL", &found));
    EXPECT_EQ(found.style, UINT(CS_HREDRAW | CS_VREDRAW | CS_OWNDC));
    EXPECT_TRUE(PlatformStopVideo());
}

TEST(Win32GLWindow, ClassStaysWhileItsWindowExists)
{
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_EQ(PlatformOpenGLWindow("kept", 16, 16, 32), PLATFORM_GL_OPEN);
    // One window at a time.
    EXPECT_EQ(PlatformOpenGLWindow("second", 16, 16, 32), PLATFORM_GL_WINDOW);
    EXPECT_FALSE(PlatformOpenOffscreenGLWindow(16, 16));
    EXPECT_EQ(OwnWindow("OpenGL", "second"), nullptr);
    // Unregistering a class in use fails, as the shutdown order expects.
    EXPECT_FALSE(PlatformStopVideo());
    CloseAll();
    ASSERT_TRUE(PlatformStartVideo());
    EXPECT_TRUE(PlatformStopVideo());
}

TEST(Win32GLWindow, ExtensionFunctionsComeFromTheDriverAndCoreOnesFromTheLibrary)
{
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_EQ(PlatformOpenGLWindow("procs", 16, 16, 32), PLATFORM_GL_OPEN);
    EXPECT_NE(PlatformGLProcAddress("glGenBuffers"), nullptr);
    EXPECT_NE(PlatformGLProcAddress("glBindFramebuffer"), nullptr);
    EXPECT_EQ(PlatformGLProcAddress("glClear"), nullptr);
    EXPECT_EQ(PlatformGLProcAddress("glNoSuchFunctionAnywhere"), nullptr);
    CloseAll();
}

// The colour read back at (x, y) of the current read buffer.
void ReadPixel(int x, int y, unsigned char rgb[3])
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

TEST(Win32Offscreen, SurfaceHasTheExactSizeAndReadsBackTheClearedColour)
{
    PlatformUseOffscreenVideo();
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_TRUE(PlatformOpenOffscreenGLWindow(333, 77));
    EXPECT_TRUE(PlatformHasWindow() && PlatformHasGLContext());
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 333);
    EXPECT_EQ(viewport[3], 77);
    GLint doubleBuffered = 0, depth = 0;
    glGetIntegerv(GL_DOUBLEBUFFER, &doubleBuffered);
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    EXPECT_TRUE(doubleBuffered);
    EXPECT_GE(depth, 16);
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // A scissored clear marks one corner, so that the read-back is known to
    // see this surface's own pixels in their place.
    glEnable(GL_SCISSOR_TEST);
    glScissor(332, 76, 1, 1);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glFinish();
    glReadBuffer(GL_BACK);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    unsigned char pixel[3];
    ReadPixel(0, 0, pixel);
    EXPECT_EQ(pixel[0], 64);
    EXPECT_EQ(pixel[1], 128);
    EXPECT_NEAR(pixel[2], 191, 1);
    ReadPixel(332, 76, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
    ReadPixel(331, 76, pixel);
    EXPECT_EQ(pixel[0], 64);
    // Nothing of it is on the desktop.
    EXPECT_EQ(OwnWindow("OpenGL") ? IsWindowVisible(OwnWindow("OpenGL")) : FALSE, FALSE);
    CloseAll();
}

// Captured pictures show what the demo window shows: the depth buffer, whose
// precision decides which of two nearly coincident lines passes the depth
// test, is as deep as the window's, not the deepest the driver has.
TEST(Win32Offscreen, DepthBufferIsAsDeepAsTheDemoWindows)
{
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_EQ(PlatformOpenGLWindow("depth", 64, 48, 32), PLATFORM_GL_OPEN);
    GLint windowDepth = 0;
    glGetIntegerv(GL_DEPTH_BITS, &windowDepth);
    CloseAll();
    PlatformUseOffscreenVideo();
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_TRUE(PlatformOpenOffscreenGLWindow(64, 48));
    GLint surfaceDepth = 0;
    glGetIntegerv(GL_DEPTH_BITS, &surfaceDepth);
    EXPECT_GE(surfaceDepth, 16);
    EXPECT_EQ(surfaceDepth, windowDepth);
    CloseAll();
}

TEST(Win32Offscreen, NoSizeIsRefusedAndLeavesNothingOpen)
{
    PlatformUseOffscreenVideo();
    ASSERT_TRUE(PlatformStartVideo());
    EXPECT_FALSE(PlatformOpenOffscreenGLWindow(0, 10));
    EXPECT_FALSE(PlatformOpenOffscreenGLWindow(10, -1));
    EXPECT_FALSE(PlatformHasWindow() || PlatformHasGLContext());
    CloseAll();
}

TEST(Win32Offscreen, DemoWindowOfAnOffscreenRunIsTheInvisibleSurface)
{
    PlatformUseOffscreenVideo();
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_EQ(PlatformOpenGLWindow("invisible demo", 120, 90, 32), PLATFORM_GL_OPEN);
    PlatformShowWindow();
    HWND window = OwnWindow("OpenGL");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 120);
    EXPECT_EQ(viewport[3], 90);
    CloseAll();
}

}  // namespace

namespace {

TEST(Win32Offscreen, RequestHoldsForOneVideoStartOnly)
{
    PlatformUseOffscreenVideo();
    ASSERT_TRUE(PlatformStartVideo());
    EXPECT_TRUE(PlatformStopVideo());
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_EQ(PlatformOpenGLWindow("on the desktop again", 40, 30, 32), PLATFORM_GL_OPEN);
    HWND window = OwnWindow("OpenGL", "on the desktop again");
    ASSERT_NE(window, nullptr);
    PlatformShowWindow();
    EXPECT_TRUE(IsWindowVisible(window));
    CloseAll();
}

}  // namespace
