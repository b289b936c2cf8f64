// Inside the Win32 backend only: what the window procedure does with each
// window message, as a pure function of the message.
#ifndef PLM_PLATFORM_WIN32_WINDOW_MESSAGES_H
#define PLM_PLATFORM_WIN32_WINDOW_MESSAGES_H

#include "platform/win32/win32_display.h"

enum WINDOWMESSAGEACTION {
    WINDOW_MESSAGE_DEFAULT,  // not the program's: DefWindowProcA handles it
    WINDOW_MESSAGE_QUEUE,    // *translated is queued for the program; the procedure returns 0
    WINDOW_MESSAGE_SWALLOW,  // handled by doing nothing; the procedure returns 0
};

// Activation (with the minimised flag in the high word of wParam), close
// requests, key presses and releases, and size changes become the program's
// messages; screen-saver and monitor power-down requests are swallowed, so
// that neither starts while the window exists (wParam compared whole, as it
// arrives). A close request is only queued: the window stays until the
// program destroys it.
WINDOWMESSAGEACTION TranslateWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                           PLATFORMMSG* translated);

#endif
