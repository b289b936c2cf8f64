// The frame loop's and the loading pauses' handling of Escape, close
// requests, quit signals, lost windows and a minimised window, driven
// through posted messages and a counting draw function on the null display
// (no pixels: the loading screen's own pauses are in loading_screen_test.cpp).
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/null/null_display.h"
#include "shell/demo_main.h"
#include "shell/demo_window.h"
#include "shell/frame_loop.h"

#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int framesDrawn = 0;

// Counts frames; after 100 it asks to close, so that a loop that fails to
// end shows up as a wrong count rather than as a hang.
void CountFrame()
{
    if (++framesDrawn == 100) PlatformPostMessage(WM_CLOSE, 0, 0);
}

uintptr_t Activate(bool minimised)
{
    return (static_cast<uintptr_t>(minimised) << 16) | (minimised ? WA_INACTIVE : WA_ACTIVE);
}

void PostTap()
{
    PlatformPostMessage(WM_KEYDOWN, PLATFORM_KEY_ESCAPE, 0);
    PlatformPostMessage(WM_KEYUP, PLATFORM_KEY_ESCAPE, 0);
}

// Posts a message from another thread after `ms`, as the system would while
// the loop waits.
std::thread PostLater(int ms, uint32_t message, uintptr_t wParam)
{
    return std::thread([=] {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        PlatformPostMessage(message, wParam, 0);
    });
}

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double ThreadCpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        PLATFORMMSG m;
        while (PlatformPeekMessage(&m)) {
        }
        for (uint32_t& k : keys) k = 0;
        active = true;
        framesDrawn = 0;
        NullDisplayReset();
        PlatformStartVideo();
        PlatformOpenGLWindow("test", 256, 192, 32);
    }
};

// A tap: key-down and key-up both taken before the loop would draw.
TEST_F(FrameLoop, TapEndsTheLoopBeforeAnyFrameWithTheKeysCode)
{
    PostTap();
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    EXPECT_EQ(framesDrawn, 0);
    EXPECT_EQ(keys[PLATFORM_KEY_ESCAPE], 0u);
    EXPECT_EQ(last.message, WM_KEYUP);
    EXPECT_EQ(last.wParam, 27u);
}

// A tap that falls between two frames ends the loop before the next one;
// the close request behind frame 5 only keeps a broken loop from running on.
void TapDuringSecondFrame()
{
    ++framesDrawn;
    if (framesDrawn == 2) PostTap();
    if (framesDrawn == 5) PlatformPostMessage(WM_CLOSE, 0, 0);
}

TEST_F(FrameLoop, TapBetweenFramesEndsTheLoopBeforeTheNextFrame)
{
    PLATFORMMSG last = {};
    RunFrameLoop(TapDuringSecondFrame, &last);
    EXPECT_EQ(framesDrawn, 2);
    EXPECT_EQ(NullDisplayRecord().swaps, 2);  // each frame drawn is presented once
    EXPECT_EQ(last.message, WM_KEYUP);
    EXPECT_EQ(last.wParam, 27u);
}

TEST_F(FrameLoop, TapWhileMinimisedIsActedOnOnlyAfterRestore)
{
    PlatformPostMessage(WM_ACTIVATE, Activate(true), 0);
    PostTap();
    std::thread restorer = PostLater(150, WM_ACTIVATE, Activate(false));
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    restorer.join();
    // Ended at the first pass that would draw after the restore, not before
    // it: the last message is the restore, not the tap.
    EXPECT_EQ(framesDrawn, 0);
    EXPECT_EQ(last.message, WM_ACTIVATE);
    EXPECT_TRUE(active);
}

TEST_F(FrameLoop, TapWhileMinimisedDoesNotEndTheLoop)
{
    PlatformPostMessage(WM_ACTIVATE, Activate(true), 0);
    PostTap();
    std::thread closer = PostLater(150, WM_CLOSE, 0);
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    closer.join();
    EXPECT_EQ(framesDrawn, 0);
    EXPECT_EQ(last.message, WM_QUIT);
    EXPECT_EQ(last.wParam, 0u);
}

