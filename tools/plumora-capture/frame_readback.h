// Reads rendered frames back from the GL context: width x height RGB
// pixels, 3 bytes each, rows packed without padding, bottom row first (the
// order glReadPixels gives; the writers turn them the right way up). The
// frames come from the framebuffer bound for drawing when Open() is called
// (frame_source.h): the window's back buffer, or a multisampled framebuffer
// object, resolved first.
//
// A capture calls Start() after each RenderFrame() and takes the frames in
// the order they were started:
//
//   RenderFrame(); readback.Start();
//   while (readback.Due()) Write(readback.Take());
//   ...
//   while (readback.Pending() > 0) Write(readback.Take());  // at the end
//
// With depth 1 every frame is read at once, so Take() returns the frame just
// rendered. A deeper queue reads through a ring of pixel buffer objects: the
// GL implementation copies frame n into its buffer while the capture renders
// frame n + 1 and writes frame n - 1. Where the context has no pixel buffer
// objects, frames are read at once into a ring of the same depth, so the
// queue behaves the same. The pixels are the same either way.
//
// The environment variable PLM_READBACK_DEPTH=1 makes every read-back read
// at once whatever depth is asked for, so that a benchmark can compare both
// ways in the same program.
#ifndef PLM_TOOLS_FRAME_READBACK_H
#define PLM_TOOLS_FRAME_READBACK_H

#include "capture_gl.h"
#include "frame_source.h"

#include <cstddef>
#include <string>
#include <vector>

class CFRAMEREADBACK {
public:
    // Most frames in flight a read-back takes; deeper asks are reduced.
    static const int MAX_DEPTH = 8;

    // Prepares for width x height frames with up to `depth` (1 or more)
    // frames in flight; allocates everything it will use. Needs the current
    // GL context. False with the reason in *error when it cannot.
    bool Open(int width, int height, int depth, std::string* error);
    // Releases what Open made (the context must still be current).
    void Close();
    // Starts reading the frame just rendered. Requires Pending() < depth;
    // a Start() on a full queue reads nothing.
    void Start();
    // True when the queue is full: the oldest frame must be taken before
    // the next Start().
    bool Due() const;
    // Frames started and not yet taken.
    int Pending() const;
    // The oldest started frame, waiting for it where it is not read yet;
    // the pointer stays valid until the next Start(), Take() or Close().
    // Null when no frame is pending.
    const unsigned char* Take();
    // True when frames go through pixel buffer objects (overlapped).
    bool Overlapped() const;

private:
    void Unmap();
    unsigned char* Slot(int index);

    int width = 0, height = 0, depth = 1;
    size_t frameBytes = 0;
    int pending = 0;
    int oldest = 0;  // ring index of the oldest pending frame
    CFRAMESOURCE source;
    CPIXELBUFFERGL gl;
    std::vector<GLuint> buffers;        // one per slot with pixel buffer objects, else none
    std::vector<unsigned char> pixels;  // depth frames without buffers, else one (copy of a buffer)
    GLuint mapped = 0;                  // buffer mapped by the last Take(), 0 when none
};

#endif
