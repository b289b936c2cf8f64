// The loading screen: the background picture stretched over the window,
// then a row of 21 balls drawn one by one after pseudo-random pauses, each
// step presented at once. Designed for 1024 x 768 and scaled to the screen
// (measures in shell/picture_layout.h).
#ifndef PLM_SHELL_LOADING_SCREEN_H
#define PLM_SHELL_LOADING_SCREEN_H

#include "platform/messages.h"
#include "shell/picture_layout.h"

#include <cstdint>

struct CBALLGEOMETRY {
    float sx;        // width / 1024 as a float
    float sy;        // height times the float nearest 1/768
    int ballWidth;   // trunc(sx * 20)
    int ballHeight;  // trunc(sy * 20)
    int top;         // trunc(sy * 676)
    int left0;       // trunc(sx * 300)
};

CBALLGEOMETRY LoadingBallGeometry(uint32_t width, uint32_t height);
// Left edge of ball i (0 .. 20): left0 + trunc(i * sx * 20).
int LoadingBallLeft(const CBALLGEOMETRY& geometry, int ball);

// Draws the whole animation into the current GL context of a window of
// width x height pixels (DevIL bound; it is initialised here) and returns
// true when the 21st ball is on screen. Before each ball it waits rand() %
// 500 ms through pause; when pause returns false (the run is to end) the
// animation stops there and returns false. A picture that is missing or
// cannot be decoded is reported; the background is then black and the balls
// plain green.
bool RunLoadingAnimation(int width, int height, bool (*pause)(uint32_t milliseconds));
// RunLoadingAnimation whose pauses handle the window's messages: Escape, a
// close request, a quit signal or a lost window end it early (false).
// *last receives the last message taken.
// work (may be null) is called in the pauses, one step per call, until it
// returns false (nothing left): a step starts only while its pause has time
// left, and the window's messages are handled between steps. The pause
// still ends at its designed time unless a step runs past it; it then ends
// when that step is done. Whatever work is left after the last pause is the
// caller's.
bool ShowLoadingScreen(int width, int height, PLATFORMMSG* last, bool (*work)() = nullptr);

#endif
