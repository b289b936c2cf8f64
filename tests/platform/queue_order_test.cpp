// The message queue's order over the null display: a termination request
// first and once, then a lost window once, then posted messages in their
// order; every kind ends a wait.
#include "platform/events.h"
#include "platform/null/null_display.h"
#include "platform/termination.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <vector>

namespace {

std::vector<uint32_t> Drain()
{
    std::vector<uint32_t> taken;
    for (PLATFORMMSG m; PlatformPeekMessage(&m);) taken.push_back(m.message);
    return taken;
}

TEST(MessageQueue, PostedMessagesComeInTheirOrderWithTheirParameters)
{
    Drain();
    PlatformPostMessage(WM_KEYDOWN, 'A', 0);
    PlatformPostMessage(WM_SIZE, 0, 640 | (480 << 16));
    PlatformPostQuitMessage(27);
    PLATFORMMSG m;
    ASSERT_TRUE(PlatformPeekMessage(&m));
    EXPECT_EQ(m.message, WM_KEYDOWN);
    EXPECT_EQ(m.wParam, uintptr_t('A'));
    ASSERT_TRUE(PlatformPeekMessage(&m));
    EXPECT_EQ(LowWord(static_cast<uintptr_t>(m.lParam)), 640u);
    EXPECT_EQ(HighWord(static_cast<uintptr_t>(m.lParam)), 480u);
    ASSERT_TRUE(PlatformPeekMessage(&m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 27u);
    EXPECT_FALSE(PlatformPeekMessage(&m));
}

TEST(MessageQueue, LostWindowComesOnceAheadOfPostedMessages)
{
    Drain();
    PlatformPostMessage(WM_KEYDOWN, 'A', 0);
    NullDisplayLoseWindow();
    EXPECT_TRUE(PlatformWaitMessage(0));
    EXPECT_EQ(Drain(), (std::vector<uint32_t>{WM_DESTROY, WM_KEYDOWN}));
}

// In a child process, where the signal state stays.
TEST(MessageQueue, TerminationRequestComesFirstAndOnce)
{
    EXPECT_EXIT(
        {
            Drain();
            PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
            PlatformPostMessage(WM_KEYDOWN, 'A', 0);
            NullDisplayLoseWindow();
            raise(SIGTERM);
            bool ordered = Drain() == (std::vector<uint32_t>{WM_CLOSE, WM_DESTROY, WM_KEYDOWN});
            std::exit(ordered && PlatformTerminationRequested() == SIGTERM && Drain().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
