// The thread's Windows message queue as the queue's system events: each
// message is dispatched to its window procedure, and what the demo window's
// procedure translates is handed on.
#include "platform/common/display_events.h"
#include "platform/win32/window_messages.h"

namespace {

// Messages translated by the window procedure and not yet taken. One
// dispatch (and the sent messages a peek delivers) yields only a few, and
// they are taken before the next peek; the ring only fills when nobody
// polls, and then the oldest are kept.
const int PENDING_CAPACITY = 64;
PLATFORMMSG pending[PENDING_CAPACITY];
int pendingFirst = 0;
int pendingCount = 0;

HWND watched = nullptr;
bool adopting = false;  // the next window created becomes the watched one
bool lossPending = false;

void Keep(const PLATFORMMSG& message)
{
    if (pendingCount == PENDING_CAPACITY) return;
    pending[(pendingFirst + pendingCount) % PENDING_CAPACITY] = message;
    ++pendingCount;
}

bool TakePending(PLATFORMMSG* message)
{
    if (pendingCount == 0) return false;
    *message = pending[pendingFirst];
    pendingFirst = (pendingFirst + 1) % PENDING_CAPACITY;
    --pendingCount;
    return true;
}

// A WM_QUIT in the thread's queue (posted by something other than the
// program's own queue) ends the run like the program's own.
bool DispatchOne(const MSG& message)
{
    if (message.message == WM_QUIT) {
        Keep({WM_QUIT, message.wParam, 0});
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return pendingCount > 0;
}

}  // namespace

LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (adopting && message == WM_NCCREATE) {
        watched = window;
        adopting = false;
    }
    if (window != watched) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_DESTROY) {
        // Destroyed by someone else: the backend forgets the window before
        // it destroys it itself.
        watched = nullptr;
        lossPending = true;
        return 0;
    }
    PLATFORMMSG translated;
    switch (TranslateWindowMessage(message, wParam, lParam, &translated)) {
        case WINDOW_MESSAGE_QUEUE:
            Keep(translated);
            return 0;
        case WINDOW_MESSAGE_SWALLOW:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void WatchNextDemoWindow()
{
    watched = nullptr;
    adopting = true;
    lossPending = false;
}

void ForgetDemoWindow()
{
    watched = nullptr;
    adopting = false;
}

bool DisplayPollMessage(PLATFORMMSG* message)
{
    if (TakePending(message)) return true;
    MSG system;
    while (PeekMessageA(&system, nullptr, 0, 0, PM_REMOVE)) {
        if (DispatchOne(system)) return TakePending(message);
    }
    // Sent messages are delivered inside the peek itself.
    return TakePending(message);
}

bool DisplayWaitMessage(uint32_t milliseconds, PLATFORMMSG* message)
{
    if (DisplayPollMessage(message)) return true;
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return DisplayPollMessage(message);
}

bool DisplayWindowLossPending()
{
    return lossPending;
}

bool DisplayTakeWindowLoss()
{
    if (!lossPending) return false;
    lossPending = false;
    return true;
}
