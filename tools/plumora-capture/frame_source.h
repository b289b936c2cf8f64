// Where a frame is read back from: the framebuffer that was bound for
// drawing when the source was opened. That is the window's back buffer, a
// framebuffer object, or a multisampled framebuffer object
// (multisample_target.h), which is first resolved (averaged) into a
// single-sampled copy of its colour, since multisampled pixels cannot be read
// directly.
#ifndef PLM_TOOLS_FRAME_SOURCE_H
#define PLM_TOOLS_FRAME_SOURCE_H

#include "capture_gl.h"

#include <string>

class CFRAMESOURCE {
public:
    // Notes the framebuffer bound for drawing in the current context and,
    // for a multisampled one, makes the width x height single-sampled copy.
    // False with the reason in *error when the copy cannot be made.
    bool Open(int width, int height, std::string* error);
    // Deletes the copy (the context must still be current).
    void Close();
    // Makes the frame just drawn the source of glReadPixels: resolves it
    // where needed and binds it for reading.
    void Select();
    // Binds the drawn framebuffer again for drawing and reading, as the
    // demo's next frame expects.
    void Restore();

private:
    CFRAMEBUFFERGL gl;
    bool haveFramebuffers = false;
    int width = 0, height = 0;
    GLuint drawn = 0;     // framebuffer the demo draws into, 0 for the window
    GLuint resolved = 0;  // single-sampled copy of a multisampled `drawn`
    GLuint colour = 0;    // renderbuffer of `resolved`
};

#endif
