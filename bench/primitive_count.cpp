#include "primitive_count.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

extern "C" {
void __real_glBegin(GLenum mode);
void __real_glEnd();
void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void __real_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);
}

namespace {

// Query objects per frame for each kind: the frame's filled part is
// interrupted once per line drawing call.
const int QUERY_SLOTS = 4096;

GLuint filledQueries[QUERY_SLOTS];
GLuint lineQueries[QUERY_SLOTS];
int filledUsed = 0;
int linesUsed = 0;
bool counting = false;
bool inLines = false;

bool IsLineMode(GLenum mode)
{
    return mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
}

// Moves counting onto a line query; false when there is none left (the
// lines then count as filled).
bool EnterLines(GLenum mode)
{
    if (!counting || !IsLineMode(mode) || linesUsed == QUERY_SLOTS || filledUsed == QUERY_SLOTS) return false;
    glEndQuery(GL_PRIMITIVES_GENERATED);
    glBeginQuery(GL_PRIMITIVES_GENERATED, lineQueries[linesUsed++]);
    return true;
}

void LeaveLines()
{
    glEndQuery(GL_PRIMITIVES_GENERATED);
    glBeginQuery(GL_PRIMITIVES_GENERATED, filledQueries[filledUsed++]);
}

uint32_t Sum(const GLuint* queries, int used)
{
    uint64_t total = 0;
    for (int i = 0; i < used; ++i) {
        GLuint64 value = 0;
        glGetQueryObjectui64v(queries[i], GL_QUERY_RESULT, &value);
        total += value;
    }
    return total > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(total);
}

}  // namespace

extern "C" {

void __wrap_glBegin(GLenum mode)
{
    inLines = EnterLines(mode);
    __real_glBegin(mode);
}

void __wrap_glEnd()
{
    __real_glEnd();
    if (inLines) LeaveLines();
    inLines = false;
}

void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    bool lines = EnterLines(mode);
    __real_glDrawArrays(mode, first, count);
    if (lines) LeaveLines();
}

void __wrap_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    bool lines = EnterLines(mode);
    __real_glDrawElements(mode, count, type, indices);
    if (lines) LeaveLines();
}
}

bool PrimitiveCountStart()
{
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenQueries(QUERY_SLOTS, filledQueries);
    glGenQueries(QUERY_SLOTS, lineQueries);
    return glGetError() == GL_NO_ERROR;
}

void PrimitiveCountBeginFrame()
{
    filledUsed = linesUsed = 0;
    glBeginQuery(GL_PRIMITIVES_GENERATED, filledQueries[filledUsed++]);
    counting = true;
}

void PrimitiveCountEndFrame()
{
    counting = false;
    glEndQuery(GL_PRIMITIVES_GENERATED);
}

void PrimitiveCountResults(uint32_t* filled, uint32_t* lines)
{
    *filled = Sum(filledQueries, filledUsed);
    *lines = Sum(lineQueries, linesUsed);
}

void PrimitiveCountStop()
{
    glDeleteQueries(QUERY_SLOTS, filledQueries);
    glDeleteQueries(QUERY_SLOTS, lineQueries);
}
