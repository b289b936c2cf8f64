// Windows implementation of termination requests: a console control handler
// (SetConsoleCtrlHandler). Requests carry the numbers the POSIX signals have,
// so that callers and scripts see the same values on both systems:
//   Ctrl-C                                  2 (SIGINT)
//   Ctrl-Break, console closed, log-off,
//   shutdown                                15 (SIGTERM)
// A program without a console gets no such events; its window's close
// request stands for them.
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
#include <cstdlib>

namespace {

const int SIGNAL_INTERRUPT = 2;
const int SIGNAL_TERMINATE = 15;
// How long the handler holds on after a close, log-off or shutdown event:
// longer than Windows waits, so the program or Windows ends first.
const DWORD HOLD_MS = 30000;

std::atomic<int> requested{0};
std::atomic<bool> catching{false};

BOOL WINAPI Remember(DWORD event)
{
    if (!catching) return FALSE;
    int signal = event == CTRL_C_EVENT ? SIGNAL_INTERRUPT : SIGNAL_TERMINATE;
    int none = 0;
    requested.compare_exchange_strong(none, signal);
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
    if (!catching) SetConsoleCtrlHandler(Remember, TRUE);
    catching = true;
}

void PlatformReleaseTermination()
{
    if (catching) SetConsoleCtrlHandler(Remember, FALSE);
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
