// Stop requests for command-line tools: SIGINT, SIGTERM and SIGHUP only set a
// flag, which the tool checks between units of work so that it can clean up
// and then end the way the signal would have ended it.
#ifndef PLM_PLATFORM_STOP_SIGNALS_H
#define PLM_PLATFORM_STOP_SIGNALS_H

// Installs the handlers (with SA_RESTART, so interrupted reads and writes
// resume). A signal the process inherited as ignored stays ignored, as
// `nohup` and background jobs expect. Call once, before starting SDL.
void PlatformWatchStopSignals();
// The number of the first stop signal that arrived, 0 while none has.
int PlatformStopSignal();
// Restores the default action of signal and raises it, so that the parent
// sees the process ended by that signal (a shell reports 128 + its number).
// Does not return; should the signal not end the process, it exits with
// status 128 + signal.
[[noreturn]] void PlatformEndBySignal(int signal);

#endif
