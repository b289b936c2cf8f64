// Where a capture's frames go. The capture renders and reads back every
// frame the same way whatever the output; only the writer differs: PNG
// files in a folder, a video encoded by ffmpeg, or a raw stream on stdout.
//
// The calls come in this order, inside the started demo (its temporary
// folder is the current folder): Begin, Write for each frame in time
// order, then Finish after the last frame, or Abandon when the run ends
// early (a stop signal or a failure). Each returns a capture status
// (capture_options.h) or OFFSCREEN_STOPPED, with the reason in *error.
#ifndef PLM_TOOLS_CAPTURE_FRAME_WRITER_H
#define PLM_TOOLS_CAPTURE_FRAME_WRITER_H

#include <cstddef>
#include <string>
#include <vector>

class CFRAMEWRITER {
public:
    virtual ~CFRAMEWRITER() = default;
    // Frames the read-back may keep in flight for this writer (1: each
    // frame is written before the next is rendered).
    virtual int ReadbackDepth() const = 0;
    virtual int Begin(std::string* error) = 0;
    // Writes frame `index` (from 0), showing demo time demoMs: width x
    // height RGB pixels, rows bottom first as OpenGL reads them.
    virtual int Write(size_t index, double demoMs, const unsigned char* rgb, std::string* error) = 0;
    // What frame `index` was written as, for the progress line; empty when
    // frames have no names of their own.
    virtual std::string FrameName(size_t index, double demoMs) const = 0;
    virtual int Finish(std::string* error) = 0;
    // Undoes or keeps what was written as asked; returns a note for the
    // user (empty when there is nothing to say).
    virtual std::string Abandon() = 0;
};

// Copies a width x height RGB picture whose rows come bottom first into
// topFirst (width * height * 3 bytes), top row first.
void FlipRows(const unsigned char* bottomFirst, int width, int height, unsigned char* topFirst);

#endif
