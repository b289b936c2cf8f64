#include "gl_harness.h"

#include <GL/gl.h>
#include <SDL.h>
#include <dlfcn.h>

#include <cstdlib>

namespace {

std::vector<GlCall> calls;
bool recording = false;

void Record(const char* name, double a = 0, double b = 0, double c = 0, double d = 0)
{
    if (recording) calls.push_back(GlCall{name, {a, b, c, d}});
}

template <typename F>
F Next(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// The interposed entry points: record, then call the real one.
extern "C" {

void glBegin(GLenum mode)
{
    Record("glBegin", mode);
    static auto real = Next<void (*)(GLenum)>("glBegin");
    real(mode);
}

void glEnd(void)
{
    Record("glEnd");
    static auto real = Next<void (*)(void)>("glEnd");
    real();
}

void glVertex2d(GLdouble x, GLdouble y)
{
    Record("glVertex2d", x, y);
    static auto real = Next<void (*)(GLdouble, GLdouble)>("glVertex2d");
    real(x, y);
}

void glTexCoord2i(GLint s, GLint t)
{
    Record("glTexCoord2i", s, t);
    static auto real = Next<void (*)(GLint, GLint)>("glTexCoord2i");
    real(s, t);
}

void glBindTexture(GLenum target, GLuint texture)
{
    Record("glBindTexture", target, texture);
    static auto real = Next<void (*)(GLenum, GLuint)>("glBindTexture");
    real(target, texture);
}

void glBlendFunc(GLenum source, GLenum destination)
{
    Record("glBlendFunc", source, destination);
    static auto real = Next<void (*)(GLenum, GLenum)>("glBlendFunc");
    real(source, destination);
}

void glEnable(GLenum cap)
{
    Record("glEnable", cap);
    static auto real = Next<void (*)(GLenum)>("glEnable");
    real(cap);
}

void glDisable(GLenum cap)
{
    Record("glDisable", cap);
    static auto real = Next<void (*)(GLenum)>("glDisable");
    real(cap);
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    Record("glColor4f", r, g, b, a);
    static auto real = Next<void (*)(GLfloat, GLfloat, GLfloat, GLfloat)>("glColor4f");
    real(r, g, b, a);
}

void glDeleteTextures(GLsizei n, const GLuint* textures)
{
    Record("glDeleteTextures", n, n > 0 ? textures[0] : 0);
    static auto real = Next<void (*)(GLsizei, const GLuint*)>("glDeleteTextures");
    real(n, textures);
}

}  // extern "C"

bool OpenGlContext(int width, int height)
{
    static bool open = false;
    if (open) return true;
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    SDL_Window* window =
        SDL_CreateWindow("plumora tests", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) return false;
    open = SDL_GL_CreateContext(window) != nullptr;
    return open;
}

void StartRecording()
{
    calls.clear();
    recording = true;
}

void StopRecording()
{
    recording = false;
}

const std::vector<GlCall>& RecordedCalls()
{
    return calls;
}

std::vector<GlCall> CallsNamed(const std::string& name)
{
    std::vector<GlCall> named;
    for (const GlCall& call : calls)
        if (call.name == name) named.push_back(call);
    return named;
}

std::vector<std::vector<GlVertex>> RecordedPrimitives()
{
    std::vector<std::vector<GlVertex>> primitives;
    double s = 0, t = 0;
    for (const GlCall& call : calls) {
        if (call.name == "glBegin") primitives.emplace_back();
        if (call.name == "glTexCoord2i") s = call.args[0], t = call.args[1];
        if (call.name == "glVertex2d" && !primitives.empty())
            primitives.back().push_back(GlVertex{call.args[0], call.args[1], s, t});
    }
    return primitives;
}

void ReadPixel(int x, int y, unsigned char rgb[3])
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}
