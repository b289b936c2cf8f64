// The Win32 display backend's translation of window messages: key codes,
// the procedure's answers, and messages sent to a real window arriving
// through the platform queue.
#include "platform/drivers.h"
#include "platform/events.h"
#include "platform/win32/key_codes.h"
#include "platform/win32/window_messages.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include "own_windows.h"

#include <vector>

namespace {

TEST(Win32KeyCodes, VirtualKeysAreTheKeyCodesAndSidesOfModifiersCountAlike)
{
    EXPECT_EQ(KeyCodeOfVirtualKey(VK_ESCAPE), PLATFORM_KEY_ESCAPE);
    EXPECT_EQ(KeyCodeOfVirtualKey(VK_RETURN), PLATFORM_KEY_RETURN);
    EXPECT_EQ(KeyCodeOfVirtualKey('A'), uint32_t('A'));
    EXPECT_EQ(KeyCodeOfVirtualKey('9'), uint32_t('9'));
    EXPECT_EQ(KeyCodeOfVirtualKey(VK_F12), PLATFORM_KEY_F1 + 11);
    EXPECT_EQ(KeyCodeOfVirtualKey(VK_LSHIFT), PLATFORM_KEY_SHIFT);
    EXPECT_EQ(KeyCodeOfVirtualKey(VK_RSHIFT), PLATFORM_KEY_SHIFT);
    EXPECT_EQ(KeyCodeOfVirtualKey(VK_LCONTROL), PLATFORM_KEY_CONTROL);
    EXPECT_EQ(KeyCodeOfVirtualKey(VK_RMENU), PLATFORM_KEY_ALT);
    EXPECT_EQ(KeyCodeOfVirtualKey(0xFF), 0xFFu);
}

TEST(Win32KeyCodes, ValuesBeyondTheKeyTableHaveNoCode)
{
    EXPECT_EQ(KeyCodeOfVirtualKey(256), 0u);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x1001B), 0u);
    EXPECT_EQ(KeyCodeOfVirtualKey(~uintptr_t(0)), 0u);
}

TEST(Win32WindowMessages, ProgramMessagesAreQueuedWithTheirParameters)
{
    PLATFORMMSG m = {};
    ASSERT_EQ(TranslateWindowMessage(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0, &m), WINDOW_MESSAGE_QUEUE);
    EXPECT_EQ(m.message, uint32_t(WM_ACTIVATE));
    EXPECT_EQ(HighWord(m.wParam), 1u);  // minimised
    ASSERT_EQ(TranslateWindowMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 0), &m), WINDOW_MESSAGE_QUEUE);
    EXPECT_EQ(LowWord(static_cast<uintptr_t>(m.lParam)), 640u);
    EXPECT_EQ(HighWord(static_cast<uintptr_t>(m.lParam)), 0u);
    ASSERT_EQ(TranslateWindowMessage(WM_KEYUP, VK_ESCAPE, 0x00010001, &m), WINDOW_MESSAGE_QUEUE);
    EXPECT_EQ(m.message, uint32_t(WM_KEYUP));
    EXPECT_EQ(m.wParam, uintptr_t(27));
    ASSERT_EQ(TranslateWindowMessage(WM_CLOSE, 0, 0, &m), WINDOW_MESSAGE_QUEUE);
    EXPECT_EQ(m.message, uint32_t(WM_CLOSE));
}

TEST(Win32WindowMessages, ScreenSaverAndPowerDownAreSwallowedOnlyWhenUnmasked)
{
    PLATFORMMSG m = {};
    EXPECT_EQ(TranslateWindowMessage(WM_SYSCOMMAND, SC_SCREENSAVE, 0, &m), WINDOW_MESSAGE_SWALLOW);
    EXPECT_EQ(TranslateWindowMessage(WM_SYSCOMMAND, SC_MONITORPOWER, 2, &m), WINDOW_MESSAGE_SWALLOW);
    // The low four bits are not masked off: these are other commands.
    EXPECT_EQ(TranslateWindowMessage(WM_SYSCOMMAND, SC_SCREENSAVE | 1, 0, &m), WINDOW_MESSAGE_DEFAULT);
    EXPECT_EQ(TranslateWindowMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0, &m), WINDOW_MESSAGE_DEFAULT);
    EXPECT_EQ(TranslateWindowMessage(WM_KEYDOWN, 300, 0, &m), WINDOW_MESSAGE_SWALLOW);
    EXPECT_EQ(TranslateWindowMessage(WM_PAINT, 0, 0, &m), WINDOW_MESSAGE_DEFAULT);
    EXPECT_EQ(TranslateWindowMessage(WM_SYSKEYDOWN, VK_MENU, 0, &m), WINDOW_MESSAGE_DEFAULT);
}

// Every message waiting in the queue, taken.
std::vector<PLATFORMMSG> TakeAll()
{
    std::vector<PLATFORMMSG> taken;
    PLATFORMMSG m;
    while (PlatformPeekMessage(&m)) taken.push_back(m);
    return taken;
}

