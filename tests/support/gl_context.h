// The one GL context of a test process: an invisible off-screen surface made
// through the platform layer's window calls (the same steps plumora-capture
// takes), with a compatibility context current on the calling thread. It
// stays until the process ends, because the leak checker cannot tell the GL
// driver's own allocations from the test's once the driver is unloaded.
#ifndef PLM_TESTS_SUPPORT_GL_CONTEXT_H
#define PLM_TESTS_SUPPORT_GL_CONTEXT_H

namespace plmtest {

// Makes the context of width x height pixels current, or keeps the one that
// is open (whatever its size). Opens a new one when the code under test
// closed the platform window. False when no context can be made.
bool OpenGlContext(int width = 256, int height = 192);
// True while the platform layer holds a GL context.
bool GlContextOpen();
// Deletes the context and the window, so that a test can start from no
// window at all.
void CloseGlContext();

// The RGB bytes of the pixel at (x, y) of the frame buffer, y counted from
// the bottom as GL counts it.
void ReadPixel(int x, int y, unsigned char rgb[3]);

}  // namespace plmtest

#endif
