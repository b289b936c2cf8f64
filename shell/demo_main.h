// The program's run from start to exit: unpack, bind, choose the mode, open
// the window, loop, close, release, delete the tree.
#ifndef PLM_SHELL_DEMO_MAIN_H
#define PLM_SHELL_DEMO_MAIN_H

#include "platform/messages.h"

// Exit status when the data archive cannot be unpacked.
const int EXIT_BAD_ARCHIVE = 2;
// Exit status when a required library cannot be bound.
const int EXIT_BAD_LIBRARY = 3;
// Exit status when no display can be opened for the setup dialog.
const int EXIT_NO_DISPLAY = 4;
// Exit status when the demo window was destroyed by another program or its
// display connection was lost while the demo ran; the run still ends
// through the normal shutdown.
const int EXIT_WINDOW_LOST = 6;

// Runs the whole demo in the current directory; returns the exit status:
// 0 after a close request, a quit signal (SIGINT, SIGTERM, SIGHUP) or
// Cancel, the wParam of the last message taken after Escape (27 for a
// plain press), or one of the codes above.
int DemoMain();

#endif
