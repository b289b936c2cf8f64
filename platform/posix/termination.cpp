// POSIX implementation of termination requests: a handler that stores the
// signal number in a flag.
#include "platform/termination.h"

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

const int CAUGHT[] = {SIGINT, SIGTERM, SIGHUP};
const int CAUGHT_COUNT = sizeof CAUGHT / sizeof CAUGHT[0];

volatile sig_atomic_t requested = 0;
struct sigaction previous[CAUGHT_COUNT];
bool catching = false;

void Remember(int signal)
{
    if (requested == 0) requested = signal;
}

}  // namespace

void PlatformCatchTermination(unsigned options)
{
    requested = 0;
    struct sigaction action = {};
    action.sa_handler = Remember;
    sigemptyset(&action.sa_mask);
    // Without SA_RESTART a blocked write or read returns early.
    action.sa_flags = (options & PLATFORM_CATCH_RESUME_CALLS) ? SA_RESTART : 0;
    for (int i = 0; i < CAUGHT_COUNT; ++i) {
        struct sigaction found;
        sigaction(CAUGHT[i], nullptr, &found);
        if (!catching) previous[i] = found;
        // A signal ignored from the start (nohup, a background job) stays
        // ignored unless asked for.
        if (previous[i].sa_handler != SIG_IGN || (options & PLATFORM_CATCH_IGNORED))
            sigaction(CAUGHT[i], &action, nullptr);
    }
    catching = true;
}

void PlatformReleaseTermination()
{
    if (catching)
        for (int i = 0; i < CAUGHT_COUNT; ++i) sigaction(CAUGHT[i], &previous[i], nullptr);
    catching = false;
    requested = 0;
}

int PlatformTerminationRequested()
{
    return requested;
}

void PlatformEndByTermination(int signal)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(signal);
    _exit(128 + signal);  // only if the signal did not end the process
}
