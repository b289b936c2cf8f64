// The null display backend's record of what was asked of it, and the
// failures a test can make it report. It has one display mode, draws
// nothing and has no system events: messages come only from posting,
// termination requests and NullDisplayLoseWindow.
#ifndef PLM_PLATFORM_NULL_NULL_DISPLAY_H
#define PLM_PLATFORM_NULL_NULL_DISPLAY_H

#include "platform/window.h"

// The one display mode, also the desktop's; its refresh rate is not known.
constexpr PLATFORMMODE NULL_DISPLAY_MODE = {1024, 768, 32, 0};

struct NULLDISPLAYRECORD {
    bool videoStarted;
    bool fullscreen;  // a full-screen mode is selected
    bool cursorVisible;
    bool windowShown;
    int swaps;         // buffer swaps with a window open
    int messageBoxes;  // boxes shown (their text goes to stderr)
    int dialogs;       // setup dialogs run
};

const NULLDISPLAYRECORD& NullDisplayRecord();
// Back to the start: no video, no window or context, cursor visible, nothing
// recorded, nothing set to fail.
void NullDisplayReset();
// Makes opening a window (either kind) fail at step; PLATFORM_GL_OPEN lets
// every step succeed.
void NullDisplayFailAt(PLATFORMGLSTEP step);
// The window is lost as if another program destroyed it: the queue then
// brings one WM_DESTROY.
void NullDisplayLoseWindow();

#endif
