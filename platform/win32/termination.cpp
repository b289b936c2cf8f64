// Windows implementation of termination requests: a console control handler
// (SetConsoleCtrlHandler). Requests carry the numbers the POSIX signals have,
// so that callers and scripts see the same values on both systems:
//   Ctrl-C                                  2 (SIGINT)
//   Ctrl-Break, console closed, log-off,
//   shutdown                                15 (SIGTERM)
// A program without a console gets no such events; its window's close
// request stands for them. SIGINT and SIGTERM raised inside the process
// (raise, abort handlers of libraries) are caught through the C runtime's
// signal() as well.
//
// Windows ends the process as soon as the handler returns from a close,
// log-off or shutdown event, so for those the handler holds on (Windows
// allows a few seconds) while the program cleans up and ends itself.
//
// Blocking calls are not cut short by a request (the handler runs on a
// thread of its own), so PLATFORM_CATCH_RESUME_CALLS changes nothing here.
#include "platform/termination.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace {

const int SIGNAL_INTERRUPT = 2;
const int SIGNAL_TERMINATE = 15;
// How long the handler holds on after a close, log-off or shutdown event:
// longer than Windows waits, so the program or Windows ends first.
const DWORD HOLD_MS = 30000;

const int RUNTIME_CAUGHT[] = {SIGINT, SIGTERM};
const int RUNTIME_COUNT = sizeof RUNTIME_CAUGHT / sizeof RUNTIME_CAUGHT[0];

std::atomic<int> requested{0};
std::atomic<bool> catching{false};
void (*previous[RUNTIME_COUNT])(int);

void Request(int signal)
{
    int none = 0;
    requested.compare_exchange_strong(none, signal);
}

// The C runtime puts the default action back before it calls a handler.
void RememberSignal(int signal)
{
    std::signal(signal, RememberSignal);
    Request(signal);
}

BOOL WINAPI Remember(DWORD event)
{
    if (!catching) return FALSE;
    Request(event == CTRL_C_EVENT ? SIGNAL_INTERRUPT : SIGNAL_TERMINATE);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(HOLD_MS);
    return TRUE;
}

}  // namespace

void PlatformCatchTermination(unsigned options)
{
    requested = 0;
    // Ctrl-C ignored from the start (a process made with
    // CREATE_NEW_PROCESS_GROUP, or by start /b) stays ignored unless asked
    // for; Windows does not say whether it was, so it is not put back later.
    if (options & PLATFORM_CATCH_IGNORED) SetConsoleCtrlHandler(nullptr, FALSE);
    for (int i = 0; i < RUNTIME_COUNT; ++i) {
        void (*found)(int) = std::signal(RUNTIME_CAUGHT[i], RememberSignal);
        if (!catching) previous[i] = found == SIG_ERR ? SIG_DFL : found;
        // Ignored from the start stays ignored unless asked for.
        if (previous[i] == SIG_IGN && !(options & PLATFORM_CATCH_IGNORED))
            std::signal(RUNTIME_CAUGHT[i], SIG_IGN);
    }
    if (!catching) SetConsoleCtrlHandler(Remember, TRUE);
    catching = true;
}

void PlatformReleaseTermination()
{
    if (catching) {
        SetConsoleCtrlHandler(Remember, FALSE);
        for (int i = 0; i < RUNTIME_COUNT; ++i) std::signal(RUNTIME_CAUGHT[i], previous[i]);
    }
    catching = false;
    requested = 0;
}

int PlatformTerminationRequested()
{
    return catching ? requested.load() : 0;
}

void PlatformEndByTermination(int signal)
{
    // The status a POSIX shell reports for a process ended by that signal;
    // like a signal, it skips the program's exit handlers (_exit).
    _exit(128 + signal);
}
