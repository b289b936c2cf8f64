// The program's run from start to exit: find the archive, make the private
// folder, unpack, bind, choose the mode, open the window, loop, close,
// release, remove the private folder.
#ifndef PLM_SHELL_DEMO_MAIN_H
#define PLM_SHELL_DEMO_MAIN_H

#include "platform/messages.h"
#include "shell/exit_status.h"

// Runs the whole demo; returns the exit status: 0 after a close request, a
// quit signal (SIGINT, SIGTERM, SIGHUP) or Cancel, the wParam of the last
// message taken after Escape (27 for a plain press), or one of the failure
// codes of exit_status.h. data.dat is found in the current folder or
// next to the program and unpacked into a private folder, which is the
// current directory during the run and is removed on every way out; the
// folder the program was started in is never written.
int DemoMain();

#endif
