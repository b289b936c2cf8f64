#include "tests/support/gl_recorder.h"

#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <dlfcn.h>

#include <map>
#include <sstream>

namespace {

std::vector<glrec::GlCall> calls;
std::set<unsigned> liveLists, liveTextures;
std::map<unsigned, std::vector<glrec::GlCall>> lists;
unsigned nextList = 1, nextTexture = 1, compiling = 0;
bool recording = true;

void Record(const char* name, std::vector<double> args, const void* data = nullptr)
{
    if (!recording) return;
    glrec::GlCall c{name, std::move(args), data};
    if (compiling && c.name != "glEndList") lists[compiling].push_back(c);
    calls.push_back(std::move(c));
}

// The driver's entry point of the same name, when a context is open to
// take the call; null otherwise.
template <typename F>
F Driver(const char* name)
{
    if (!plmtest::GlContextOpen()) return nullptr;
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

namespace glrec {

void Reset()
{
    calls.clear();
    liveLists.clear();
    liveTextures.clear();
    lists.clear();
    compiling = 0;
}
void StartRecording()
{
    Reset();
    recording = true;
}
void StopRecording()
{
    recording = false;
}
const std::vector<GlCall>& Calls()
{
    return calls;
}
std::vector<GlCall> Only(const std::vector<std::string>& names)
{
    std::vector<GlCall> out;
    for (const GlCall& c : calls)
        for (const std::string& n : names)
            if (c.name == n) out.push_back(c);
    return out;
}
std::vector<GlCall> ListContents(unsigned list)
{
    auto it = lists.find(list);
    return it == lists.end() ? std::vector<GlCall>{} : it->second;
}
const std::set<unsigned>& LiveLists()
{
    return liveLists;
}
const std::set<unsigned>& LiveTextures()
{
    return liveTextures;
}
std::string Text(const std::vector<GlCall>& cs)
{
    std::ostringstream s;
    for (size_t i = 0; i < cs.size(); ++i) {
        if (i) s << ' ';
        s << cs[i].name << '(';
        for (size_t k = 0; k < cs[i].args.size(); ++k) s << (k ? "," : "") << cs[i].args[k];
        s << ')';
    }
    return s.str();
}
std::vector<std::vector<Vertex2>> Primitives()
{
    std::vector<std::vector<Vertex2>> primitives;
    double s = 0, t = 0;
    for (const GlCall& call : calls) {
        if (call.name == "glBegin") primitives.emplace_back();
        if (call.name == "glTexCoord2i") s = call.args[0], t = call.args[1];
        if (call.name == "glVertex2d" && !primitives.empty())
            primitives.back().push_back(Vertex2{call.args[0], call.args[1], s, t});
    }
    return primitives;
}

}  // namespace glrec

// The recorded entry points: record, then pass on to the driver if a
// context is open. Names are the driver's then, else the recorder's own.
extern "C" {

GLuint glGenLists(GLsizei range)
{
    GLuint first = nextList;
    if (auto real = Driver<GLuint (*)(GLsizei)>("glGenLists"))
        first = real(range);
    else
        nextList += static_cast<GLuint>(range);
    for (GLsizei i = 0; i < range; ++i) liveLists.insert(first + i);
    Record("glGenLists", {double(range)});
    return first;
}
void glDeleteLists(GLuint list, GLsizei range)
{
    for (GLsizei i = 0; i < range; ++i) {
        liveLists.erase(list + i);
        lists.erase(list + i);
    }
    Record("glDeleteLists", {double(list), double(range)});
    if (auto real = Driver<void (*)(GLuint, GLsizei)>("glDeleteLists")) real(list, range);
}
void glNewList(GLuint list, GLenum mode)
{
    lists[list].clear();
    Record("glNewList", {double(list), double(mode)});
    compiling = list;
    if (auto real = Driver<void (*)(GLuint, GLenum)>("glNewList")) real(list, mode);
}
void glEndList()
{
    compiling = 0;
    Record("glEndList", {});
    if (auto real = Driver<void (*)()>("glEndList")) real();
}
void glBegin(GLenum mode)
{
    Record("glBegin", {double(mode)});
    if (auto real = Driver<void (*)(GLenum)>("glBegin")) real(mode);
}
void glEnd()
{
    Record("glEnd", {});
    if (auto real = Driver<void (*)()>("glEnd")) real();
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    Record("glNormal3f", {x, y, z});
    if (auto real = Driver<void (*)(GLfloat, GLfloat, GLfloat)>("glNormal3f")) real(x, y, z);
}
void glTexCoord2f(GLfloat s, GLfloat t)
{
    Record("glTexCoord2f", {s, t});
    if (auto real = Driver<void (*)(GLfloat, GLfloat)>("glTexCoord2f")) real(s, t);
}
void glTexCoord2i(GLint s, GLint t)
{
    Record("glTexCoord2i", {double(s), double(t)});
    if (auto real = Driver<void (*)(GLint, GLint)>("glTexCoord2i")) real(s, t);
}
void glVertex2d(GLdouble x, GLdouble y)
{
    Record("glVertex2d", {x, y});
    if (auto real = Driver<void (*)(GLdouble, GLdouble)>("glVertex2d")) real(x, y);
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    Record("glVertex3f", {x, y, z});
    if (auto real = Driver<void (*)(GLfloat, GLfloat, GLfloat)>("glVertex3f")) real(x, y, z);
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    Record("glColor4f", {r, g, b, a});
    if (auto real = Driver<void (*)(GLfloat, GLfloat, GLfloat, GLfloat)>("glColor4f")) real(r, g, b, a);
}
void glCallList(GLuint list)
{
    Record("glCallList", {double(list)});
    if (auto real = Driver<void (*)(GLuint)>("glCallList")) real(list);
}
void glEnable(GLenum cap)
{
    Record("glEnable", {double(cap)});
    if (auto real = Driver<void (*)(GLenum)>("glEnable")) real(cap);
}
void glDisable(GLenum cap)
{
    Record("glDisable", {double(cap)});
    if (auto real = Driver<void (*)(GLenum)>("glDisable")) real(cap);
}
void glBlendFunc(GLenum source, GLenum destination)
{
    Record("glBlendFunc", {double(source), double(destination)});
    if (auto real = Driver<void (*)(GLenum, GLenum)>("glBlendFunc")) real(source, destination);
}
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    Record("glViewport", {double(x), double(y), double(width), double(height)});
    if (auto real = Driver<void (*)(GLint, GLint, GLsizei, GLsizei)>("glViewport")) real(x, y, width, height);
}
void glBindTexture(GLenum target, GLuint texture)
{
    Record("glBindTexture", {double(target), double(texture)});
    if (auto real = Driver<void (*)(GLenum, GLuint)>("glBindTexture")) real(target, texture);
}
void glGenTextures(GLsizei n, GLuint* textures)
{
    if (auto real = Driver<void (*)(GLsizei, GLuint*)>("glGenTextures"))
        real(n, textures);
    else
        for (GLsizei i = 0; i < n; ++i) textures[i] = nextTexture++;
    for (GLsizei i = 0; i < n; ++i) liveTextures.insert(textures[i]);
    Record("glGenTextures", {double(n)});
}
void glDeleteTextures(GLsizei n, const GLuint* textures)
{
    std::vector<double> args{double(n)};
    for (GLsizei i = 0; i < n; ++i) {
        liveTextures.erase(textures[i]);
        args.push_back(textures[i]);
    }
    Record("glDeleteTextures", args);
    if (auto real = Driver<void (*)(GLsizei, const GLuint*)>("glDeleteTextures")) real(n, textures);
}
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels)
{
    Record("glTexImage2D",
           {double(target), double(level), double(internalFormat), double(width), double(height),
            double(border), double(format), double(type)},
           pixels);
    using Upload = void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*);
    if (auto real = Driver<Upload>("glTexImage2D"))
        real(target, level, internalFormat, width, height, border, format, type, pixels);
}
void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    Record("glTexParameteri", {double(target), double(pname), double(param)});
    if (auto real = Driver<void (*)(GLenum, GLenum, GLint)>("glTexParameteri")) real(target, pname, param);
}

}  // extern "C"
