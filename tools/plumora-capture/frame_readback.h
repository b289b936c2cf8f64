// Reads rendered frames back from the GL back buffer: width x height RGB
// pixels, 3 bytes each, rows packed without padding, bottom row first (the
// order glReadPixels gives; the writers turn them the right way up).
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
// rendered. A deeper queue lets the GL implementation copy frame n while the
// capture renders frame n + 1 and writes frame n - 1; the pixels are the same.
#ifndef PLM_TOOLS_FRAME_READBACK_H
#define PLM_TOOLS_FRAME_READBACK_H

#include <cstddef>
#include <string>
#include <vector>

class CFRAMEREADBACK {
public:
    // Prepares for width x height frames with up to `depth` (1 or more)
    // frames in flight; allocates everything it will use. Needs the current
    // GL context. False with the reason in *error when it cannot.
    bool Open(int width, int height, int depth, std::string* error);
    // Releases what Open made (the context must still be current).
    void Close();
    // Starts reading the frame just rendered. Requires Pending() < depth.
    void Start();
    // True when the queue is full: the oldest frame must be taken before
    // the next Start().
    bool Due() const;
    // Frames started and not yet taken.
    int Pending() const;
    // The oldest started frame, waiting for it where it is not read yet;
    // the pointer stays valid until the next Start(), Take() or Close().
    const unsigned char* Take();

private:
    int width = 0, height = 0, depth = 1;
    int pending = 0;
    std::vector<unsigned char> pixels;
};

#endif
