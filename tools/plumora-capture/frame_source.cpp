#include "frame_source.h"

namespace {

// Reads an integer state of the current context.
GLint Integer(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

// Empties the context's error queue so that the next check sees only what
// follows (bounded: a lost context may report errors forever).
void ClearGLErrors()
{
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

}  // namespace

bool CFRAMESOURCE::Open(int w, int h, std::string* error)
{
    Close();
    width = w;
    height = h;
    haveFramebuffers = LoadFramebufferGL(&gl);
    if (!haveFramebuffers) return true;  // only the window's buffers exist
    drawn = static_cast<GLuint>(Integer(GL_DRAW_FRAMEBUFFER_BINDING));
    if (drawn == 0 || Integer(GL_SAMPLES) <= 0) return true;
    ClearGLErrors();
    GLint alphaBits = Integer(GL_ALPHA_BITS);
    gl.GenRenderbuffers(1, &colour);
    gl.BindRenderbuffer(GL_RENDERBUFFER, colour);
    gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, 0, alphaBits > 0 ? GL_RGBA8 : GL_RGB8, w, h);
    gl.BindRenderbuffer(GL_RENDERBUFFER, 0);
    gl.GenFramebuffers(1, &resolved);
    gl.BindFramebuffer(GL_FRAMEBUFFER, resolved);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    bool complete = gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    gl.BindFramebuffer(GL_FRAMEBUFFER, drawn);
    if (complete && glGetError() == GL_NO_ERROR) return true;
    Close();
    *error = "cannot make a " + std::to_string(w) + "x" + std::to_string(h) +
             " copy of the multisampled picture to read it back";
    return false;
}

void CFRAMESOURCE::Close()
{
    if (resolved) gl.DeleteFramebuffers(1, &resolved);
    if (colour) gl.DeleteRenderbuffers(1, &colour);
    resolved = colour = 0;
    drawn = 0;
}

void CFRAMESOURCE::Select()
{
    if (!haveFramebuffers || drawn == 0) {
        glReadBuffer(GL_BACK);
        return;
    }
    if (!resolved) {
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, drawn);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        return;
    }
    // A blit is clipped by the scissor box like drawing is.
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    if (scissor) glDisable(GL_SCISSOR_TEST);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, drawn);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved);
    gl.BlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    if (scissor) glEnable(GL_SCISSOR_TEST);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, resolved);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
}

void CFRAMESOURCE::Restore()
{
    if (haveFramebuffers && drawn != 0) gl.BindFramebuffer(GL_FRAMEBUFFER, drawn);
}
