// plumora-capture: renders the demo off screen through the program's own
// start-up and frame code, with a substituted clock, and writes the frames
// as PNG files, as a video with the music (through ffmpeg) or as a raw
// stream. Everything the command line names is checked before the first
// frame; a stop signal or any failure ends the run with the temporary
// folder removed.
#include "capture_checks.h"
#include "capture_options.h"
#include "capture_run.h"
#include "offscreen_demo.h"
#include "png_frame_writer.h"
#include "raw_frame_writer.h"
#include "video_frame_writer.h"

#include "pipes/piece_geometry.h"
#include "platform/standard_streams.h"
#include "platform/termination.h"
#include "tools/common/command_line.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

// What the started demo does in a capture: render the frames into the writer.
struct CAPTUREWORK {
    const CCAPTUREOPTIONS* options;
    CFRAMEWRITER* writer;
    CPROGRESSSTYLE style;
};

int RenderRequestedFrames(void* context)
{
    const CAPTUREWORK* work = static_cast<const CAPTUREWORK*>(context);
    return RunCapture(*work->options, work->writer, work->style);
}

std::unique_ptr<CFRAMEWRITER> MakeWriter(const CCAPTUREOPTIONS& o, const CCAPTURETARGET& target)
{
    switch (o.mode) {
        case CAPTURE_VIDEO:
            return std::unique_ptr<CFRAMEWRITER>(new CVIDEOFRAMEWRITER(target.video));
        case CAPTURE_RAW:
            return std::unique_ptr<CFRAMEWRITER>(
                new CRAWFRAMEWRITER(o.width, o.height, o.fps, o.times.size()));
        case CAPTURE_FRAMES:
            break;
    }
    return std::unique_ptr<CFRAMEWRITER>(new CPNGFRAMEWRITER(target.outDir, o.width, o.height));
}

int Capture(const CCAPTUREOPTIONS& o, const CCAPTURETARGET& target)
{
    // How grown pieces are drawn is read at draw time only.
    if (o.referenceDrawing) pipeDrawing = CPIPEDRAWING{false, false, false};
    if (o.fullDetail) pipeDrawing.farPieces = false;
    // A reader or encoder that goes away fails a write instead of ending
    // the process before it has cleaned up.
    PlatformIgnoreBrokenPipes();
    std::unique_ptr<CFRAMEWRITER> writer = MakeWriter(o, target);
    CPROGRESSSTYLE style;
    style.inPlace = PlatformIsTerminal(PlatformStandardError());
    style.everyFrame = o.mode == CAPTURE_FRAMES;
    CAPTUREWORK work = {&o, writer.get(), style};
    return RunOffscreenDemo("plumora-capture", o.data, o.width, o.height, RenderRequestedFrames, &work);
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
    CCAPTURETARGET target;
    int status = CheckCapture(&options, &target);
    bool started = status == CAPTURE_OK && PlatformTerminationRequested() == 0;
    if (started) status = Capture(options, target);
    if (int signal = PlatformTerminationRequested()) {
        std::fprintf(stderr, "plumora-capture: stopped by signal %d%s\n", signal,
                     started ? "" : " before rendering");
        PlatformEndByTermination(signal);
    }
    return status;
}
