// Other programs run as helpers (an encoder fed through a pipe): found on the
// search path, started with an explicit argument list (never through a
// shell), fed through their standard input and waited for.
//
// A started program runs in a process group of its own, so that a
// terminal's interrupt key reaches only the caller, which then decides how
// the helper ends. Its standard output and error go to a log file the
// caller names, so that it never blocks on them and what it said can be
// shown when it fails. It starts with the default action for every signal
// and nothing blocked, whatever the caller ignores or catches.
#ifndef PLM_PLATFORM_PROGRAM_H
#define PLM_PLATFORM_PROGRAM_H

#include <string>
#include <vector>

#include "platform/files.h"

struct PLATFORMPROGRAM {
    intptr_t id = -1;                       // the backend's handle (a process id on POSIX); -1: none
    PLATFORMFILE input = PLATFORM_NO_FILE;  // writing end of the program's standard input
};

// The program's path as a shell's command lookup would find it: a name with
// a '/' is taken as it is, any other is looked for in the folders of the
// PATH environment variable (a standard list when it is unset). Empty when
// no executable regular file of that name is found.
std::string PlatformFindProgram(const char* name);

// Starts the program at path with the arguments args (args[0] is the name
// the program sees). Its standard input is a pipe whose writing end is
// program->input (write with PlatformWrite; once the program has gone a
// write fails with "Broken pipe" and never ends the caller); its standard
// output and error are appended to the file log (created, 0600, if
// missing). The caller's other files stay closed to it. False with the
// reason in *error when the pipe, the log or the process cannot be made or
// the program cannot be executed; nothing is left running then.
bool PlatformStartProgram(const std::string& path, const std::vector<std::string>& args, const char* log,
                          PLATFORMPROGRAM* program, std::string* error);

// Closes the program's standard input: the program sees its end. Does
// nothing when it is already closed.
void PlatformCloseProgramInput(PLATFORMPROGRAM* program);

// Waits for the program to end, at most timeoutMs milliseconds (negative:
// as long as it takes); waiting goes on through caught signals. Returns its
// exit status (0 to 255), 128 + N when signal N ended it, or -1 when it is
// still running after the timeout (it is then still running and still the
// caller's). Once it has ended the handle is released (program->id is -1,
// its input closed); waiting on a released handle returns -1.
int PlatformWaitProgram(PLATFORMPROGRAM* program, int timeoutMs);

// Ends the program: closes its input, asks it to terminate (SIGTERM on
// POSIX), and after graceMs milliseconds kills it (SIGKILL); waits for it
// and releases the handle. Returns what PlatformWaitProgram would.
int PlatformEndProgram(PLATFORMPROGRAM* program, int graceMs);

#endif
