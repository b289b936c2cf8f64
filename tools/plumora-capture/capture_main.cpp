// plumora-capture: renders the demo off screen through the program's own
// start-up and frame code, with a substituted clock, and writes PNG frames.
// Everything the command line names is checked before the first frame; a
// stop signal or any failure ends the run with the temporary folder removed.
#include "capture_clock.h"
#include "capture_context.h"
#include "capture_files.h"
#include "capture_options.h"
#include "capture_progress.h"

#include "pipes/piece_geometry.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/termination.h"
#include "runtime/display_mode.h"
#include "runtime/entry_points.h"
#include "scene/render_frame.h"
#include "shell/archive.h"
#include "shell/demo_window.h"
#include "shell/libraries.h"
#include "tools/common/command_line.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Internal status of a run that a stop signal ended; never an exit status.
const int CAPTURE_STOPPED = -1;

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
    int maxWidth = 0, maxHeight = 0;
    if (!QueryMaxPictureSize(&maxWidth, &maxHeight, &error)) return Fail(CAPTURE_FAILED, error);
    if (o->width > maxWidth || o->height > maxHeight)
        return Fail(CAPTURE_USAGE, "--size " + std::to_string(o->width) + "x" + std::to_string(o->height) +
                                       " is larger than the OpenGL implementation can render (at most " +
                                       std::to_string(maxWidth) + "x" + std::to_string(maxHeight) + ")");
    if (!PrepareOutputFolder(o->out, outDir, &error)) return Fail(CAPTURE_USAGE, "--out: " + error);
    return CAPTURE_OK;
}

void ReadFrame(int width, int height, std::vector<unsigned char>* pixels)
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels->data());
}

// Steps the simulated run up to each requested time and writes it.
int RenderFrames(const CCAPTUREOPTIONS& o, const std::string& outDir)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(o.width) * o.height * 3);
    CCAPTUREPROGRESS progress(o.times.size(), PlannedRenders(o.times, o.stepFps));
    double stepUs = 1000000.0 / o.stepFps;
    long step = 1;
    for (size_t frame = 0; frame < o.times.size(); ++frame) {
        double target = o.times[frame];
        // Ordinary steps stop 20 ms short of the target, so the float clock
        // never runs past it and the extra readings have room.
        for (; step * stepUs < target * 1000.0 - 20000.0; ++step) {
            if (Stopped()) return CAPTURE_STOPPED;
            int64_t ticks = static_cast<int64_t>(step * stepUs + 0.5);
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
        ReadFrame(o.width, o.height, &pixels);
        std::string name = FrameFileName(target), error;
        if (!WritePng(outDir, name, o.width, o.height, pixels.data(), &error))
            return Fail(CAPTURE_FAILED, error);
        progress.Written(frame + 1, target, name);
    }
    return CAPTURE_OK;
}

// Unpacks and starts the demo in the current (temporary) folder, then
// renders; checks for a stop signal between the steps.
int Capture(const CCAPTUREOPTIONS& o, const std::string& outDir)
{
    std::string error;
    if (!UnpackArchive(o.data.c_str(), &error)) return Fail(CAPTURE_FAILED, error);
    if (Stopped()) return CAPTURE_STOPPED;
    if (!BindLibraries(&error)) return Fail(CAPTURE_FAILED, error);
    // The program initialises DevIL in its setup dialog, which a capture skips.
    EntryPoints.ilInit();
    if (o.referenceDrawing) pipeDrawing = CPIPEDRAWING{false, false, false};
    if (o.fullDetail) pipeDrawing.farPieces = false;
    DisplayMode = {o.width, o.height, 32, 0};
    int status = CAPTURE_STOPPED;
    if (!OpenOffscreenContext(o.width, o.height)) {
        status =
            Fail(CAPTURE_FAILED, "cannot create an off-screen OpenGL context of " + std::to_string(o.width) +
                                     "x" + std::to_string(o.height) + " pixels");
    } else if (!Stopped()) {
        InstallCaptureCounter();
        ResizeViewport(o.width, o.height);
        if (!InitRenderState())
            status = Fail(CAPTURE_FAILED, "the demo could not start");
        else if (!Stopped())
            status = RenderFrames(o, outDir);
    }
    CloseDemoWindow();
    return status;
}

// Runs the capture in a fresh temporary folder and removes that folder
// whatever happens.
int CaptureInTemporaryFolder(const CCAPTUREOPTIONS& o, const std::string& outDir)
{
    std::string home = PlatformCurrentDirectory();
    std::string work = PlatformMakeTempDirectory("plumora-capture-");
    if (work.empty()) return Fail(CAPTURE_FAILED, "cannot make a temporary folder");
    int status = CAPTURE_FAILED;
    if (!PlatformChangeDirectory(work.c_str()))
        Fail(CAPTURE_FAILED, "cannot enter the temporary folder " + work);
    else
        status = Capture(o, outDir);
    FreeLibraries();
    if (home.empty() || !PlatformChangeDirectory(home.c_str())) PlatformChangeDirectory("/");
    if (!PlatformRemoveTree(work.c_str())) {
        Fail(CAPTURE_FAILED,
             "cannot remove the temporary folder " + work + ": " + PlatformLastFileErrorText());
        if (status == CAPTURE_OK) status = CAPTURE_FAILED;
    }
    return status;
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
    if (status == CAPTURE_OK && !Stopped()) status = CaptureInTemporaryFolder(options, outDir);
    if (int signal = PlatformTerminationRequested()) {
        std::string stopped = "stopped by signal " + std::to_string(signal);
        Fail(status, outDir.empty() ? stopped + " before rendering"
                                    : stopped + "; frames written so far stay in " + outDir);
        PlatformEndByTermination(signal);
    }
    return status;
}
