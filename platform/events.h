// The message queue: the stand-in for PeekMessage/DispatchMessage and
// PostQuitMessage. System events are translated into PLATFORMMSG records;
// messages posted by the program come first, in the order they were posted.
// A termination request caught through platform/termination.h comes before
// all of them, once, as a WM_CLOSE.
#ifndef PLM_PLATFORM_EVENTS_H
#define PLM_PLATFORM_EVENTS_H

#include "platform/messages.h"

// Takes the next message, if any, without waiting. False when the queue is
// empty. Events the program has no message for are dropped. A termination
// request comes as one WM_CLOSE; a window lost to the outside (destroyed by
// another client, or its display connection gone) as one WM_DESTROY.
bool PlatformPeekMessage(PLATFORMMSG* message);
// Waits until a message is ready for PlatformPeekMessage, at most
// `milliseconds`; true when one is. A termination request or a lost window
// is seen within 50 ms whichever thread the signal reached. Uses no
// processor time while it waits (it sleeps in the system's event wait).
bool PlatformWaitMessage(uint32_t milliseconds);
// Queues a message for PlatformPeekMessage (tests inject input this way).
// Any thread may post; a waiting PlatformWaitMessage sees it within 50 ms.
void PlatformPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
// Queues WM_QUIT with the exit code.
void PlatformPostQuitMessage(int exitCode);

#endif
