// Records the OpenGL calls of the code under test. A test executable that
// links plm_test_gl_recorder defines the gl* entry points listed in
// gl_recorder.cpp itself, so the code linked into it calls them instead of
// libGL's; with ENABLE_EXPORTS plm_engine.so binds to them too.
//
// Without a test GL context (gl_context.h) the calls are only recorded and
// the recorder hands out display-list and texture names itself, so no
// driver is needed. With the context open every call is recorded and then
// passed on to the driver, so pixels and state can be read back as well.
#ifndef PLM_TESTS_SUPPORT_GL_RECORDER_H
#define PLM_TESTS_SUPPORT_GL_RECORDER_H

#include <set>
#include <string>
#include <vector>

namespace glrec {

struct GlCall {
    std::string name;            // "glVertex3f", ...
    std::vector<double> args;    // numeric arguments in order (pointers left out)
    const void* data = nullptr;  // the pixel pointer of glTexImage2D
};

// Clears the record and the live list and texture names. Recording is on
// from the start of the process.
void Reset();
// Reset, then recording on; and recording off (calls still reach the driver).
void StartRecording();
void StopRecording();

const std::vector<GlCall>& Calls();
// Calls whose name is one of names, in order.
std::vector<GlCall> Only(const std::vector<std::string>& names);
// The calls compiled into display list `list` (between glNewList and glEndList).
std::vector<GlCall> ListContents(unsigned list);
// Display-list and texture names generated and not yet deleted.
const std::set<unsigned>& LiveLists();
const std::set<unsigned>& LiveTextures();
// A compact text form: "glNormal3f(0,0,1) glVertex3f(...)".
std::string Text(const std::vector<GlCall>& calls);

// One 2D vertex of a recorded primitive with the texture coordinate
// (glTexCoord2i) set before it.
struct Vertex2 {
    double x, y;
    double s, t;
};
// The glVertex2d vertices of every glBegin/glEnd pair, in order.
std::vector<std::vector<Vertex2>> Primitives();

}  // namespace glrec

#endif
