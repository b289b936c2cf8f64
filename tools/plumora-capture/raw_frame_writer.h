// Raw frames on standard output for people's own pipelines: width x height
// RGB pixels, 3 bytes each, top row first, frame after frame with nothing
// in between.
#ifndef PLM_TOOLS_CAPTURE_RAW_FRAME_WRITER_H
#define PLM_TOOLS_CAPTURE_RAW_FRAME_WRITER_H

#include "frame_writer.h"

class CRAWFRAMEWRITER : public CFRAMEWRITER {
public:
    CRAWFRAMEWRITER(int width, int height, double fps, size_t frames);
    int ReadbackDepth() const override { return 2; }
    // Says the stream's size and rate on stderr.
    int Begin(std::string* error) override;
    // A reader that went away ("Broken pipe") fails the capture.
    int Write(size_t index, double demoMs, const unsigned char* rgb, std::string* error) override;
    std::string FrameName(size_t, double) const override { return std::string(); }
    int Finish(std::string*) override;
    std::string Abandon() override;

private:
    int width, height;
    double fps;
    size_t frames;
    std::vector<unsigned char> topFirst;  // one frame, allocated by Begin
};

#endif
