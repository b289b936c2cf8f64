// The demo's full-screen OpenGL window: opening it (display switch, window,
// context, loading screen, base GL state, scene), closing it in reverse
// order, and its window procedure with the input state the loop reads.
#ifndef PLM_SHELL_DEMO_WINDOW_H
#define PLM_SHELL_DEMO_WINDOW_H

#include <cstdint>

// 1 while the key with that virtual-key code is down.
extern uint32_t keys[256];
// True while the window is not minimised.
extern bool active;

// Switches the display to width x height x bits (refresh from DisplayMode),
// opens the window and its context, shows the loading screen and loads the
// scene. On failure it has shown its message box(es) and returns false.
bool OpenDemoWindow(const char* title, int width, int height, int bits);
// Releases the scene, the display mode, the context and the window, in that
// order; a failed release is reported and the rest still run.
void CloseDemoWindow();
// Handles one message; returns the message's result.
intptr_t DemoWindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam);
// Viewport and 45-degree projection for a client size in pixels.
void ResizeViewport(int width, int height);
// Base GL state, then the scene's loading. Always true.
bool InitRenderState();

#endif
