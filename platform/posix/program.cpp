// POSIX implementation of helper programs: posix_spawn with the pipe and the
// log in place of the standard streams, a fresh process group and default
// signal actions.
#include "platform/program.h"

#include "platform/posix/descriptor.h"
#include "platform/standard_streams.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Where a shell looks when PATH is unset.
const char* const DEFAULT_SEARCH_PATH = "/usr/local/bin:/usr/bin:/bin";

bool IsExecutableFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string ErrorText(const char* what, int code)
{
    return std::string(what) + ": " + std::strerror(code);
}

// Standard input from the pipe, output and error to the log, nothing else
// open.
bool PrepareStreams(posix_spawn_file_actions_t* actions, int input, int log)
{
    return posix_spawn_file_actions_adddup2(actions, input, 0) == 0 &&
           posix_spawn_file_actions_adddup2(actions, log, 1) == 0 &&
           posix_spawn_file_actions_adddup2(actions, log, 2) == 0 &&
           posix_spawn_file_actions_addclosefrom_np(actions, 3) == 0;
}

// A process group of its own, every signal at its default action and none
// blocked.
bool PrepareAttributes(posix_spawnattr_t* attributes)
{
    sigset_t all, none;
    sigfillset(&all);
    sigemptyset(&none);
    return posix_spawnattr_setflags(
               attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK) == 0 &&
           posix_spawnattr_setpgroup(attributes, 0) == 0 &&
           posix_spawnattr_setsigdefault(attributes, &all) == 0 &&
           posix_spawnattr_setsigmask(attributes, &none) == 0;
}

// Spawns path with the pipe's reading end and the log as its streams;
// returns 0 or the error code.
int Spawn(const std::string& path, const std::vector<std::string>& args, int input, int log, pid_t* pid)
{
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) return ENOMEM;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return ENOMEM;
    }
    int result = EINVAL;
    if (PrepareStreams(&actions, input, log) && PrepareAttributes(&attributes))
        result = posix_spawn(pid, path.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

// The descriptor moved above the standard streams (a caller started with
// one of them closed gets it back from open or pipe), so that placing the
// program's streams never overwrites it; -1 on failure.
int AboveStandardStreams(int fd)
{
    if (fd < 0 || fd > 2) return fd;
    int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    close(fd);
    return moved;
}

// A pipe for the program's standard input, both ends closed on exec (the
// reading end is placed as its input by the spawn), the reading end above
// the standard streams.
bool MakeInputPipe(int ends[2], std::string* error)
{
    if (pipe2(ends, O_CLOEXEC) != 0) {
        *error = ErrorText("cannot make a pipe", errno);
        return false;
    }
    ends[0] = AboveStandardStreams(ends[0]);
    if (ends[0] < 0) {
        *error = ErrorText("cannot make a pipe", errno);
        close(ends[1]);
        return false;
    }
    return true;
}

void SleepMilliseconds(int ms)
{
    struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}

int StatusOf(int status)
{
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// Sends signal to the program's process group (it leads it), or to the
// program alone if the group is gone already.
void Signal(pid_t pid, int signal)
{
    if (kill(-pid, signal) != 0) kill(pid, signal);
}

}  // namespace

std::string PlatformFindProgram(const char* name)
{
    std::string wanted(name);
    if (wanted.empty()) return std::string();
    if (wanted.find('/') != std::string::npos) return IsExecutableFile(wanted) ? wanted : std::string();
    const char* variable = std::getenv("PATH");
    std::string path = variable ? variable : DEFAULT_SEARCH_PATH;
    size_t start = 0;
    for (;;) {
        size_t colon = path.find(':', start);
        std::string folder =
            path.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        // An empty entry stands for the current folder.
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + wanted;
        if (IsExecutableFile(candidate)) return candidate;
        if (colon == std::string::npos) return std::string();
        start = colon + 1;
    }
}

bool PlatformStartProgram(const std::string& path, const std::vector<std::string>& args, const char* log,
                          PLATFORMPROGRAM* program, std::string* error)
{
    *program = PLATFORMPROGRAM();
    if (args.empty()) {
        *error = "no program name given";
        return false;
    }
    PlatformIgnoreBrokenPipes();
    int logFile =
        AboveStandardStreams(open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (logFile < 0) {
        *error = ErrorText(log, errno);
        return false;
    }
    int ends[2];
    if (!MakeInputPipe(ends, error)) {
        close(logFile);
        return false;
    }
    pid_t pid = -1;
    int result = Spawn(path, args, ends[0], logFile, &pid);
    close(ends[0]);
    close(logFile);
    if (result != 0) {
        close(ends[1]);
        *error = ErrorText(("cannot start " + path).c_str(), result);
        return false;
    }
    program->id = pid;
    program->input = FileHandle(ends[1]);
    return true;
}

void PlatformCloseProgramInput(PLATFORMPROGRAM* program)
{
    if (program->input == PLATFORM_NO_FILE) return;
    close(Descriptor(program->input));
    program->input = PLATFORM_NO_FILE;
}

int PlatformWaitProgram(PLATFORMPROGRAM* program, int timeoutMs)
{
    if (program->id < 0) return -1;
    pid_t pid = static_cast<pid_t>(program->id);
    const int POLL_MS = 5;
    int status = 0;
    for (int waited = 0;;) {
        pid_t done = waitpid(pid, &status, timeoutMs < 0 ? 0 : WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) {  // not our child any more: nothing to wait for
            status = -1;
            break;
        }
        if (waited >= timeoutMs) return -1;
        SleepMilliseconds(POLL_MS);
        waited += POLL_MS;
    }
    PlatformCloseProgramInput(program);
    program->id = -1;
    return status < 0 ? -1 : StatusOf(status);
}

int PlatformEndProgram(PLATFORMPROGRAM* program, int graceMs)
{
    if (program->id < 0) return -1;
    pid_t pid = static_cast<pid_t>(program->id);
    PlatformCloseProgramInput(program);
    Signal(pid, SIGTERM);
    int status = PlatformWaitProgram(program, graceMs);
    if (program->id < 0) return status;
    Signal(pid, SIGKILL);
    return PlatformWaitProgram(program, -1);
}
