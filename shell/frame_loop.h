// The frame loop: the program's only loop while the demo window is open.
#ifndef PLM_SHELL_FRAME_LOOP_H
#define PLM_SHELL_FRAME_LOOP_H

#include "platform/messages.h"

// The frame loop: dispatches messages to DemoWindowProc, draws and presents
// a frame whenever the queue is empty and the window is active, and ends on
// WM_QUIT or on Escape in a pass that would draw. *last receives the last
// message taken.
// drawFrame renders one frame (the program passes RenderFrame).
void RunFrameLoop(void (*drawFrame)(), PLATFORMMSG* last);

#endif
