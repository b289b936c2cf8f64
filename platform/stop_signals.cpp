#include "platform/stop_signals.h"

#include <signal.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t stopSignal = 0;

void OnStopSignal(int signal)
{
    if (stopSignal == 0)
        stopSignal = signal;
}

void Watch(int signal)
{
    struct sigaction old = {};
    if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
        return;
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

}  // namespace

void PlatformWatchStopSignals()
{
    Watch(SIGINT);
    Watch(SIGTERM);
    Watch(SIGHUP);
}

int PlatformStopSignal()
{
    return stopSignal;
}

void PlatformEndBySignal(int signal)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    raise(signal);
    _exit(128 + signal);
}
