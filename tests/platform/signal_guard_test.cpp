// CQUITSIGNALGUARD: a quit signal ends the child processes a blocking call
// started, and only those.
#include "platform/termination.h"
#include "platform/posix/signal_guard.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <thread>

namespace {

// A child that waits until it is killed.
pid_t StartWaitingChild()
{
    pid_t pid = fork();
    if (pid == 0) {
        for (;;) pause();
    }
    return pid;
}

// Waits for the child as SDL waits for its box: retrying on EINTR.
int WaitRetrying(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
    }
    return status;
}

TEST(QuitSignalGuard, ListsTheProcessesChildren)
{
    pid_t child = StartWaitingChild();
    ASSERT_GT(child, 0);
    EXPECT_EQ(ChildProcesses().count(child), 1u);
    kill(child, SIGKILL);
    WaitRetrying(child);
    EXPECT_EQ(ChildProcesses().count(child), 0u);
}

TEST(QuitSignalGuard, WithoutASignalItLeavesChildrenAlone)
{
    pid_t child = 0;
    {
        CQUITSIGNALGUARD guard;
        child = StartWaitingChild();
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
        EXPECT_FALSE(guard.Fired());
    }
    EXPECT_EQ(kill(child, 0), 0);
    kill(child, SIGKILL);
    WaitRetrying(child);
}

TEST(QuitSignalGuard, SignalEndsTheChildStartedUnderTheGuardOnly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
            pid_t earlier = StartWaitingChild();
            int status = 0;
            bool fired = false;
            {
                CQUITSIGNALGUARD guard;
                pid_t box = StartWaitingChild();
                std::thread sender([] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    raise(SIGTERM);
                });
                status = WaitRetrying(box);
                sender.join();
                fired = guard.Fired();
            }
            bool boxKilled = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
            bool earlierAlive = kill(earlier, 0) == 0;
            kill(earlier, SIGKILL);
            WaitRetrying(earlier);
            std::exit(boxKilled && earlierAlive && fired ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
