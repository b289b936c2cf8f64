// Termination requests: which signals are caught, what is put back, and how
// the process ends. Each case runs in a child process, where the signal
// state stays.
#include "platform/termination.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>

namespace {

bool Ignored(int signal)
{
    struct sigaction action;
    sigaction(signal, nullptr, &action);
    return action.sa_handler == SIG_IGN;
}

TEST(Termination, SignalIgnoredAtStartStaysIgnoredUnlessAskedFor)
{
    EXPECT_EXIT(
        {
            signal(SIGHUP, SIG_IGN);
            PlatformCatchTermination();
            raise(SIGHUP);
            bool kept = Ignored(SIGHUP) && PlatformTerminationRequested() == 0;
            PlatformReleaseTermination();
            PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
            raise(SIGHUP);
            bool caught = PlatformTerminationRequested() == SIGHUP;
            std::exit(kept && caught ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Termination, FirstSignalIsKeptAndReleaseRestoresTheHandlers)
{
    EXPECT_EXIT(
        {
            signal(SIGINT, SIG_IGN);
            PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
            raise(SIGTERM);
            raise(SIGINT);
            bool first = PlatformTerminationRequested() == SIGTERM;
            PlatformReleaseTermination();
            bool restored = Ignored(SIGINT) && !Ignored(SIGTERM) && PlatformTerminationRequested() == 0;
            std::exit(first && restored ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Termination, EndingByTerminationEndsByThatSignalEvenWhileCaught)
{
    EXPECT_EXIT(
        {
            PlatformCatchTermination();
            raise(SIGINT);
            PlatformEndByTermination(PlatformTerminationRequested());
        },
        ::testing::KilledBySignal(SIGINT), "");
}

}  // namespace