void CloseEverything()
{
    if (PlatformHasGLContext()) {
        PlatformDetachGLContext();
        PlatformDeleteGLContext();
    }
    if (PlatformHasWindow()) PlatformDestroyWindow();
    PlatformStopVideo();
    TakeAll();
}

TEST(Win32WindowCreation, OnlyTheDemoWindowsOwnSizesReachTheProgram)
{
    TakeAll();
    ASSERT_TRUE(PlatformStartVideo());  // makes and drops a hidden probe window
    ASSERT_EQ(PlatformOpenGLWindow("sizes", 72, 40, 32), PLATFORM_GL_OPEN);
    PlatformShowWindow();
    int sizes = 0;
    for (const PLATFORMMSG& m : TakeAll()) {
        if (m.message != WM_SIZE) continue;
        ++sizes;
        EXPECT_EQ(m.lParam, MAKELPARAM(72, 40));
    }
    EXPECT_GE(sizes, 1);  // told from the window's creation on
    CloseEverything();
}

TEST(Win32WindowCreation, OffscreenHelperWindowTellsNothing)
{
    TakeAll();
    PlatformUseOffscreenVideo();
    ASSERT_TRUE(PlatformStartVideo());
    ASSERT_TRUE(PlatformOpenOffscreenGLWindow(10, 10));
    EXPECT_TRUE(TakeAll().empty());
    ASSERT_TRUE(PlatformDetachGLContext());
    ASSERT_TRUE(PlatformDeleteGLContext());
    ASSERT_TRUE(PlatformDestroyWindow());
    EXPECT_TRUE(TakeAll().empty());  // nor is its end a lost window
    CloseEverything();
}

// A real popup window of the backend's class, opened with its context.
class Win32DemoWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PlatformStartVideo());
        ASSERT_EQ(PlatformOpenGLWindow("messages", 64, 48, 32), PLATFORM_GL_OPEN);
        window = OwnWindow("OpenGL", "messages");
        ASSERT_NE(window, nullptr);
        Drain();
    }
    void TearDown() override
    {
        if (PlatformHasGLContext()) {
            PlatformDetachGLContext();
            PlatformDeleteGLContext();
        }
        if (PlatformHasWindow()) PlatformDestroyWindow();
        PlatformStopVideo();
        Drain();
    }
    static void Drain()
    {
        PLATFORMMSG m;
        while (PlatformPeekMessage(&m)) {
        }
    }
    // The next message of the given kind, within a few seconds.
    static bool Next(uint32_t kind, PLATFORMMSG* m)
    {
        for (int i = 0; i < 100; ++i) {
            while (PlatformPeekMessage(m))
                if (m->message == kind) return true;
            PlatformWaitMessage(50);
        }
        return false;
    }
    HWND window = nullptr;
};

TEST_F(Win32DemoWindow, PostedKeysArriveInOrderAsPlatformKeys)
{
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(window, WM_KEYDOWN, 0x12345, 0);  // no key-table entry: dropped
    PostMessageA(window, WM_KEYUP, VK_RSHIFT, 0);
    PLATFORMMSG m;
    ASSERT_TRUE(Next(WM_KEYDOWN, &m));
    EXPECT_EQ(m.wParam, uintptr_t(PLATFORM_KEY_ESCAPE));
    ASSERT_TRUE(Next(WM_KEYUP, &m));
    EXPECT_EQ(m.wParam, uintptr_t(PLATFORM_KEY_SHIFT));
}

TEST_F(Win32DemoWindow, SentMessagesAreAnsweredAndQueued)
{
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(320, 200)), 0);
    PLATFORMMSG m;
    ASSERT_TRUE(Next(WM_SIZE, &m));
    EXPECT_EQ(m.lParam, MAKELPARAM(320, 200));
}

TEST_F(Win32DemoWindow, CloseRequestKeepsTheWindow)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    PLATFORMMSG m;
    ASSERT_TRUE(Next(WM_CLOSE, &m));
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Win32DemoWindow, DestroyedFromOutsideComesOnceAsLostWindow)
{
    ASSERT_TRUE(PlatformDetachGLContext());
    ASSERT_TRUE(PlatformDeleteGLContext());
    DestroyWindow(window);
    EXPECT_TRUE(PlatformWaitMessage(0));
    PLATFORMMSG m;
    ASSERT_TRUE(PlatformPeekMessage(&m));
    EXPECT_EQ(m.message, uint32_t(WM_DESTROY));
    while (PlatformPeekMessage(&m)) EXPECT_NE(m.message, uint32_t(WM_DESTROY));
    // The backend's own release of a window that is gone succeeds.
    EXPECT_TRUE(PlatformDestroyWindow());
}

TEST_F(Win32DemoWindow, OwnDestructionIsNoLoss)
{
    ASSERT_TRUE(PlatformDetachGLContext());
    ASSERT_TRUE(PlatformDeleteGLContext());
    ASSERT_TRUE(PlatformDestroyWindow());
    EXPECT_FALSE(IsWindow(window));
    PLATFORMMSG m;
    while (PlatformPeekMessage(&m)) EXPECT_NE(m.message, uint32_t(WM_DESTROY));
}

}  // namespace
