// The off-screen GL surface as a WGL pixel buffer.
#include "platform/win32/offscreen_surface.h"

#include <cstdio>

namespace {

struct PBUFFERCALLS {
    PFNWGLCHOOSEPIXELFORMATARBPROC choose;
    PFNWGLCREATEPBUFFERARBPROC create;
    PFNWGLGETPBUFFERDCARBPROC getDC;
    PFNWGLRELEASEPBUFFERDCARBPROC releaseDC;
    PFNWGLDESTROYPBUFFERARBPROC destroy;
    PFNWGLQUERYPBUFFERARBPROC query;
    PFNWGLGETPIXELFORMATATTRIBIVARBPROC attribute;  // may be null
};

// How many of the matching formats are looked at for the shallowest depth.
const UINT MAX_FORMATS = 64;

template <typename FUNCTION>
bool Find(const char* name, FUNCTION* function)
{
    *function = reinterpret_cast<FUNCTION>(reinterpret_cast<void*>(wglGetProcAddress(name)));
    return *function != nullptr;
}

bool FindCalls(PBUFFERCALLS* calls)
{
    // Only for choosing among formats: without it the driver's first is taken.
    Find("wglGetPixelFormatAttribivARB", &calls->attribute);
    return Find("wglChoosePixelFormatARB", &calls->choose) && Find("wglCreatePbufferARB", &calls->create) &&
           Find("wglGetPbufferDCARB", &calls->getDC) && Find("wglReleasePbufferDCARB", &calls->releaseDC) &&
           Find("wglDestroyPbufferARB", &calls->destroy) && Find("wglQueryPbufferARB", &calls->query);
}

// Of the formats in the driver's order, the first with the fewest depth
// bits: Wine lists the deepest buffers first, while the demo window's
// ChoosePixelFormat takes the depth asked for. With the same precision the
// depth tests, and with them which of two nearly coincident lines is drawn,
// come out in the captured pictures as on screen.
int ShallowestDepth(const PBUFFERCALLS& calls, HDC dc, const int* formats, UINT count)
{
    if (!calls.attribute) return formats[0];
    int chosen = formats[0], fewest = 0;
    for (UINT i = 0; i < count; ++i) {
        const int name = WGL_DEPTH_BITS_ARB;
        int depth = 0;
        if (!calls.attribute(dc, formats[i], 0, 1, &name, &depth)) continue;
        if (fewest == 0 || depth < fewest) {
            fewest = depth;
            chosen = formats[i];
        }
    }
    return chosen;
}

bool ChooseFormat(const PBUFFERCALLS& calls, HDC dc, int* format)
{
    const int wanted[] = {WGL_DRAW_TO_PBUFFER_ARB,
                          GL_TRUE,
                          WGL_SUPPORT_OPENGL_ARB,
                          GL_TRUE,
                          WGL_DOUBLE_BUFFER_ARB,
                          GL_TRUE,
                          WGL_PIXEL_TYPE_ARB,
                          WGL_TYPE_RGBA_ARB,
                          WGL_RED_BITS_ARB,
                          8,
                          WGL_GREEN_BITS_ARB,
                          8,
                          WGL_BLUE_BITS_ARB,
                          8,
                          WGL_DEPTH_BITS_ARB,
                          16,
                          0};
    int formats[MAX_FORMATS];
    UINT count = 0;
    if (!calls.choose(dc, wanted, nullptr, MAX_FORMATS, formats, &count) || count == 0) return false;
    *format = ShallowestDepth(calls, dc, formats, count < MAX_FORMATS ? count : MAX_FORMATS);
    return true;
}

// The buffer is made without WGL_PBUFFER_LARGEST_ARB, so it is either the
// size asked for or not made at all; the size is checked all the same.
bool HasSize(const PBUFFERCALLS& calls, HPBUFFERARB buffer, int width, int height)
{
    int w = 0, h = 0;
    return calls.query(buffer, WGL_PBUFFER_WIDTH_ARB, &w) &&
           calls.query(buffer, WGL_PBUFFER_HEIGHT_ARB, &h) && w == width && h == height;
}

bool Fail(const char* reason)
{
    std::fprintf(stderr, "off-screen surface: %s\n", reason);
    return false;
}

}  // namespace

bool CreateOffscreenSurface(HDC windowDC, int width, int height, OFFSCREENSURFACE* surface)
{
    PBUFFERCALLS calls;
    if (!FindCalls(&calls)) return Fail("the GL driver has no pixel buffers (WGL_ARB_pbuffer)");
    int format = 0;
    if (!ChooseFormat(calls, windowDC, &format)) return Fail("no double-buffered RGB pixel-buffer format");
    const int noOptions[] = {0};
    HPBUFFERARB buffer = calls.create(windowDC, format, width, height, noOptions);
    if (!buffer) return Fail("the driver refused a pixel buffer of that size");
    surface->buffer = buffer;
    surface->releaseDC = calls.releaseDC;
    surface->destroy = calls.destroy;
    surface->dc = calls.getDC(buffer);
    if (!surface->dc) return Fail("no device context for the pixel buffer");
    if (!HasSize(calls, buffer, width, height)) return Fail("the pixel buffer has another size");
    return true;
}

void ReleaseOffscreenSurface(OFFSCREENSURFACE* surface)
{
    if (surface->dc) surface->releaseDC(surface->buffer, surface->dc);
    if (surface->buffer) surface->destroy(surface->buffer);
    *surface = OFFSCREENSURFACE();
}
