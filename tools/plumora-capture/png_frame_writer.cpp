#include "png_frame_writer.h"

#include "capture_files.h"
#include "capture_options.h"

CPNGFRAMEWRITER::CPNGFRAMEWRITER(const std::string& outFolder, int w, int h)
    : folder(outFolder), width(w), height(h)
{
}

int CPNGFRAMEWRITER::Begin(std::string*)
{
    return CAPTURE_OK;
}

int CPNGFRAMEWRITER::Write(size_t index, double demoMs, const unsigned char* rgb, std::string* error)
{
    return WritePng(folder, FrameName(index, demoMs), width, height, rgb, error) ? CAPTURE_OK
                                                                                 : CAPTURE_FAILED;
}

std::string CPNGFRAMEWRITER::FrameName(size_t, double demoMs) const
{
    return FrameFileName(demoMs);
}

int CPNGFRAMEWRITER::Finish(std::string*)
{
    return CAPTURE_OK;
}

std::string CPNGFRAMEWRITER::Abandon()
{
    return "frames written so far stay in " + folder;
}
