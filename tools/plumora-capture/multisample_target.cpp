#include "multisample_target.h"

namespace {

GLint Integer(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

// Renderbuffer formats that keep the window's precision, so that the
// picture differs from the window's only along edges.
GLenum ColourFormat()
{
    return Integer(GL_ALPHA_BITS) > 0 ? GL_RGBA8 : GL_RGB8;
}

GLenum DepthFormat()
{
    GLint bits = Integer(GL_DEPTH_BITS);
    if (bits > 24) return GL_DEPTH_COMPONENT32;
    return bits > 16 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16;
}

}  // namespace

int MaxPictureSamples()
{
    CFRAMEBUFFERGL gl;
    if (!LoadFramebufferGL(&gl)) return 1;
    GLint samples = Integer(GL_MAX_SAMPLES);
    return samples > 1 ? static_cast<int>(samples) : 1;
}

bool CMULTISAMPLETARGET::Open(int width, int height, int samples, std::string* error)
{
    Close();
    if (width <= 0 || height <= 0 || samples < 2) {
        *error = "bad multisampled picture size";
        return false;
    }
    if (!LoadFramebufferGL(&gl)) {
        *error = "this OpenGL implementation has no multisampled framebuffers";
        return false;
    }
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    // Formats are read from the window's buffers, before anything is bound.
    GLenum colourFormat = ColourFormat(), depthFormat = DepthFormat();
    gl.GenRenderbuffers(1, &colour);
    gl.BindRenderbuffer(GL_RENDERBUFFER, colour);
    gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, samples, colourFormat, width, height);
    gl.GenRenderbuffers(1, &depth);
    gl.BindRenderbuffer(GL_RENDERBUFFER, depth);
    gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, samples, depthFormat, width, height);
    gl.BindRenderbuffer(GL_RENDERBUFFER, 0);
    gl.GenFramebuffers(1, &framebuffer);
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    GLenum status = gl.CheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status == GL_FRAMEBUFFER_COMPLETE && glGetError() == GL_NO_ERROR) return true;
    Close();
    *error = "cannot make a " + std::to_string(width) + "x" + std::to_string(height) + " picture with " +
             std::to_string(samples) + " samples per pixel";
    return false;
}

void CMULTISAMPLETARGET::Close()
{
    if (framebuffer) {
        gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
        gl.DeleteFramebuffers(1, &framebuffer);
    }
    if (colour) gl.DeleteRenderbuffers(1, &colour);
    if (depth) gl.DeleteRenderbuffers(1, &depth);
    framebuffer = colour = depth = 0;
}

bool CMULTISAMPLETARGET::IsOpen() const
{
    return framebuffer != 0;
}