TEST_F(FrameLoop, NothingRemembersATapIntoTheNextRun)
{
    PlatformPostMessage(WM_ACTIVATE, Activate(true), 0);
    PostTap();
    PlatformPostMessage(WM_CLOSE, 0, 0);
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    ASSERT_EQ(last.message, WM_QUIT);

    active = true;
    PlatformPostMessage(WM_KEYDOWN, 'A', 0);
    RunFrameLoop(TapDuringSecondFrame, &last);
    EXPECT_EQ(framesDrawn, 2);
}

// Minimised, the loop sleeps in the message wait: over 0.4 s of waiting it
// uses a small part of that in processor time (spinning would use nearly
// all of it on an idle machine).
TEST_F(FrameLoop, MinimisedLoopWaitsInsteadOfSpinning)
{
    PlatformPostMessage(WM_ACTIVATE, Activate(true), 0);
    std::thread closer = PostLater(400, WM_CLOSE, 0);
    double cpuBefore = ThreadCpuSeconds();
    Clock::time_point start = Clock::now();
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    double wall = SecondsSince(start);
    double cpu = ThreadCpuSeconds() - cpuBefore;
    closer.join();
    EXPECT_EQ(framesDrawn, 0);
    EXPECT_EQ(last.message, WM_QUIT);
    EXPECT_GE(wall, 0.35);
    EXPECT_LT(cpu, 0.1) << "the minimised loop used " << cpu << " s of processor time in " << wall << " s";
}

TEST_F(FrameLoop, LostWindowEndsTheRunWithItsStatus)
{
    NullDisplayLoseWindow();
    PLATFORMMSG last = {};
    RunFrameLoop(CountFrame, &last);
    EXPECT_EQ(last.message, WM_QUIT);
    EXPECT_EQ(last.wParam, static_cast<uintptr_t>(EXIT_WINDOW_LOST));
    EXPECT_NE(EXIT_WINDOW_LOST, 0);
}

using LoadingPause = FrameLoop;

TEST_F(LoadingPause, RunsItsTimeAndKeepsTheQueueMoving)
{
    PlatformPostMessage(WM_KEYDOWN, 'A', 0);
    PLATFORMMSG last = {};
    Clock::time_point start = Clock::now();
    EXPECT_TRUE(PumpMessagesFor(60, &last));
    EXPECT_GE(SecondsSince(start), 0.055);
    EXPECT_EQ(keys['A'], 1u);
    EXPECT_EQ(last.message, WM_KEYDOWN);
}

// Each way of ending ends a long pause at once, with the exit status in
// the last message: 27 for Escape, 0 for a close request, the lost-window
// status for a window destroyed from outside.
TEST_F(LoadingPause, EscapeCloseAndLostWindowEndTheWaitEarly)
{
    struct Case {
        uint32_t message;
        uintptr_t wParam;
        uint32_t lastMessage;
        uintptr_t status;
    } cases[] = {
        {WM_KEYDOWN, PLATFORM_KEY_ESCAPE, WM_KEYDOWN, 27},
        {WM_CLOSE, 0, WM_QUIT, 0},
        {WM_DESTROY, 0, WM_QUIT, static_cast<uintptr_t>(EXIT_WINDOW_LOST)},
    };
    for (const Case& c : cases) {
        SetUp();
        std::thread poster = PostLater(100, c.message, c.wParam);
        PLATFORMMSG last = {};
        Clock::time_point start = Clock::now();
        bool complete = PumpMessagesFor(30000, &last);
        double waited = SecondsSince(start);
        poster.join();
        EXPECT_FALSE(complete) << c.message;
        EXPECT_LT(waited, 15.0) << c.message;
        EXPECT_EQ(last.message, c.lastMessage);
        EXPECT_EQ(last.wParam, c.status);
    }
}

// Work in a pause, on a counter that moves 1 ms per reading and 10 ms per
// step, so that the steps' timing is exact however busy the machine is.
int64_t fakeMicroseconds = 0;
int stepsRun = 0;
int stepsWanted = 0;         // the step that returns false (0: never)
uint32_t messageInStep = 0;  // posted by the second step (0: none)

