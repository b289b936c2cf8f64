#include "shell/frame_loop.h"

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/window.h"
#include "shell/demo_window.h"

namespace {

// A key-down of Escape taken since the run's last pass that would draw.
bool escapePressed = false;

void Dispatch(const PLATFORMMSG& message)
{
    if (message.message == WM_KEYDOWN && message.wParam == PLATFORM_KEY_ESCAPE) escapePressed = true;
    DemoWindowProc(message.message, message.wParam, message.lParam);
}

bool EscapeWanted()
{
    return keys[PLATFORM_KEY_ESCAPE] != 0 || escapePressed;
}

// The run ends here: nothing remembered may reach a later loop.
void EndRun()
{
    escapePressed = false;
}

int64_t MillisecondsToTicks(uint32_t milliseconds)
{
    return static_cast<int64_t>(milliseconds) * PlatformCounterFrequency() / 1000;
}

uint32_t TicksToWholeMilliseconds(int64_t ticks)
{
    int64_t frequency = PlatformCounterFrequency();
    return static_cast<uint32_t>((ticks * 1000 + frequency - 1) / frequency);
}

// Dispatches messages until the counter reaches end (an end already passed
// still takes the waiting messages once); false as soon as the run is to
// end, true when the time is up.
bool PumpMessagesUntil(int64_t end, PLATFORMMSG* last)
{
    for (;;) {
        PLATFORMMSG message;
        while (PlatformPeekMessage(&message)) {
            *last = message;
            if (message.message == WM_QUIT) {
                EndRun();
                return false;
            }
            Dispatch(message);
        }
        if (active && EscapeWanted()) {
            EndRun();
            return false;
        }
        int64_t left = end - PlatformCounter();
        if (left <= 0) return true;
        PlatformWaitMessage(TicksToWholeMilliseconds(left));
    }
}

}  // namespace

void RunFrameLoop(void (*drawFrame)(), PLATFORMMSG* last)
{
    for (;;) {
        PLATFORMMSG message;
        if (PlatformPeekMessage(&message)) {
            *last = message;
            if (message.message == WM_QUIT) break;
            Dispatch(message);
            continue;
        }
        if (!active) {
            PlatformWaitMessage(INACTIVE_WAIT_MS);
            continue;
        }
        if (EscapeWanted()) break;
        drawFrame();
        PlatformSwapBuffers();
    }
    EndRun();
}

bool PumpMessagesFor(uint32_t milliseconds, PLATFORMMSG* last)
{
    return PumpMessagesUntil(PlatformCounter() + MillisecondsToTicks(milliseconds), last);
}

bool PumpMessagesWorking(uint32_t milliseconds, bool (**work)(), PLATFORMMSG* last)
{
    // The end is fixed before any step, so that steps done within the wait
    // leave its length as it was.
    const int64_t end = PlatformCounter() + MillisecondsToTicks(milliseconds);
    while (*work && PlatformCounter() < end) {
        if (!PumpMessagesUntil(0, last)) return false;
        if (!(*work)()) *work = nullptr;
    }
    return PumpMessagesUntil(end, last);
}
