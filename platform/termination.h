// Termination requests (SIGINT, SIGTERM and SIGHUP on POSIX) for programs
// that must clean up before they end.
//
// While caught, a termination request no longer ends the process at once:
// it is only remembered, and a blocking system call it lands in returns
// early. Long jobs poll PlatformTerminationRequested at each step, undo what
// they started, and then end the process as the signal would have with
// PlatformEndByTermination (so the caller's shell sees the signal). The demo
// takes a request as a close request instead (platform/events.h).
#ifndef PLM_PLATFORM_TERMINATION_H
#define PLM_PLATFORM_TERMINATION_H

enum : unsigned {
    // A blocking call the request lands in resumes instead of returning
    // early (for tools that only poll between units of work and must not see
    // interrupted calls).
    PLATFORM_CATCH_RESUME_CALLS = 1,
    // Also catch the signals that were ignored when the process started. By
    // default those stay ignored (nohup, a background job of a shell without
    // job control); the demo catches them so that it can be ended from any
    // script that started it.
    PLATFORM_CATCH_IGNORED = 2,
};

// Installs the catching handlers (and forgets any request caught before);
// options is a combination of the PLATFORM_CATCH_* flags.
void PlatformCatchTermination(unsigned options = 0);
// Puts back the handlers found by PlatformCatchTermination and forgets the
// caught request.
void PlatformReleaseTermination();
// The number of the first signal caught since PlatformCatchTermination, or 0.
// Always 0 while not catching.
int PlatformTerminationRequested();
// Restores the default action of signal and raises it; does not return.
[[noreturn]] void PlatformEndByTermination(int signal);

#endif
