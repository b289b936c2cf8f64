// Work run in a copy of the running process (fork on POSIX), for tools that
// repeat a run whose global state must start fresh each time: whatever the
// work builds up ends with the copy. Only the bytes the copy writes to its
// output come back.
#ifndef PLM_PLATFORM_CHILD_PROCESS_H
#define PLM_PLATFORM_CHILD_PROCESS_H

#include <string>

#include "platform/files.h"

// What the copy runs: its return value (0 to 255) becomes the copy's exit
// status; output is the writing end of a pipe to the caller.
typedef int (*PLATFORMCOPYWORK)(void* context, PLATFORMFILE output);

// Flushes the standard streams, runs work(context, output) in a copy of the
// process and collects everything the copy writes to output into *received
// (replacing its contents) until the copy ends. Start the copy before any
// window system or GL context exists in the caller: the copy shares the
// caller's open connections. A termination request (platform/termination.h)
// that the caller has caught, or catches while it waits, is passed on to the
// copy as the same signal; catch without PLATFORM_CATCH_RESUME_CALLS so that
// the wait notices it at once. Returns the copy's exit status, 128 + N when
// signal N ended it, or -1 when no copy could be made (*received is empty).
int PlatformRunInCopy(PLATFORMCOPYWORK work, void* context, std::string* received);

#endif
