// The process's standard output and error as files of the file layer, for
// programs that write bytes (a raw picture stream) rather than text, and
// whether a person is watching them (a terminal).
#ifndef PLM_PLATFORM_STANDARD_STREAMS_H
#define PLM_PLATFORM_STANDARD_STREAMS_H

#include "platform/files.h"

// The standard output and error; write them with PlatformWrite. Whatever
// the C library buffers for them must be flushed first by the caller.
PLATFORMFILE PlatformStandardOutput();
PLATFORMFILE PlatformStandardError();

// True when file is a terminal (a person reads it, and carriage returns
// rewrite a line in place).
bool PlatformIsTerminal(PLATFORMFILE file);

// From now on a write to a pipe nobody reads any more fails with "Broken
// pipe" instead of ending the process (SIGPIPE ignored on POSIX), so the
// caller can clean up and report. Programs started with
// PlatformStartProgram get the default back.
void PlatformIgnoreBrokenPipes();

#endif
