// plm_fps_bench: the demo's frame rate per scene, off screen, through the
// program's own start-up and frame code with the clock stepped at 60 frames
// per second (as plumora-capture runs it), writing no picture. Each run
// happens in a fresh copy of the process, so that every run starts the demo
// from the same state.
#include "fps_options.h"
#include "fps_stats.h"
#include "primitive_count.h"

#include "capture_clock.h"
#include "capture_context.h"
#include "capture_files.h"
#include "offscreen_demo.h"

#include "platform/child_process.h"
#include "platform/process.h"
#include "pipes/piece_geometry.h"
#include "platform/termination.h"
#include "scene/render_frame.h"
#include "shell/version.h"
#include "tools/common/command_line.h"
#include "bench_options.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const TOOL = "plm_fps_bench";
const double STEP_FPS = 60.0;
// With --scene, frames more than this before the scene's start are drawn
// with the rasteriser off and not timed (ms of demo time).
const float LEAD_MARGIN_MS = 100.0f;

bool Stopped()
{
    return PlatformTerminationRequested() != 0;
}

struct CRUN {
    const CFPSOPTIONS* options;
    CPICTURESIZE size;
    std::vector<CFRAMESAMPLE> samples;
};

// One frame drawn and timed (RenderFrame plus glFinish), with its counts.
CFRAMESAMPLE TimedFrame()
{
    PrimitiveCountBeginFrame();
    auto start = std::chrono::steady_clock::now();
    RenderFrame();
    PrimitiveCountEndFrame();
    glFinish();
    auto end = std::chrono::steady_clock::now();
    CFRAMESAMPLE sample;
    sample.scene = BenchSceneAt(frameTime);
    sample.milliseconds = std::chrono::duration<float, std::milli>(end - start).count();
    PrimitiveCountResults(&sample.triangles, &sample.lines);
    return sample;
}

// A frame that only moves the demo on: vertex work, nothing rasterised.
void LeadInFrame()
{
    glEnable(GL_RASTERIZER_DISCARD);
    RenderFrame();
    glDisable(GL_RASTERIZER_DISCARD);
}

// Steps the started demo through the timeline, timing the frames asked for.
int StepAndTime(void* context)
{
    CRUN* run = static_cast<CRUN*>(context);
    const CFPSOPTIONS& o = *run->options;
    if (!PrimitiveCountStart()) {
        std::fprintf(stderr, "%s: the OpenGL implementation cannot count primitives\n", TOOL);
        return tools::kExitFailed;
    }
    float leadEnd = o.scene < 0 ? 0.0f : BENCH_SCENES[o.scene].from - LEAD_MARGIN_MS;
    float stop = o.scene < 0 ? static_cast<float>(o.endMs) : BENCH_SCENES[o.scene].to + LEAD_MARGIN_MS;
    if (stop > o.endMs) stop = static_cast<float>(o.endMs);
    run->samples.reserve(static_cast<size_t>(stop * STEP_FPS / 1000.0) + 2);
    bool leading = leadEnd > 0.0f;
    for (long step = 1; StepTicks(step, STEP_FPS) <= static_cast<int64_t>(stop * 1000.0); ++step) {
        if (Stopped()) return OFFSCREEN_STOPPED;
        int64_t ticks = StepTicks(step, STEP_FPS);
        SetCaptureTicks(ticks);
        if (leading && ticks < static_cast<int64_t>(leadEnd * 1000.0)) {
            LeadInFrame();
            continue;
        }
        if (leading) glFinish();  // nothing of the lead-in spills into a timed frame
        leading = false;
        CFRAMESAMPLE sample = TimedFrame();
        if (sample.scene >= 0 && (o.scene < 0 || sample.scene == o.scene)) run->samples.push_back(sample);
    }
    PrimitiveCountStop();
    return tools::kExitOk;
}

