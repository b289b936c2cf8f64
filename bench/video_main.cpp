// plm_video_bench: the throughput of a video capture's frame path, off
// screen, through the program's own start-up and frame code and the
// capture's read-back (frame_readback.h): frames drawn at a fixed rate,
// read back with or without overlap, and written raw to stdout for an
// encoder to take, with the wall time of each phase.
#include "video_options.h"
#include "video_phases.h"

#include "capture_clock.h"
#include "capture_context.h"
#include "capture_files.h"
#include "capture_options.h"
#include "frame_readback.h"
#include "offscreen_demo.h"

#include "platform/process.h"
#include "platform/standard_streams.h"
#include "platform/termination.h"
#include "scene/render_frame.h"
#include "tools/common/command_line.h"
#include "bench_options.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const TOOL = "plm_video_bench";

typedef std::chrono::steady_clock CLOCK;

double Since(CLOCK::time_point start)
{
    return std::chrono::duration<double>(CLOCK::now() - start).count();
}

struct CBENCHRUN {
    const CVIDEOBENCHOPTIONS* options;
    CVIDEOPHASES phases;
    std::vector<unsigned char> upright;  // one frame, top row first
    bool writeFailed;
};

// Turns the frame (bottom row first) the right way up and writes it.
void WriteFrame(CBENCHRUN* run, const unsigned char* frame)
{
    const CVIDEOBENCHOPTIONS& o = *run->options;
    ++run->phases.frames;
    if (!o.raw || !frame) return;
    size_t row = static_cast<size_t>(o.width) * 3;
    for (int y = 0; y < o.height; ++y)
        std::memcpy(run->upright.data() + row * static_cast<size_t>(o.height - 1 - y),
                    frame + row * static_cast<size_t>(y), row);
    if (std::fwrite(run->upright.data(), 1, run->upright.size(), stdout) != run->upright.size())
        run->writeFailed = true;
}

// Takes the oldest frame (read-back time) and writes it (write time).
void TakeAndWrite(CBENCHRUN* run, CFRAMEREADBACK* readback)
{
    CLOCK::time_point start = CLOCK::now();
    const unsigned char* frame = readback->Take();
    run->phases.seconds[VIDEO_READBACK] += Since(start);
    start = CLOCK::now();
    WriteFrame(run, frame);
    run->phases.seconds[VIDEO_WRITE] += Since(start);
}

// Draws, reads back and writes every frame of the run.
int DrawReadWrite(void* context)
{
    CBENCHRUN* run = static_cast<CBENCHRUN*>(context);
    const CVIDEOBENCHOPTIONS& o = *run->options;
    CFRAMEREADBACK readback;
    std::string error;
    if (!readback.Open(o.width, o.height, o.depth, &error)) return tools::Failure(TOOL, error);
    run->phases.overlapped = readback.Overlapped();
    long frames = VideoBenchFrames(o);
    CLOCK::time_point begin = CLOCK::now();
    for (long k = 0; k < frames && !run->writeFailed; ++k) {
        if (PlatformTerminationRequested()) return OFFSCREEN_STOPPED;
        SetCaptureTicks(StepTicks(k, o.fps));
        CLOCK::time_point start = CLOCK::now();
        RenderFrame();
        if (o.split) glFinish();
        run->phases.seconds[VIDEO_DRAW] += Since(start);
        start = CLOCK::now();
        readback.Start();
        run->phases.seconds[VIDEO_READBACK] += Since(start);
        while (readback.Due()) TakeAndWrite(run, &readback);
    }
    while (readback.Pending() > 0) TakeAndWrite(run, &readback);
    if (std::fflush(stdout) != 0) run->writeFailed = true;
    run->phases.wallSeconds = Since(begin);
    readback.Close();
    if (run->writeFailed) return tools::Failure(TOOL, "cannot write the frames to stdout");
    return tools::kExitOk;
}

// Checks the picture against the GL implementation, as plumora-capture does.
int CheckLimits(const CVIDEOBENCHOPTIONS& o)
{
    CCAPTURELIMITS limits;
    std::string error;
    if (!QueryCaptureLimits(&limits, &error)) return tools::Failure(TOOL, error);
    if (o.width > limits.maxWidth || o.height > limits.maxHeight)
        return tools::UsageError(TOOL, "--size is larger than the OpenGL implementation can render");
    if (!CheckSamples(o.samples, limits.maxSamples, &error)) return tools::UsageError(TOOL, error);
    return tools::kExitOk;
}

}  // namespace

int main(int argc, char** argv)
{
    PlatformCatchTermination(PLATFORM_CATCH_RESUME_CALLS);
    // An encoder that goes away fails a write instead of ending the process
    // before it has removed its temporary folder.
    PlatformIgnoreBrokenPipes();
    CVIDEOBENCHOPTIONS options;
    std::string error;
    if (!ParseVideoBenchOptions(argc, argv, &options, &error)) return tools::UsageError(TOOL, error);
    if (options.help) {
        std::fputs(VideoBenchUsage(), stdout);
        return std::fflush(stdout) == 0 ? tools::kExitOk : tools::kExitFailed;
    }
    if (options.data.empty()) options.data = DefaultBenchData();
    options.data = PlatformAbsolutePath(options.data.c_str());
    if (!CheckReadableFile(options.data, &error)) return tools::UsageError(TOOL, "--data: " + error);
    int status = CheckLimits(options);
    if (status != tools::kExitOk) return status;
    CBENCHRUN run = {&options, CVIDEOPHASES(), {}, false};
    run.upright.assign(static_cast<size_t>(options.width) * static_cast<size_t>(options.height) * 3, 0);
    status = RunOffscreenDemo(TOOL, options.data, options.width, options.height, DrawReadWrite, &run,
                              options.samples);
    if (int signal = PlatformTerminationRequested()) {
        std::fprintf(stderr, "%s: stopped by signal %d\n", TOOL, signal);
        PlatformEndByTermination(signal);
    }
    if (status == tools::kExitOk) std::fputs(FormatVideoReport(options, run.phases).c_str(), stderr);
    return status;
}
