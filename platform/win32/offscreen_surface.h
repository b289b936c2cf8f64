// Inside the Win32 backend only: an invisible GL surface of an exact size,
// a pixel buffer (WGL_ARB_pbuffer), for capture and tests. Wine implements
// pixel buffers over GLX ones, so this works on an X display without
// showing anything.
#ifndef PLM_PLATFORM_WIN32_OFFSCREEN_SURFACE_H
#define PLM_PLATFORM_WIN32_OFFSCREEN_SURFACE_H

#include "platform/win32/win32_display.h"

#include <GL/gl.h>
#include <GL/wglext.h>

struct OFFSCREENSURFACE {
    HPBUFFERARB buffer = nullptr;  // the pixel buffer
    HDC dc = nullptr;              // its device context
    // Taken while a context was current, for the release, which may come
    // after the context is gone.
    PFNWGLRELEASEPBUFFERDCARBPROC releaseDC = nullptr;
    PFNWGLDESTROYPBUFFERARBPROC destroy = nullptr;
};

// Makes a double-buffered RGB surface of 8 bits per channel and a depth
// buffer of at least 16 bits, the fewest the driver offers (as for the demo
// window, whose format asks for 16), width x height pixels exactly. Needs a GL
// context current on `windowDC` (the extension's functions are only found
// through one). False, with the reason on stderr, when the driver has no
// pixel buffers, no such format, or not that size.
bool CreateOffscreenSurface(HDC windowDC, int width, int height, OFFSCREENSURFACE* surface);
// Releases the surface's device context and the buffer; harmless on an
// empty surface.
void ReleaseOffscreenSurface(OFFSCREENSURFACE* surface);

#endif
