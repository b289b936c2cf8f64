#include "raw_frame_writer.h"

#include "capture_options.h"

#include "platform/files.h"
#include "platform/standard_streams.h"

#include <cstdio>

CRAWFRAMEWRITER::CRAWFRAMEWRITER(int w, int h, double rate, size_t count)
    : width(w), height(h), fps(rate), frames(count)
{
}

int CRAWFRAMEWRITER::Begin(std::string*)
{
    topFirst.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
    std::fprintf(stderr,
                 "plumora-capture: raw RGB frames on stdout: %dx%d pixels, 3 bytes each, top row first, %g "
                 "frames per second, %zu frames\n",
                 width, height, fps, frames);
    std::fflush(stderr);
    return CAPTURE_OK;
}

int CRAWFRAMEWRITER::Write(size_t, double, const unsigned char* rgb, std::string* error)
{
    FlipRows(rgb, width, height, topFirst.data());
    if (PlatformWrite(PlatformStandardOutput(), topFirst.data(), topFirst.size())) return CAPTURE_OK;
    *error = std::string("cannot write to stdout: ") + PlatformLastFileErrorText();
    return CAPTURE_FAILED;
}

int CRAWFRAMEWRITER::Finish(std::string*)
{
    return CAPTURE_OK;
}

std::string CRAWFRAMEWRITER::Abandon()
{
    return std::string();
}
