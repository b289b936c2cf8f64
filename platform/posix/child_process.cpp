#include "platform/child_process.h"

#include "platform/termination.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs the work in the copy and ends the copy without running the caller's
// exit handlers (they belong to the caller's state, not the copy's).
[[noreturn]] void RunCopy(PLATFORMCOPYWORK work, void* context, int readEnd, int writeEnd)
{
    close(readEnd);
    int status = work(context, PLATFORMFILE(writeEnd));
    close(writeEnd);
    std::fflush(nullptr);
    _exit(status & 0xff);
}

// Reads the pipe to its end (the copy has exited or closed it), passing a
// termination request the caller catches meanwhile on to the copy once.
void ReadAll(int readEnd, pid_t child, std::string* received)
{
    char buffer[65536];
    bool forwarded = false;
    for (;;) {
        int signal = PlatformTerminationRequested();
        if (signal != 0 && !forwarded) {
            kill(child, signal);
            forwarded = true;
        }
        ssize_t n = read(readEnd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        received->append(buffer, static_cast<size_t>(n));
    }
}

int WaitFor(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

int PlatformRunInCopy(PLATFORMCOPYWORK work, void* context, std::string* received)
{
    received->clear();
    int ends[2];
    if (pipe(ends) != 0) return -1;
    std::fflush(nullptr);
    pid_t child = fork();
    if (child < 0) {
        close(ends[0]);
        close(ends[1]);
        return -1;
    }
    if (child == 0) RunCopy(work, context, ends[0], ends[1]);
    close(ends[1]);
    ReadAll(ends[0], child, received);
    close(ends[0]);
    return WaitFor(child);
}
