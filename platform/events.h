// The message queue: the stand-in for PeekMessage/DispatchMessage and
// PostQuitMessage. System events are translated into PLATFORMMSG records;
// messages posted by the program (and quit requests from SIGINT/SIGTERM)
// come first, in the order they were posted.
#ifndef PLM_PLATFORM_EVENTS_H
#define PLM_PLATFORM_EVENTS_H

#include "platform/messages.h"

// Takes the next message, if any, without waiting. False when the queue is
// empty. Events the program has no message for are dropped.
bool PlatformPeekMessage(PLATFORMMSG* message);
// Queues a message for PlatformPeekMessage (tests inject input this way).
void PlatformPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
// Queues WM_QUIT with the exit code.
void PlatformPostQuitMessage(int exitCode);
// Installs SIGINT/SIGTERM handlers that turn the signal into a WM_CLOSE, so
// that the run ends through the normal shutdown. Call once, early.
void PlatformCatchQuitSignals();
// True once a quit signal has arrived (also before any window exists).
bool PlatformQuitSignalled();

// Windows virtual-key code for an SDL keycode, or 0 when it has none.
uint32_t PlatformVirtualKey(int32_t sdlKeycode);

#endif
