#include "platform/standard_streams.h"

#include "platform/posix/descriptor.h"

#include <csignal>
#include <unistd.h>

PLATFORMFILE PlatformStandardOutput()
{
    return FileHandle(STDOUT_FILENO);
}

PLATFORMFILE PlatformStandardError()
{
    return FileHandle(STDERR_FILENO);
}

bool PlatformIsTerminal(PLATFORMFILE file)
{
    return file != PLATFORM_NO_FILE && isatty(Descriptor(file)) == 1;
}

void PlatformIgnoreBrokenPipes()
{
    struct sigaction action = {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
}