int64_t FakeCounter()
{
    return fakeMicroseconds += 1000;
}

bool TenMillisecondStep()
{
    fakeMicroseconds += 10000;
    ++stepsRun;
    if (stepsRun == 2 && messageInStep != 0)
        PlatformPostMessage(messageInStep,
                            messageInStep == WM_KEYDOWN ? uintptr_t{PLATFORM_KEY_ESCAPE} : uintptr_t{0}, 0);
    return stepsRun != stepsWanted;
}

class WorkingPause : public FrameLoop {
protected:
    void SetUp() override
    {
        FrameLoop::SetUp();
        fakeMicroseconds = 0;
        stepsRun = 0;
        stepsWanted = 0;
        messageInStep = 0;
        PlatformSetCounter(FakeCounter);
    }
    void TearDown() override { PlatformSetCounter(nullptr); }
};

// A 30 ms pause (each counter reading takes 1 ms) starts steps at 3, 15
// and 27 ms and no more; the third runs past the pause, which ends with it.
TEST_F(WorkingPause, StepsStartOnlyWhileThePauseHasTimeLeft)
{
    bool (*work)() = TenMillisecondStep;
    PLATFORMMSG last = {};
    EXPECT_TRUE(PumpMessagesWorking(30, &work, &last));
    EXPECT_EQ(stepsRun, 3);
    EXPECT_NE(work, nullptr);
}

// Work that runs out is dropped, and the pause still lasts its time; a
// later pause runs none.
TEST_F(WorkingPause, FinishedWorkIsDroppedAndThePauseKeepsItsLength)
{
    stepsWanted = 2;
    bool (*work)() = TenMillisecondStep;
    PLATFORMMSG last = {};
    EXPECT_TRUE(PumpMessagesWorking(40, &work, &last));
    EXPECT_EQ(stepsRun, 2);
    EXPECT_EQ(work, nullptr);
    EXPECT_GE(fakeMicroseconds, 41000);
    EXPECT_TRUE(PumpMessagesWorking(5, &work, &last));
    EXPECT_EQ(stepsRun, 2);
}

// Messages are taken between steps: Escape or a close request posted by a
// step ends the pause before the next step, with the usual status.
TEST_F(WorkingPause, EscapeOrCloseBetweenStepsEndsThePause)
{
    for (uint32_t message : {static_cast<uint32_t>(WM_KEYDOWN), static_cast<uint32_t>(WM_CLOSE)}) {
        SetUp();
        messageInStep = message;
        bool (*work)() = TenMillisecondStep;
        PLATFORMMSG last = {};
        EXPECT_FALSE(PumpMessagesWorking(1000, &work, &last)) << message;
        EXPECT_EQ(stepsRun, 2) << message;
        EXPECT_EQ(last.wParam, message == WM_KEYDOWN ? 27u : 0u) << message;
        TearDown();
    }
}

// No work, or a zero pause: nothing runs and the pause behaves as before.
TEST_F(WorkingPause, NoWorkOrNoTimeRunsNoStep)
{
    bool (*none)() = nullptr;
    PLATFORMMSG last = {};
    EXPECT_TRUE(PumpMessagesWorking(5, &none, &last));
    bool (*work)() = TenMillisecondStep;
    EXPECT_TRUE(PumpMessagesWorking(0, &work, &last));
    EXPECT_EQ(stepsRun, 0);
}

TEST_F(LoadingPause, TapWhileMinimisedWaitsForTheFrameLoop)
{
    PlatformPostMessage(WM_ACTIVATE, Activate(true), 0);
    PostTap();
    PLATFORMMSG last = {};
    EXPECT_TRUE(PumpMessagesFor(20, &last));
    PlatformPostMessage(WM_ACTIVATE, Activate(false), 0);
    RunFrameLoop(CountFrame, &last);
    EXPECT_EQ(framesDrawn, 0);
    EXPECT_EQ(last.message, WM_ACTIVATE);
}

}  // namespace
