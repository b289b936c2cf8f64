// The message queue: the stand-in for PeekMessage/DispatchMessage and
// PostQuitMessage. System events are translated into PLATFORMMSG records;
// messages posted by the program (and quit requests from SIGINT, SIGTERM
// and SIGHUP) come first, in the order they were posted.
#ifndef PLM_PLATFORM_EVENTS_H
#define PLM_PLATFORM_EVENTS_H

#include "platform/messages.h"

// Takes the next message, if any, without waiting. False when the queue is
// empty. Events the program has no message for are dropped. A quit signal
// comes as one WM_CLOSE; a window lost to the outside (destroyed by another
// client, or its display connection gone) as one WM_DESTROY.
bool PlatformPeekMessage(PLATFORMMSG* message);
// Waits until a message is ready for PlatformPeekMessage, at most
// `milliseconds`; true when one is. A quit signal or a lost window is seen
// within 50 ms whichever thread the signal reached. Uses no processor time
// while it waits (it sleeps in the system's event wait).
bool PlatformWaitMessage(uint32_t milliseconds);
// Queues a message for PlatformPeekMessage (tests inject input this way).
// Any thread may post; a waiting PlatformWaitMessage sees it within 50 ms.
void PlatformPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
// Queues WM_QUIT with the exit code.
void PlatformPostQuitMessage(int exitCode);
// Installs SIGINT, SIGTERM and SIGHUP handlers that turn the signal into a
// WM_CLOSE, so that the run ends through the normal shutdown (a closed
// terminal ends the run like a close request). Call once, early.
void PlatformCatchQuitSignals();
// True once a quit signal has arrived (also before any window exists).
bool PlatformQuitSignalled();

// Windows virtual-key code for an SDL keycode, or 0 when it has none.
uint32_t PlatformVirtualKey(int32_t sdlKeycode);

#endif
