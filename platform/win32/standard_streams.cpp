// Windows implementation of the standard streams: GetStdHandle; a terminal
// is a console (GetConsoleMode succeeds on it).
#include "platform/standard_streams.h"

#include "platform/win32/entries.h"

PLATFORMFILE PlatformStandardOutput()
{
    return FileHandle(GetStdHandle(STD_OUTPUT_HANDLE));
}

PLATFORMFILE PlatformStandardError()
{
    return FileHandle(GetStdHandle(STD_ERROR_HANDLE));
}

bool PlatformIsTerminal(PLATFORMFILE file)
{
    DWORD mode;
    return file != PLATFORM_NO_FILE && GetConsoleMode(NativeHandle(file), &mode) != 0;
}

void PlatformIgnoreBrokenPipes()
{
    // Nothing to do: on Windows a write to a pipe nobody reads fails with
    // ERROR_NO_DATA or ERROR_BROKEN_PIPE and never ends the process.
}
