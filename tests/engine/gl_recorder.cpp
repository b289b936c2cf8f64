#include "gl_recorder.h"

#include <GL/gl.h>

#include <map>
#include <sstream>

namespace {

std::vector<GlCall> calls;
std::set<unsigned> liveLists, liveTextures;
std::map<unsigned, std::vector<GlCall>> lists;
unsigned nextList = 1, nextTexture = 1, compiling = 0;

void Record(const char* name, std::vector<double> args, const void* data = nullptr)
{
    GlCall c{name, std::move(args), data};
    if (compiling && c.name != "glEndList") lists[compiling].push_back(c);
    calls.push_back(std::move(c));
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

}  // namespace glrec

// The GL entry points that the engine uses, recorded instead of executed.
extern "C" {

GLuint glGenLists(GLsizei range)
{
    GLuint first = nextList;
    nextList += static_cast<GLuint>(range);
    for (GLuint i = first; i < nextList; ++i) liveLists.insert(i);
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
}
void glNewList(GLuint list, GLenum mode)
{
    lists[list].clear();
    Record("glNewList", {double(list), double(mode)});
    compiling = list;
}
void glEndList()
{
    compiling = 0;
    Record("glEndList", {});
}
void glBegin(GLenum mode)
{
    Record("glBegin", {double(mode)});
}
void glEnd()
{
    Record("glEnd", {});
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    Record("glNormal3f", {x, y, z});
}
void glTexCoord2f(GLfloat s, GLfloat t)
{
    Record("glTexCoord2f", {s, t});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    Record("glVertex3f", {x, y, z});
}
void glCallList(GLuint list)
{
    Record("glCallList", {double(list)});
}
void glBindTexture(GLenum target, GLuint texture)
{
    Record("glBindTexture", {double(target), double(texture)});
}
void glGenTextures(GLsizei n, GLuint* textures)
{
    for (GLsizei i = 0; i < n; ++i) {
        textures[i] = nextTexture++;
        liveTextures.insert(textures[i]);
    }
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
}
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels)
{
    Record("glTexImage2D",
           {double(target), double(level), double(internalFormat), double(width), double(height),
            double(border), double(format), double(type)},
           pixels);
}
void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    Record("glTexParameteri", {double(target), double(pname), double(param)});
}

}  // extern "C"
