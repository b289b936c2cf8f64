// plumora-capture: renders the demo off screen through the program's own
// start-up and frame code, with a substituted clock, and writes PNG frames.
// Everything the command line names is checked before the first frame; a
// stop signal or any failure ends the run with the temporary folder removed.
#include "capture_clock.h"
#include "capture_context.h"
#include "capture_files.h"
#include "capture_options.h"
#include "capture_progress.h"
#include "frame_readback.h"
#include "offscreen_demo.h"

#include "pipes/piece_geometry.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/termination.h"
#include "scene/render_frame.h"
#include "tools/common/command_line.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int CAPTURE_STOPPED = OFFSCREEN_STOPPED;

int Fail(int status, const std::string& text)
{
    std::fprintf(stderr, "plumora-capture: %s\n", text.c_str());
    return status;
}

bool Stopped()
{
    return PlatformTerminationRequested() != 0;
}

// Checks what the command line names against the system, before any work:
// the archive is readable, the frame folder can be one, the GL
// implementation can render pictures of that size; only then is the frame
// folder made (if missing) and probed, so that a refusal changes nothing.
int CheckSystem(CCAPTUREOPTIONS* o, std::string* outDir)
{
    std::string error;
    o->data = PlatformAbsolutePath(o->data.c_str());
    if (!CheckReadableFile(o->data, &error)) return Fail(CAPTURE_USAGE, "--data: " + error);
    if (!CheckOutputPath(o->out, &error)) return Fail(CAPTURE_USAGE, "--out: " + error);
    CCAPTURELIMITS limits;
    if (!QueryCaptureLimits(&limits, &error)) return Fail(CAPTURE_FAILED, error);
    if (o->width > limits.maxWidth || o->height > limits.maxHeight)
        return Fail(CAPTURE_USAGE, "--size " + std::to_string(o->width) + "x" + std::to_string(o->height) +
                                       " is larger than the OpenGL implementation can render (at most " +
                                       std::to_string(limits.maxWidth) + "x" +
                                       std::to_string(limits.maxHeight) + ")");
    if (!CheckSamples(o->samples, limits.maxSamples, &error)) return Fail(CAPTURE_USAGE, error);
    if (!PrepareOutputFolder(o->out, outDir, &error)) return Fail(CAPTURE_USAGE, "--out: " + error);
    return CAPTURE_OK;
}

// Steps the simulated run up to each requested time and writes it.
int RenderFrames(const CCAPTUREOPTIONS& o, const std::string& outDir)
{
    CFRAMEREADBACK readback;
    std::string error;
    if (!readback.Open(o.width, o.height, 1, &error)) return Fail(CAPTURE_FAILED, error);
    CCAPTUREPROGRESS progress(o.times.size(), PlannedRenders(o.times, o.stepFps));
    double stepUs = 1000000.0 / o.stepFps;
    long step = 1;
    for (size_t frame = 0; frame < o.times.size(); ++frame) {
        double target = o.times[frame];
        // Ordinary steps stop 20 ms short of the target, so the float clock
        // never runs past it and the extra readings have room.
        for (; step * stepUs < target * 1000.0 - 20000.0; ++step) {
            if (Stopped()) return CAPTURE_STOPPED;
            int64_t ticks = StepTicks(step, o.stepFps);
            if (ticks <= CaptureTicks()) continue;  // already passed by an exact frame
            SetCaptureTicks(ticks);
            RenderFrame();
            progress.Rendered();
            progress.Stepping(frame + 1, static_cast<double>(ticks) / 1000.0);
        }
        if (Stopped()) return CAPTURE_STOPPED;
        float wanted = TickTime(target);
        float shown = PrepareExactTime(wanted);
        if (shown != wanted)
            std::fprintf(stderr, "plumora-capture: %.6f ms rendered at %.6f ms (nearest reachable)\n",
                         static_cast<double>(wanted), static_cast<double>(shown));
        RenderFrame();
        progress.Rendered();
        readback.Start();
        std::string name = FrameFileName(target);
        if (!WritePng(outDir, name, o.width, o.height, readback.Take(), &error))
            return Fail(CAPTURE_FAILED, error);
        progress.Written(frame + 1, target, name);
    }
    return CAPTURE_OK;
}

// What the started demo does in a capture: render the requested frames.
struct CAPTUREWORK {
    const CCAPTUREOPTIONS* options;
    const std::string* outDir;
};

int RenderRequestedFrames(void* context)
{
    const CAPTUREWORK* work = static_cast<const CAPTUREWORK*>(context);
    return RenderFrames(*work->options, *work->outDir);
}

}  // namespace

int main(int argc, char** argv)
{
    // Before anything starts SDL, which leaves handlers already set alone.
    PlatformCatchTermination(PLATFORM_CATCH_RESUME_CALLS);
    CCAPTUREOPTIONS options;
    std::string error;
    if (!ParseCaptureOptions(argc, argv, &options, &error)) {
        return tools::UsageError("plumora-capture", error);
    }
    if (options.help || options.version) {
        std::fputs(options.help ? CaptureUsage() : CaptureVersion().c_str(), stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? CAPTURE_OK : CAPTURE_FAILED;
    }
    std::string outDir;
    int status = CheckSystem(&options, &outDir);
    if (status == CAPTURE_OK && !Stopped()) {
        // How grown pieces are drawn is read at draw time only.
        if (options.referenceDrawing) pipeDrawing = CPIPEDRAWING{false, false, false};
        if (options.fullDetail) pipeDrawing.farPieces = false;
        CAPTUREWORK work = {&options, &outDir};
        status = RunOffscreenDemo("plumora-capture", options.data, options.width, options.height,
                                  RenderRequestedFrames, &work, options.samples);
    }
    if (int signal = PlatformTerminationRequested()) {
        std::string stopped = "stopped by signal " + std::to_string(signal);
        Fail(status, outDir.empty() ? stopped + " before rendering"
                                    : stopped + "; frames written so far stay in " + outDir);
        PlatformEndByTermination(signal);
    }
    return status;
}
