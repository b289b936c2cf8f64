// The demo's full-screen OpenGL window: opening it (display switch, window,
// context, loading screen, base GL state, scene), closing it in reverse
// order, and its window procedure with the input state the loop reads.
#ifndef PLM_SHELL_DEMO_WINDOW_H
#define PLM_SHELL_DEMO_WINDOW_H

#include "platform/messages.h"

#include <cstdint>

// 1 while the key with that virtual-key code is down.
extern uint32_t keys[256];
// True while the window is not minimised.
extern bool active;

// What OpenDemoWindow came to; only a failure is 0.
enum : int { DEMO_WINDOW_FAILED = 0, DEMO_WINDOW_OPEN = 1, DEMO_WINDOW_CANCELLED = 2 };

// Switches the display to width x height x bits (refresh from DisplayMode),
// opens the window and its context (on the display connection the setup
// dialog opened, when it is still up), shows the loading screen and loads
// the scene: DEMO_WINDOW_OPEN. On failure it has shown its message box(es):
// DEMO_WINDOW_FAILED. When the run is to end during the loading screen
// (Escape, a close request, a quit signal, a lost window) the scene is not
// loaded and the window stays for CloseDemoWindow: DEMO_WINDOW_CANCELLED,
// with *last the last message taken, whose wParam is the exit status as
// after the frame loop.
int OpenDemoWindow(const char* title, int width, int height, int bits, PLATFORMMSG* last);
// Releases the scene, the display mode, the context and the window, in that
// order; a failed release is reported and the rest still run.
void CloseDemoWindow();
// Handles one message; returns the message's result. A lost window
// (WM_DESTROY) ends the run with EXIT_WINDOW_LOST.
intptr_t DemoWindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam);
// Viewport and 45-degree projection for a client size in pixels.
void ResizeViewport(int width, int height);
// Base GL state, then the scene's loading. Always true.
bool InitRenderState();

#endif
