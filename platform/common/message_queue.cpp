// The message queue over any display backend: posted messages in their
// order, a termination request and a lost window as one message each, then
// the system's events. Waits are cut into slices so that what another
// thread posts or a signal requests is seen soon even when the system's
// wait is not woken by it.
#include "platform/events.h"

#include "platform/common/display_events.h"
#include "platform/termination.h"

#include <chrono>
#include <deque>
#include <mutex>

namespace {

// Posted messages; any thread may post (as with PostMessage), so the queue
// is guarded.
std::deque<PLATFORMMSG> posted;
std::mutex postedLock;
bool terminationDelivered = false;
// Longest single wait, so that a signal caught by another thread (which
// does not wake the event wait) is still seen soon.
const uint32_t WAIT_SLICE_MS = 50;

bool TerminationPending()
{
    return PlatformTerminationRequested() != 0 && !terminationDelivered;
}

bool MessageReady()
{
    if (TerminationPending() || DisplayWindowLossPending()) return true;
    std::lock_guard<std::mutex> hold(postedLock);
    return !posted.empty();
}

// Waits up to `milliseconds` for one system event; one that has a message
// is queued behind the posted messages (the queue was empty when the wait
// began, so only a post from another thread during the wait precedes it).
void WaitForEvent(uint32_t milliseconds)
{
    PLATFORMMSG message;
    if (DisplayWaitMessage(milliseconds, &message)) {
        std::lock_guard<std::mutex> hold(postedLock);
        posted.push_back(message);
    }
}

}  // namespace

bool PlatformPeekMessage(PLATFORMMSG* message)
{
    if (TerminationPending()) {
        terminationDelivered = true;
        *message = {WM_CLOSE, 0, 0};
        return true;
    }
    if (DisplayTakeWindowLoss()) {
        *message = {WM_DESTROY, 0, 0};
        return true;
    }
    {
        std::lock_guard<std::mutex> hold(postedLock);
        if (!posted.empty()) {
            *message = posted.front();
            posted.pop_front();
            return true;
        }
    }
    return DisplayPollMessage(message);
}

bool PlatformWaitMessage(uint32_t milliseconds)
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point start = Clock::now();
    for (;;) {
        if (MessageReady()) return true;
        uint64_t waited = static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
        if (waited >= milliseconds) return false;
        uint64_t left = milliseconds - waited;
        WaitForEvent(static_cast<uint32_t>(left < WAIT_SLICE_MS ? left : WAIT_SLICE_MS));
    }
}

void PlatformPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    std::lock_guard<std::mutex> hold(postedLock);
    posted.push_back({message, wParam, lParam});
}

void PlatformPostQuitMessage(int exitCode)
{
    PlatformPostMessage(WM_QUIT, static_cast<uintptr_t>(exitCode), 0);
}