// The run in the copy of the process: checks the size against the GL,
// starts the demo, steps it and hands the samples to the caller.
int RunInCopy(void* context, PLATFORMFILE output)
{
    CRUN* run = static_cast<CRUN*>(context);
    PlatformCatchTermination(PLATFORM_CATCH_RESUME_CALLS);
    int maxWidth = 0, maxHeight = 0;
    std::string error;
    if (!QueryMaxPictureSize(&maxWidth, &maxHeight, &error)) return tools::Failure(TOOL, error);
    if (run->size.width > maxWidth || run->size.height > maxHeight)
        return tools::UsageError(TOOL, "--size " + std::to_string(run->size.width) + "x" +
                                           std::to_string(run->size.height) +
                                           " is larger than the OpenGL implementation can render");
    int status =
        RunOffscreenDemo(TOOL, run->options->data, run->size.width, run->size.height, StepAndTime, run);
    if (status == OFFSCREEN_STOPPED) return tools::kExitFailed;
    std::string bytes = SerialiseSamples(run->samples);
    if (status == tools::kExitOk && !PlatformWrite(output, bytes.data(), bytes.size()))
        return tools::Failure(TOOL, "cannot hand the frame times over");
    return status;
}

std::string SizeName(const CPICTURESIZE& size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// Runs every repeat of one size; appends the summaries to *rows.
int MeasureSize(const CFPSOPTIONS& o, const CPICTURESIZE& size, std::vector<CREPORTROW>* rows)
{
    std::vector<CFRAMESAMPLE> pooled, samples;
    for (int r = 0; r < o.repeat && !Stopped(); ++r) {
        std::fprintf(stderr, "%s: %s, run %d of %d\n", TOOL, SizeName(size).c_str(), r + 1, o.repeat);
        CRUN run = {&o, size, {}};
        std::string bytes;
        int status = PlatformRunInCopy(RunInCopy, &run, &bytes);
        if (Stopped()) return tools::kExitFailed;
        if (status < 0) return tools::Failure(TOOL, "cannot start a run");
        if (status != tools::kExitOk) return status == tools::kExitUsage ? status : tools::kExitFailed;
        if (!ParseSamples(bytes, &samples))
            return tools::Failure(TOOL, "a run handed over damaged frame times");
        pooled.insert(pooled.end(), samples.begin(), samples.end());
    }
    for (int scene = 0; scene < BENCH_SCENE_COUNT; ++scene)
        rows->push_back({SizeName(size), scene, Summarise(pooled, scene)});
    return tools::kExitOk;
}

}  // namespace

int main(int argc, char** argv)
{
    // Without resumed calls, so that waiting for a run notices a stop at once
    // and passes it on; the run itself resumes its calls.
    PlatformCatchTermination();
    CFPSOPTIONS options;
    std::string error;
    if (!ParseFpsOptions(argc, argv, &options, &error)) return tools::UsageError(TOOL, error);
    if (options.help || options.version) {
        std::fputs(options.help ? FpsUsage() : (std::string(TOOL) + " " + PLUMORA_VERSION + "\n").c_str(),
                   stdout);
        return std::fflush(stdout) == 0 ? tools::kExitOk : tools::kExitFailed;
    }
    if (options.data.empty()) options.data = DefaultBenchData();
    options.data = PlatformAbsolutePath(options.data.c_str());
    if (!CheckReadableFile(options.data, &error)) return tools::UsageError(TOOL, "--data: " + error);
    // How grown pieces are drawn is read at draw time only.
    if (options.referenceDrawing) pipeDrawing = CPIPEDRAWING{false, false, false};
    if (options.fullDetail) pipeDrawing.farPieces = false;
    std::vector<CREPORTROW> rows;
    int status = tools::kExitOk;
    for (size_t i = 0; i < options.sizes.size() && status == tools::kExitOk && !Stopped(); ++i)
        status = MeasureSize(options, options.sizes[i], &rows);
    if (int signal = PlatformTerminationRequested()) {
        std::fprintf(stderr, "%s: stopped by signal %d\n", TOOL, signal);
        PlatformEndByTermination(signal);
    }
    if (status == tools::kExitOk) std::fputs(FormatReport(rows, options.markdown).c_str(), stdout);
    return status;
}
