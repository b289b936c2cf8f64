// Watching the X display under SDL (inside the SDL backend only). Xlib reports an
// error about a window that another client destroyed through the error
// handler, and a lost server connection through the I/O error handlers; by
// default the first ends in SDL's handler (which makes further requests from
// inside the handler and can hang there) and the second ends the process.
// Here both only record that the window is lost, so that the program can
// leave through its normal shutdown. Does nothing on other video drivers.
#ifndef PLM_PLATFORM_SDL_DISPLAY_WATCH_H
#define PLM_PLATFORM_SDL_DISPLAY_WATCH_H

struct SDL_Window;

// Installs the error handler over the one the video driver installed; call
// after every start of the video system.
void WatchDisplayErrors();
// Makes `window` the watched window: errors about it, or about any window or
// drawable while it is watched, mark it lost; so does losing its display
// connection.
void WatchWindow(SDL_Window* window);
// Stops watching; call right after the window was destroyed. Waits for the
// server to answer every request made so far, so that errors they caused
// (about a window that was already gone) are absorbed here.
void ForgetWindow();
// Like ForgetWindow, for the end of the video system: afterwards the video
// driver restores the default handler.
void StopWatchingDisplay();
// True once the watched window was lost (sticky until the next WatchWindow).
bool WatchedWindowLost();
// True while a loss of the watched window has not been taken yet.
bool WindowLossPending();
// True the first time it is asked after the watched window was lost: the
// loss becomes one message.
bool TakeWindowLoss();
// True once the display connection was lost; the video system can then only
// be shut down.
bool DisplayConnectionLost();

#endif
