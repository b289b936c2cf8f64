// Records the OpenGL calls that the engine makes. Test executables that link
// this library export its gl* functions (ENABLE_EXPORTS), so plm_engine.so
// binds to them instead of libGL's: the real library is tested, no context
// is needed.
#ifndef PLM_TESTS_GL_RECORDER_H
#define PLM_TESTS_GL_RECORDER_H

#include <set>
#include <string>
#include <vector>

struct GlCall {
    std::string name;            // "glVertex3f", ...
    std::vector<double> args;    // numeric arguments in order (pointers left out)
    const void* data = nullptr;  // the pixel pointer of glTexImage2D
};

namespace glrec {

// Clears the record and the live list and texture names.
void Reset();
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

}  // namespace glrec

#endif
