// PlatformWaitMessage: returns as soon as a message is ready, and only then.
#include "platform/events.h"
#include "platform/termination.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Drain()
{
    PLATFORMMSG m;
    while (PlatformPeekMessage(&m)) {
    }
}

TEST(MessageWait, ReturnsAtOnceWhenAMessageIsQueued)
{
    Drain();
    PlatformPostMessage(WM_KEYDOWN, 'A', 0);
    Clock::time_point start = Clock::now();
    EXPECT_TRUE(PlatformWaitMessage(30000));
    EXPECT_LT(SecondsSince(start), 15.0);
    PLATFORMMSG m;
    ASSERT_TRUE(PlatformPeekMessage(&m));
    EXPECT_EQ(m.wParam, static_cast<uintptr_t>('A'));
}

TEST(MessageWait, WaitsItsTimeWhenNothingComes)
{
    Drain();
    Clock::time_point start = Clock::now();
    EXPECT_FALSE(PlatformWaitMessage(120));
    EXPECT_GE(SecondsSince(start), 0.115);
    EXPECT_FALSE(PlatformWaitMessage(0));
}

TEST(MessageWait, SeesAMessagePostedByAnotherThread)
{
    Drain();
    std::thread poster([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        PlatformPostMessage(WM_CLOSE, 0, 0);
    });
    Clock::time_point start = Clock::now();
    bool ready = PlatformWaitMessage(30000);
    double waited = SecondsSince(start);
    poster.join();
    EXPECT_TRUE(ready);
    EXPECT_LT(waited, 15.0);
    PLATFORMMSG m;
    ASSERT_TRUE(PlatformPeekMessage(&m));
    EXPECT_EQ(m.message, WM_CLOSE);
}

// Each quit signal, raised on another thread (which does not interrupt the
// waiting one), ends a long wait and then comes as one WM_CLOSE. Each runs
// in a child process, where the signal state stays.
TEST(MessageWait, QuitSignalsEndTheWaitAsOneCloseRequest)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
                std::thread sender([sig] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    raise(sig);
                });
                Clock::time_point start = Clock::now();
                bool ready = PlatformWaitMessage(30000);
                double waited = SecondsSince(start);
                sender.join();
                PLATFORMMSG m = {};
                bool close = PlatformPeekMessage(&m) && m.message == WM_CLOSE;
                bool once = !PlatformPeekMessage(&m);
                std::exit(ready && waited < 15.0 && close && once && PlatformTerminationRequested() != 0 ? 0
                                                                                                         : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << "signal " << sig;
    }
}

}  // namespace
