// No system events: waits only sleep, and the one event is a window lost on
// a test's request.
#include "platform/common/display_events.h"
#include "platform/null/null_display.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<bool> windowLost{false};

}  // namespace

void NullDisplayLoseWindow()
{
    windowLost = true;
}

bool DisplayPollMessage(PLATFORMMSG*)
{
    return false;
}

bool DisplayWaitMessage(uint32_t milliseconds, PLATFORMMSG*)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return false;
}

bool DisplayWindowLossPending()
{
    return windowLost;
}

bool DisplayTakeWindowLoss()
{
    return windowLost.exchange(false);
}
