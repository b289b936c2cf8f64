// Inside the platform layer only: what a display backend supplies to the
// message queue that every backend shares (common/message_queue.cpp). The
// queue puts posted messages, termination requests and window losses first;
// these calls bring in the system's own events.
#ifndef PLM_PLATFORM_COMMON_DISPLAY_EVENTS_H
#define PLM_PLATFORM_COMMON_DISPLAY_EVENTS_H

#include "platform/messages.h"

// Takes waiting system events until one has a message and returns it in
// *message; false when none is waiting. Never waits.
bool DisplayPollMessage(PLATFORMMSG* message);
// Waits up to `milliseconds` for one system event (only sleeps while there
// is no event source); true with its message in *message when it has one.
bool DisplayWaitMessage(uint32_t milliseconds, PLATFORMMSG* message);
// True while a loss of the window has not been taken yet.
bool DisplayWindowLossPending();
// True the first time it is asked after the window was lost: each loss
// becomes one message.
bool DisplayTakeWindowLoss();

#endif
