// PNG frames in a folder, one file per frame named by its demo time.
#ifndef PLM_TOOLS_CAPTURE_PNG_FRAME_WRITER_H
#define PLM_TOOLS_CAPTURE_PNG_FRAME_WRITER_H

#include "frame_writer.h"

class CPNGFRAMEWRITER : public CFRAMEWRITER {
public:
    // folder: an existing folder that takes new files (PrepareOutputFolder).
    CPNGFRAMEWRITER(const std::string& folder, int width, int height);
    int ReadbackDepth() const override { return 1; }
    int Begin(std::string*) override;
    int Write(size_t index, double demoMs, const unsigned char* rgb, std::string* error) override;
    std::string FrameName(size_t index, double demoMs) const override;
    int Finish(std::string*) override;
    // Frames already written stay.
    std::string Abandon() override;

private:
    std::string folder;
    int width, height;
};

#endif
