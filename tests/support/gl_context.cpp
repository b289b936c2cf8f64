#include "tests/support/gl_context.h"

#include "platform/drivers.h"
#include "platform/window.h"

#include <GL/gl.h>

namespace plmtest {

// Every use of the platform window calls in the tests is in this file.
bool OpenGlContext(int width, int height)
{
    if (PlatformHasGLContext()) return true;
    if (PlatformHasWindow()) PlatformDestroyWindow();
    PlatformUseOffscreenVideo();
    return PlatformStartVideo() && PlatformOpenOffscreenGLWindow(width, height);
}

bool GlContextOpen()
{
    return PlatformHasGLContext();
}

void CloseGlContext()
{
    if (PlatformHasGLContext()) {
        PlatformDetachGLContext();
        PlatformDeleteGLContext();
    }
    if (PlatformHasWindow()) PlatformDestroyWindow();
}

void ReadPixel(int x, int y, unsigned char rgb[3])
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

}  // namespace plmtest
