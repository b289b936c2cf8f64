// The frame loop and the waits of the loading screen: the only places that
// take messages while the demo window is open. Both follow the same rules:
// a key-down of Escape is remembered until the next pass that would draw
// (so a tap shorter than one frame still counts), and Escape is acted on
// only while the window is active.
#ifndef PLM_SHELL_FRAME_LOOP_H
#define PLM_SHELL_FRAME_LOOP_H

#include "platform/messages.h"

#include <cstdint>

// Longest wait of the loop while the window is minimised, in milliseconds;
// a message or a quit signal ends the wait earlier.
const uint32_t INACTIVE_WAIT_MS = 250;

// The frame loop: dispatches messages to DemoWindowProc, draws and presents
// a frame whenever the queue is empty and the window is active, and ends on
// WM_QUIT or, in a pass that would draw, on Escape (held, or pressed since
// the last such pass). While the window is not active it waits for the next
// message instead of drawing. *last receives the last message taken.
// drawFrame renders one frame (the program passes RenderFrame).
void RunFrameLoop(void (*drawFrame)(), PLATFORMMSG* last);

// Dispatches messages for `milliseconds`, waiting on the queue in between.
// Returns false as soon as the run is to end: WM_QUIT was taken, or Escape
// was pressed while the window is active; true when the time is up.
// *last receives the last message taken.
bool PumpMessagesFor(uint32_t milliseconds, PLATFORMMSG* last);
// PumpMessagesFor that also runs the steps of *work (when not null) while
// the time is not up, taking the waiting messages before each step; *work
// becomes null once a step returns false (nothing left). The wait still
// ends `milliseconds` after it began, unless a step runs past that time: it
// then ends when that step is done.
bool PumpMessagesWorking(uint32_t milliseconds, bool (**work)(), PLATFORMMSG* last);

#endif
