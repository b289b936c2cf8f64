// Inside the Win32 display backend only: the state its files share. The
// platform's message header is included before <windows.h>, whose macros of
// the same names and values then take over (the other order does not
// compile).
#ifndef PLM_PLATFORM_WIN32_WIN32_DISPLAY_H
#define PLM_PLATFORM_WIN32_WIN32_DISPLAY_H

#include "platform/messages.h"

#include <windows.h>

// The window class of every window of the backend.
extern const char* const DEMO_WINDOW_CLASS;

// The window procedure of the class: translates what the program has a
// message for into the queue (platform/events.h) and handles the rest.
LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Makes the next window created with the class the demo window: only its
// messages reach the program (from its creation on, so that the sizes it
// gets then are told too), and its destruction from outside is reported as
// a lost window. Other windows of the class (the hidden probe and helper
// windows) tell the program nothing.
void WatchNextDemoWindow();
// Stops watching, before the backend destroys the window itself.
void ForgetDemoWindow();

// True once after PlatformUseOffscreenVideo: the video start that takes the
// request runs off screen until the video stops.
bool TakeOffscreenVideoRequest();
// True while the started video runs off screen: no window is shown and the
// desktop's mode is never changed.
bool OffscreenVideo();

// True when the process runs under Wine, whose desktop is an X display.
bool RunningUnderWine();

#endif
