// The program's exit statuses. Every failure is non-zero; --help lists them
// all and the README repeats the list.
#ifndef PLM_SHELL_EXIT_STATUS_H
#define PLM_SHELL_EXIT_STATUS_H

// The demo ended on a close request (window closed, SIGINT, SIGTERM, SIGHUP) or
// Cancel in the setup dialog; --help and --version also exit with it.
const int EXIT_DONE = 0;
// Exit status after Escape: the key's virtual-key code, the wParam of the
// last message the frame loop took.
const int EXIT_ESCAPE = 27;
// Exit status when the data archive is missing or cannot be unpacked.
const int EXIT_BAD_ARCHIVE = 2;
// Exit status when a required library cannot be bound.
const int EXIT_BAD_LIBRARY = 3;
// Exit status when no display can be opened for the setup dialog.
const int EXIT_NO_DISPLAY = 4;
// Exit status when the demo window cannot be opened (display mode refused,
// window or GL context not created).
const int EXIT_NO_WINDOW = 5;
// Exit status when the private working folder cannot be created or entered.
const int EXIT_NO_PRIVATE_FOLDER = 6;
// Exit status when the demo window was destroyed by another program or its
// display connection was lost while the demo ran; the run still ends
// through the normal shutdown.
const int EXIT_WINDOW_LOST = 7;
// Exit status for a command line the program does not understand (the
// value of EX_USAGE in sysexits.h).
const int EXIT_USAGE = 64;

#endif
