// The program's run from start to exit: find the archive, make the private
// folder, unpack, bind, choose the mode, open the window, loop, close,
// release, remove the private folder.
#ifndef PLM_SHELL_DEMO_MAIN_H
#define PLM_SHELL_DEMO_MAIN_H

#include "platform/messages.h"
#include "shell/exit_status.h"

// Runs the whole demo; returns the exit status: 0 after a close request or
// Cancel, the wParam of the last message taken after Escape, or one of the
// failure codes of exit_status.h. data.dat is found in the current folder or
// next to the program and unpacked into a private folder, which is the
// current directory during the run and is removed on every way out; the
// folder the program was started in is never written.
int DemoMain();

// The frame loop: dispatches messages to DemoWindowProc, draws and presents
// a frame whenever the queue is empty and the window is active, and ends on
// WM_QUIT or on Escape in a pass that would draw. *last receives the last
// message taken.
// drawFrame renders one frame (the program passes RenderFrame).
void RunFrameLoop(void (*drawFrame)(), PLATFORMMSG* last);

#endif
