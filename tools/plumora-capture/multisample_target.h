// A multisampled picture for smoother edges: a framebuffer object with
// colour and depth renderbuffers of N samples per pixel, of the window's
// size and of its colour and depth precision, bound for drawing and reading
// while open, so that the demo (which never binds framebuffers itself)
// draws into it instead of the window. The frame read-back resolves it
// (frame_source.h).
#ifndef PLM_TOOLS_MULTISAMPLE_TARGET_H
#define PLM_TOOLS_MULTISAMPLE_TARGET_H

#include "capture_gl.h"

#include <string>

// The most samples per pixel the current context offers for such a
// picture: 1 where it has no multisampled framebuffer objects.
int MaxPictureSamples();

class CMULTISAMPLETARGET {
public:
    // Makes and binds the width x height picture with `samples` (2 or more,
    // at most MaxPictureSamples()) per pixel. False with the reason in
    // *error, the window's buffers still bound, when it cannot.
    bool Open(int width, int height, int samples, std::string* error);
    // Binds the window's buffers again and deletes the picture (the context
    // must still be current).
    void Close();
    bool IsOpen() const;

private:
    CFRAMEBUFFERGL gl;
    GLuint framebuffer = 0;
    GLuint colour = 0, depth = 0;  // renderbuffers
};

#endif
