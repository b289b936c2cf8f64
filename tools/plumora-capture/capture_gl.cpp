#include "capture_gl.h"

#include "platform/window.h"

#include <cstring>

namespace {

// Looks one function up; clears *complete when it is missing.
template <typename FUNCTION>
void Find(FUNCTION* function, const char* name, bool* complete)
{
    *function = reinterpret_cast<FUNCTION>(PlatformGLProcAddress(name));
    if (!*function) *complete = false;
}

}  // namespace

int CurrentGLVersion()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    // "major.minor[.release] vendor text"; single digits in every version so far.
    if (!version || version[0] < '1' || version[0] > '9' || version[1] != '.' || version[2] < '0' ||
        version[2] > '9')
        return 0;
    return (version[0] - '0') * 10 + (version[2] - '0');
}

bool HasGLExtension(const char* name)
{
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    size_t length = std::strlen(name);
    if (!list || length == 0) return false;
    for (const char* at = std::strstr(list, name); at; at = std::strstr(at + 1, name)) {
        bool starts = at == list || at[-1] == ' ';
        bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

bool LoadPixelBufferGL(CPIXELBUFFERGL* gl)
{
    int version = CurrentGLVersion();
    *gl = CPIXELBUFFERGL();
    if (version < 21 && !(version >= 15 && HasGLExtension("GL_ARB_pixel_buffer_object"))) return false;
    bool complete = true;
    Find(&gl->GenBuffers, "glGenBuffers", &complete);
    Find(&gl->DeleteBuffers, "glDeleteBuffers", &complete);
    Find(&gl->BindBuffer, "glBindBuffer", &complete);
    Find(&gl->BufferData, "glBufferData", &complete);
    Find(&gl->MapBuffer, "glMapBuffer", &complete);
    Find(&gl->UnmapBuffer, "glUnmapBuffer", &complete);
    Find(&gl->GetBufferSubData, "glGetBufferSubData", &complete);
    if (!complete) *gl = CPIXELBUFFERGL();
    return complete;
}

bool LoadFramebufferGL(CFRAMEBUFFERGL* gl)
{
    *gl = CFRAMEBUFFERGL();
    if (CurrentGLVersion() < 30 && !HasGLExtension("GL_ARB_framebuffer_object")) return false;
    bool complete = true;
    Find(&gl->GenFramebuffers, "glGenFramebuffers", &complete);
    Find(&gl->DeleteFramebuffers, "glDeleteFramebuffers", &complete);
    Find(&gl->BindFramebuffer, "glBindFramebuffer", &complete);
    Find(&gl->CheckFramebufferStatus, "glCheckFramebufferStatus", &complete);
    Find(&gl->FramebufferRenderbuffer, "glFramebufferRenderbuffer", &complete);
    Find(&gl->GenRenderbuffers, "glGenRenderbuffers", &complete);
    Find(&gl->DeleteRenderbuffers, "glDeleteRenderbuffers", &complete);
    Find(&gl->BindRenderbuffer, "glBindRenderbuffer", &complete);
    Find(&gl->RenderbufferStorageMultisample, "glRenderbufferStorageMultisample", &complete);
    Find(&gl->BlitFramebuffer, "glBlitFramebuffer", &complete);
    if (!complete) *gl = CFRAMEBUFFERGL();
    return complete;
}
