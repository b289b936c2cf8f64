// Termination requests for tools that must clean up before they end.
//
// While caught, SIGINT, SIGTERM and SIGHUP no longer end the process at
// once: the signal is only remembered, and a blocking system call it lands
// in returns early. Long jobs poll PlatformTerminationRequested at each step,
// undo what they started, and then end the process as the signal would have
// with PlatformEndByTermination (so the caller's shell sees the signal).
#ifndef PLM_PLATFORM_TERMINATION_H
#define PLM_PLATFORM_TERMINATION_H

// Installs the catching handlers (and forgets any signal caught before). A
// signal that was ignored when the process started (nohup, a background job
// of a shell without job control) stays ignored. With resumeCalls, a
// blocking call the signal lands in resumes instead of returning early (for
// tools that only poll between units of work and must not see EINTR).
void PlatformCatchTermination(bool resumeCalls = false);
// Puts back the handlers found by PlatformCatchTermination and forgets the
// caught signal.
void PlatformReleaseTermination();
// The number of the first signal caught since PlatformCatchTermination, or 0.
// Always 0 while not catching.
int PlatformTerminationRequested();
// Restores the default action of signal and raises it; does not return.
[[noreturn]] void PlatformEndByTermination(int signal);

#endif
