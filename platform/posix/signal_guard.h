// Keeps a termination request (platform/termination.h) effective while a
// call blocks on a child process (inside the platform layer only). SDL shows
// a message box in a child process of its own and waits for it, retrying
// the wait when a signal interrupts it, so a request would only be seen once
// someone closed the box. While a CQUITSIGNALGUARD exists, a watcher thread
// checks every 50 ms for a request and from then on kills the child processes started since the
// guard was made, which ends the blocking call.
#ifndef PLM_PLATFORM_POSIX_SIGNAL_GUARD_H
#define PLM_PLATFORM_POSIX_SIGNAL_GUARD_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include <sys/types.h>

class CQUITSIGNALGUARD {
public:
    CQUITSIGNALGUARD();
    ~CQUITSIGNALGUARD();
    CQUITSIGNALGUARD(const CQUITSIGNALGUARD&) = delete;
    CQUITSIGNALGUARD& operator=(const CQUITSIGNALGUARD&) = delete;

    // True when the guard killed child processes because of a request.
    bool Fired() const { return fired; }

private:
    void Watch();

    std::set<pid_t> earlierChildren;
    std::mutex lock;
    std::condition_variable wake;
    bool done = false;
    std::atomic<bool> fired{false};
    std::thread watcher;
};

// The process's child processes, from /proc.
std::set<pid_t> ChildProcesses();

#endif
