// The window procedure's input state and the frame loop's rules.
#include "gl_context.h"
#include "platform/events.h"
#include "platform/termination.h"
#include "shell/frame_loop.h"
#include "platform/window.h"
#include "shell/demo_window.h"

#include <GL/gl.h>
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

TEST_F(WindowProc, SizeOfHeightZeroGivesViewportHeightOne)
{
    ASSERT_TRUE(MakeTestGLContext());
    DemoWindowProc(WM_SIZE, 0, static_cast<intptr_t>(640u | (0u << 16)));
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[2], 640);
    EXPECT_EQ(v[3], 1);
    glMatrixMode(GL_PROJECTION);
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glMatrixMode(GL_MODELVIEW);
    EXPECT_NEAR(p[5] / p[0], 640.0, 1e-2);  // aspect width / 1
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

}  // namespace

namespace {

TEST(DemoWindow, RefusedDisplayModeGivesBothMessagesAndNoWindow)
{
    ASSERT_TRUE(MakeTestGLContext());
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

}  // namespace
