#include "capture_context.h"

#include "multisample_target.h"

#include "platform/drivers.h"
#include "platform/window.h"

#include <GL/gl.h>

#include <algorithm>

#ifndef GL_MAX_RENDERBUFFER_SIZE
#define GL_MAX_RENDERBUFFER_SIZE 0x84E8
#endif

namespace {

const int PROBE_SIDE = 16;  // pixels of the throw-away context

void CloseContext()
{
    if (PlatformHasGLContext()) {
        PlatformDetachGLContext();
        PlatformDeleteGLContext();
    }
    if (PlatformHasWindow()) PlatformDestroyWindow();
}

}  // namespace

bool OpenOffscreenContext(int width, int height)
{
    PlatformUseOffscreenVideo();
    PlatformUseSilentAudio();
    return PlatformStartVideo() && PlatformOpenOffscreenGLWindow(width, height);
}

bool QueryMaxPictureSize(int* maxWidth, int* maxHeight, std::string* error)
{
    CCAPTURELIMITS limits;
    if (!QueryCaptureLimits(&limits, error)) return false;
    *maxWidth = limits.maxWidth;
    *maxHeight = limits.maxHeight;
    return true;
}

bool QueryCaptureLimits(CCAPTURELIMITS* limits, std::string* error)
{
    int* maxWidth = &limits->maxWidth;
    int* maxHeight = &limits->maxHeight;
    if (!OpenOffscreenContext(PROBE_SIDE, PROBE_SIDE)) {
        CloseContext();
        *error = "cannot create an off-screen OpenGL context";
        return false;
    }
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    *maxWidth = viewport[0];
    *maxHeight = viewport[1];
    // Renderbuffers bound the picture too where the implementation has them;
    // where it has not, the query fails and only the viewport counts.
    GLint renderbuffer = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    if (glGetError() == GL_NO_ERROR && renderbuffer > 0) {
        *maxWidth = std::min(*maxWidth, static_cast<int>(renderbuffer));
        *maxHeight = std::min(*maxHeight, static_cast<int>(renderbuffer));
    }
    limits->maxSamples = MaxPictureSamples();
    CloseContext();
    if (*maxWidth <= 0 || *maxHeight <= 0) {
        *error = "the OpenGL implementation reports no viewport size";
        return false;
    }
    return true;
}
