#include "platform/posix/signal_guard.h"

#include "platform/termination.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Parent of process `pid` from /proc/PID/stat ("pid (name) state ppid ..."),
// or -1; the name may hold spaces and parentheses, so parsing starts after
// the last ')'.
pid_t ParentOf(const char* pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%s/stat", pid);
    FILE* file = std::fopen(path, "r");
    if (!file) return -1;
    char text[512];
    size_t length = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    text[length] = '\0';
    const char* end = std::strrchr(text, ')');
    char state = 0;
    int parent = -1;
    if (!end || std::sscanf(end + 1, " %c %d", &state, &parent) != 2) return -1;
    return static_cast<pid_t>(parent);
}

}  // namespace

std::set<pid_t> ChildProcesses()
{
    std::set<pid_t> children;
    DIR* proc = opendir("/proc");
    if (!proc) return children;
    pid_t self = getpid();
    while (dirent* entry = readdir(proc)) {
        char* end = nullptr;
        long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != '\0') continue;
        if (ParentOf(entry->d_name) == self) children.insert(static_cast<pid_t>(pid));
    }
    closedir(proc);
    return children;
}

CQUITSIGNALGUARD::CQUITSIGNALGUARD() : earlierChildren(ChildProcesses())
{
    watcher = std::thread(&CQUITSIGNALGUARD::Watch, this);
}

CQUITSIGNALGUARD::~CQUITSIGNALGUARD()
{
    {
        std::lock_guard<std::mutex> hold(lock);
        done = true;
    }
    wake.notify_one();
    watcher.join();
}

void CQUITSIGNALGUARD::Watch()
{
    std::unique_lock<std::mutex> hold(lock);
    while (!done) {
        // Keeps at it: the blocking call may try another way of showing
        // its box in a further child.
        if (PlatformTerminationRequested() != 0) {
            // Set first: the blocked call may return as soon as a child dies.
            fired = true;
            for (pid_t child : ChildProcesses())
                if (earlierChildren.count(child) == 0) kill(child, SIGKILL);
        }
        wake.wait_for(hold, std::chrono::milliseconds(50));
    }
}
