// Test support: an off-screen GL context (SDL "offscreen" driver + Mesa) and
// a recorder of the GL calls that the overlay and texture code makes.
//
// The recorder works by interposition: this file defines the GL entry points
// listed in gl_harness.cpp, so calls from the code under test land here, are
// recorded while recording is on, and are passed on to the real libGL.
#ifndef PLM_TESTS_GL_HARNESS_H
#define PLM_TESTS_GL_HARNESS_H

#include <string>
#include <vector>

// Opens (once per process) a hidden width x height window with a current GL
// context. False when no context can be made.
bool OpenGlContext(int width, int height);

struct GlCall {
    std::string name;  // e.g. "glVertex2d"
    double args[4];    // numeric arguments in call order, unused ones 0
};

void StartRecording();  // clears the record and starts recording
void StopRecording();
const std::vector<GlCall>& RecordedCalls();
// Recorded calls with the given name, in order.
std::vector<GlCall> CallsNamed(const std::string& name);

// One vertex of a recorded primitive with the texture coordinate set before it.
struct GlVertex {
    double x, y;
    double s, t;
};
// The vertices of every glBegin/glEnd pair, in order.
std::vector<std::vector<GlVertex>> RecordedPrimitives();

// The RGB bytes of the pixel at (x, y) of the frame buffer, y counted from
// the bottom as GL does.
void ReadPixel(int x, int y, unsigned char rgb[3]);

#endif
