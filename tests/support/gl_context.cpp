#include "tests/support/gl_context.h"

#include "platform/process.h"
#include "platform/window.h"

#include <GL/gl.h>

namespace plmtest {

// Every use of the platform window calls in the tests is in this file.
bool OpenGlContext(int width, int height)
{
    if (PlatformHasContext()) return true;
    PlatformUseOffscreenVideo();
    if (!PlatformRegisterWindowClass() || !PlatformRequestPixelFormat(32)) return false;
    if (!PlatformHasWindow() && !PlatformCreateOffscreenWindow(width, height)) return false;
    return PlatformChoosePixelFormat() && PlatformCreateContext() && PlatformMakeCurrent();
}

bool GlContextOpen()
{
    return PlatformHasContext();
}

void CloseGlContext()
{
    if (PlatformHasContext()) {
        PlatformReleaseContext();
        PlatformDeleteContext();
    }
    if (PlatformHasWindow()) PlatformDestroyWindow();
}

void ReadPixel(int x, int y, unsigned char rgb[3])
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

}  // namespace plmtest
