// Work run in a copy of the process: what comes back, and what does not.
#include "platform/child_process.h"
#include "platform/termination.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <unistd.h>
#include <string>

namespace {

int counter = 0;

// Bumps the global, writes it and `size` bytes of a pattern, ends with 7.
int CountAndWrite(void* context, PLATFORMFILE output)
{
    size_t size = *static_cast<size_t*>(context);
    ++counter;
    std::string text = std::to_string(counter) + ":";
    for (size_t i = 0; i < size; ++i) text += static_cast<char>('a' + i % 26);
    return PlatformWrite(output, text.data(), text.size()) ? 7 : 1;
}

int DieBySignal(void*, PLATFORMFILE output)
{
    PlatformWrite(output, "partial", 7);
    std::raise(SIGKILL);
    return 0;
}

// Asks the caller to terminate, then waits (at most 60 s) for the request
// to be passed on: ends with 9 when it arrived.
int StopTheCaller(void*, PLATFORMFILE)
{
    PlatformCatchTermination(PLATFORM_CATCH_RESUME_CALLS);
    kill(getppid(), SIGTERM);
    for (int i = 0; i < 60000 && PlatformTerminationRequested() == 0; ++i) usleep(1000);
    return PlatformTerminationRequested() == SIGTERM ? 9 : 1;
}

TEST(RunInCopy, ReturnsTheOutputAndStatusButNotTheCopysState)
{
    // Far more than a pipe holds: the caller must read while the copy writes.
    for (size_t size : {size_t(0), size_t(10), size_t(1) << 20}) {
        std::string received = "old";
        EXPECT_EQ(PlatformRunInCopy(CountAndWrite, &size, &received), 7);
        ASSERT_EQ(received.size(), size + 2) << size;
        EXPECT_EQ(received.substr(0, 2), "1:");
        if (size > 0) {
            EXPECT_EQ(received.back(), static_cast<char>('a' + (size - 1) % 26));
        }
        EXPECT_EQ(counter, 0) << "the copy's global reached the caller";
    }
}

TEST(RunInCopy, ACopyEndedBySignalReportsIt)
{
    std::string received;
    EXPECT_EQ(PlatformRunInCopy(DieBySignal, nullptr, &received), 128 + SIGKILL);
    EXPECT_EQ(received, "partial");
}

TEST(RunInCopy, ATerminationRequestReachesTheCopy)
{
    EXPECT_EXIT(
        {
            PlatformCatchTermination();
            std::string received;
            int status = PlatformRunInCopy(StopTheCaller, nullptr, &received);
            std::exit(status == 9 && PlatformTerminationRequested() == SIGTERM ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
