#include "capture_run.h"

#include "capture_clock.h"
#include "frame_readback.h"
#include "offscreen_demo.h"

#include "platform/termination.h"
#include "scene/render_frame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

bool Stopped()
{
    return PlatformTerminationRequested() != 0;
}

// What the loop carries from frame to frame.
struct CAPTURELOOP {
    CAPTURELOOP(const CCAPTUREOPTIONS& options, CFRAMEWRITER* frameWriter, CPROGRESSSTYLE style)
        : o(options), writer(frameWriter), progress(o.times.size(), PlannedRenders(o.times, o.stepFps), style)
    {
    }

    const CCAPTUREOPTIONS& o;
    CFRAMEWRITER* writer;
    CFRAMEREADBACK readback;
    CCAPTUREPROGRESS progress;
    long step = 0;           // the next ordinary step of the simulated run
    int64_t lastTicks = -1;  // the counter at the last rendered frame
    size_t written = 0;      // frames handed to the writer
    std::string error;
};

// Renders an ordinary step of the run. Its clock shows the step's time
// exactly, as a requested frame's does: a frame then sees the same run
// whether the times before it were steps or requested frames, so a video's
// frames equal PNG frames requested at the same times.
void RenderStep(CAPTURELOOP* loop, int64_t ticks)
{
    if (ticks == 0)
        SetCaptureTicks(0);
    else
        PrepareExactTime(TickTime(static_cast<double>(ticks) / 1000.0));
    RenderFrame();
    loop->lastTicks = ticks;
    loop->progress.Rendered();
}

// Steps the simulated run up to LANDING_ROOM_TICKS short of target, so that the float
// clock never runs past it and the extra readings have room. As the
// program's first frame comes right when its clock starts, so does the
// run's: step 0, at time 0, whatever the first target.
int StepTowards(CAPTURELOOP* loop, size_t frame, double target)
{
    double stepUs = 1000000.0 / loop->o.stepFps;
    if (loop->step == 0 && target > 0.0) RenderStep(loop, 0);
    loop->step = std::max(loop->step, 1L);
    for (; loop->step * stepUs < target * 1000.0 - LANDING_ROOM_TICKS; ++loop->step) {
        if (Stopped()) return OFFSCREEN_STOPPED;
        int64_t ticks = StepTicks(loop->step, loop->o.stepFps);
        if (ticks <= loop->lastTicks) continue;  // already passed by an exact frame
        RenderStep(loop, ticks);
        loop->progress.Stepping(frame + 1, static_cast<double>(ticks) / 1000.0);
    }
    return Stopped() ? OFFSCREEN_STOPPED : CAPTURE_OK;
}

// Renders the frame at exactly target ms and starts reading it back.
void RenderExactly(CAPTURELOOP* loop, double target)
{
    float wanted = TickTime(target);
    float shown = PrepareExactTime(wanted);
    if (shown != wanted) {
        char text[128];
        std::snprintf(text, sizeof text, "%.6f ms rendered at %.6f ms (nearest reachable)",
                      static_cast<double>(wanted), static_cast<double>(shown));
        loop->progress.Note(text);
    }
    RenderFrame();
    // The counter may end a few ticks short of the time when the float
    // clock's rounding needed it; a step at the time itself is passed all
    // the same.
    loop->lastTicks = std::max(CaptureTicks(), static_cast<int64_t>(std::llround(target * 1000.0)));
    loop->progress.Rendered();
    loop->readback.Start();
}

// Takes the oldest frame in flight and hands it to the writer.
int WriteOldest(CAPTURELOOP* loop)
{
    size_t index = loop->written;
    double demoMs = loop->o.times[index];
    int status = loop->writer->Write(index, demoMs, loop->readback.Take(), &loop->error);
    if (status != CAPTURE_OK) return status;
    ++loop->written;
    loop->progress.Written(loop->written, demoMs, loop->writer->FrameName(index, demoMs));
    return CAPTURE_OK;
}

int RenderAll(CAPTURELOOP* loop)
{
    for (size_t frame = 0; frame < loop->o.times.size(); ++frame) {
        int status = StepTowards(loop, frame, loop->o.times[frame]);
        if (status != CAPTURE_OK) return status;
        RenderExactly(loop, loop->o.times[frame]);
        while (loop->readback.Due())
            if ((status = WriteOldest(loop)) != CAPTURE_OK) return status;
    }
    while (loop->readback.Pending() > 0) {
        if (Stopped()) return OFFSCREEN_STOPPED;
        int status = WriteOldest(loop);
        if (status != CAPTURE_OK) return status;
    }
    return loop->writer->Finish(&loop->error);
}

int Report(CAPTURELOOP* loop, int status)
{
    loop->progress.End();
    if (status != CAPTURE_OK && status != OFFSCREEN_STOPPED && !loop->error.empty())
        std::fprintf(stderr, "plumora-capture: %s\n", loop->error.c_str());
    if (status != CAPTURE_OK) {
        std::string note = loop->writer->Abandon();
        if (!note.empty()) std::fprintf(stderr, "plumora-capture: %s\n", note.c_str());
    }
    return status;
}

}  // namespace

int RunCapture(const CCAPTUREOPTIONS& o, CFRAMEWRITER* writer, CPROGRESSSTYLE style)
{
    CAPTURELOOP loop(o, writer, style);
    if (!loop.readback.Open(o.width, o.height, writer->ReadbackDepth(), &loop.error))
        return Report(&loop, CAPTURE_FAILED);
    int status = writer->Begin(&loop.error);
    if (status == CAPTURE_OK) status = RenderAll(&loop);
    loop.readback.Close();
    return Report(&loop, status);
}
