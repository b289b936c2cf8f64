// The window procedure's input state, the frame loop's rules and the
// failures of opening the demo window, on the null display (the size
// message, which needs GL, is in views_test.cpp).
#include "platform/events.h"
#include "platform/null/null_display.h"
#include "platform/termination.h"
#include "shell/demo_window.h"
#include "shell/frame_loop.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

namespace {

int framesDrawn = 0;
void CountFrame()
{
    ++framesDrawn;
}

uintptr_t Activate(bool minimised, uint32_t state)
{
    return (static_cast<uintptr_t>(minimised) << 16) | state;
}

void DrainQueue()
{
    PLATFORMMSG m;
    while (PlatformPeekMessage(&m)) {
    }
}

class WindowProc : public ::testing::Test {
protected:
    void SetUp() override
    {
        DrainQueue();
        for (uint32_t& k : keys) k = 0;
        active = true;
        framesDrawn = 0;
    }
};

TEST_F(WindowProc, ActivateFollowsOnlyTheMinimisedFlag)
{
    DemoWindowProc(WM_ACTIVATE, Activate(true, WA_INACTIVE), 0);
    EXPECT_FALSE(active);
    DemoWindowProc(WM_ACTIVATE, Activate(false, WA_ACTIVE), 0);
    EXPECT_TRUE(active);
    DemoWindowProc(WM_ACTIVATE, Activate(false, WA_INACTIVE), 0);  // focus lost, not minimised
    EXPECT_TRUE(active);
}

TEST_F(WindowProc, KeysAreSetAndClearedAndOutOfRangeCodesIgnored)
{
    DemoWindowProc(WM_KEYDOWN, PLATFORM_KEY_ESCAPE, 0);
    EXPECT_EQ(keys[27], 1u);
    DemoWindowProc(WM_KEYUP, PLATFORM_KEY_ESCAPE, 0);
    EXPECT_EQ(keys[27], 0u);
    DemoWindowProc(WM_KEYDOWN, 256, 0);
    DemoWindowProc(WM_KEYDOWN, ~uintptr_t(0), 0);
    for (uint32_t k : keys) EXPECT_EQ(k, 0u);
}

TEST_F(WindowProc, CloseRequestPostsQuitWithCodeZero)
{
    EXPECT_EQ(DemoWindowProc(WM_CLOSE, 0, 0), 0);
    PLATFORMMSG m;
    ASSERT_TRUE(PlatformPeekMessage(&m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 0u);
}

TEST_F(WindowProc, EscapeEndsTheLoopWithTheLastMessagesParameter)
{
    PlatformPostMessage(WM_KEYDOWN, PLATFORM_KEY_ESCAPE, 0);
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    EXPECT_EQ(framesDrawn, 0);
    EXPECT_EQ(last.message, WM_KEYDOWN);
    EXPECT_EQ(last.wParam, 27u);
}

TEST_F(WindowProc, FramesAreDrawnOnlyWhenTheQueueIsEmpty)
{
    PlatformPostMessage(WM_KEYDOWN, 'A', 0);
    PlatformPostMessage(WM_KEYUP, 'A', 0);
    PlatformPostMessage(WM_CLOSE, 0, 0);
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    // The close request posts WM_QUIT behind it; the queue was never empty.
    EXPECT_EQ(framesDrawn, 0);
    EXPECT_EQ(last.message, WM_QUIT);
    EXPECT_EQ(last.wParam, 0u);
}

TEST_F(WindowProc, MinimisedWindowDrawsNothingAndIgnoresEscapeUntilASignalCloses)
{
    PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
    PlatformPostMessage(WM_ACTIVATE, Activate(true, WA_INACTIVE), 0);
    PlatformPostMessage(WM_KEYDOWN, PLATFORM_KEY_ESCAPE, 0);
    std::thread closer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        raise(SIGTERM);
    });
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    closer.join();
    EXPECT_EQ(framesDrawn, 0);
    EXPECT_NE(PlatformTerminationRequested(), 0);
    EXPECT_EQ(last.message, WM_QUIT);
    EXPECT_EQ(last.wParam, 0u);
}

TEST(DemoWindow, RefusedDisplayModeGivesBothMessagesAndNoWindow)
{
    NullDisplayReset();
    testing::internal::CaptureStderr();
    PLATFORMMSG last = {};
    int opened = OpenDemoWindow("plumora / kelvoth / dravine", 123, 45, 32, &last);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(opened, DEMO_WINDOW_FAILED);
    size_t first = said.find("ERROR: Unable To Run In Fullscreen!");
    size_t second = said.find("ERROR: Program Will Now Quit");
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_NE(second, std::string::npos) << said;
    EXPECT_LT(first, second);
    EXPECT_FALSE(PlatformHasWindow());
}

// Each step of opening the window that fails shows its own message (after
// releasing what the earlier steps made), and nothing stays open.
TEST(DemoWindow, EachFailedStepShowsItsOwnMessageAndReleasesTheRest)
{
    const struct {
        PLATFORMGLSTEP step;
        const char* message;
    } cases[] = {
        {PLATFORM_GL_FRAMEBUFFER, "Can`t Set The PixelFormat"},
        {PLATFORM_GL_WINDOW, "Window Creation Error."},
        {PLATFORM_GL_SURFACE, "Can`t Create A GL Device Context"},
        {PLATFORM_GL_DRIVER, "Can`t Find A Suitable PixelFormat"},
        {PLATFORM_GL_CONTEXT, "Can`t Create A GL Rendering Context"},
        {PLATFORM_GL_CURRENT, "Can`t Activate The GL Rendering Context"},
    };
    const PLATFORMMODE& mode = NULL_DISPLAY_MODE;
    for (const auto& c : cases) {
        NullDisplayReset();
        NullDisplayFailAt(c.step);
        testing::internal::CaptureStderr();
        PLATFORMMSG last = {};
        int opened = OpenDemoWindow("plumora", mode.width, mode.height, mode.bits, &last);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("ERROR: ") + c.message + "\n");
        EXPECT_EQ(opened, DEMO_WINDOW_FAILED) << c.message;
        EXPECT_FALSE(PlatformHasWindow() || PlatformHasGLContext()) << c.message;
        const NULLDISPLAYRECORD& record = NullDisplayRecord();
        EXPECT_FALSE(record.videoStarted || record.fullscreen || !record.cursorVisible) << c.message;
    }
}

}  // namespace
