#include "offscreen_demo.h"

#include "capture_clock.h"
#include "capture_context.h"
#include "multisample_target.h"

#include "platform/files.h"
#include "platform/process.h"
#include "platform/termination.h"
#include "runtime/display_mode.h"
#include "runtime/entry_points.h"
#include "shell/archive.h"
#include "shell/demo_window.h"
#include "shell/libraries.h"
#include "tools/common/command_line.h"

#include <cstdio>

namespace {

int Fail(const char* tool, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", tool, text.c_str());
    return tools::kExitFailed;
}

bool Stopped()
{
    return PlatformTerminationRequested() != 0;
}

struct CRUNPLAN {
    const char* tool;
    const std::string* data;
    int width, height, samples;
    OFFSCREENWORK work;
    void* context;
};

// Initialises the scene in the open context and runs the work, drawing into
// a multisampled picture when one is asked for.
int InitAndWork(const CRUNPLAN& plan)
{
    CMULTISAMPLETARGET picture;
    std::string error;
    if (plan.samples > 1 && !picture.Open(plan.width, plan.height, plan.samples, &error))
        return Fail(plan.tool, error);
    InstallCaptureCounter();
    ResizeViewport(plan.width, plan.height);
    int status = OFFSCREEN_STOPPED;
    if (!InitRenderState())
        status = Fail(plan.tool, "the demo could not start");
    else if (!Stopped())
        status = plan.work(plan.context);
    picture.Close();
    return status;
}

// Unpacks and starts the demo in the current (temporary) folder, then runs
// the work; checks for a stop signal between the steps.
int StartAndRun(const CRUNPLAN& plan)
{
    const char* tool = plan.tool;
    const std::string& data = *plan.data;
    int width = plan.width, height = plan.height;
    std::string error;
    if (!UnpackArchive(data.c_str(), &error)) return Fail(tool, error);
    if (Stopped()) return OFFSCREEN_STOPPED;
    if (!BindLibraries(&error)) return Fail(tool, error);
    // The program initialises DevIL in its setup dialog, which is skipped here.
    EntryPoints.ilInit();
    DisplayMode = {width, height, 32, 0};
    int status = OFFSCREEN_STOPPED;
    if (!OpenOffscreenContext(width, height)) {
        status = Fail(tool, "cannot create an off-screen OpenGL context of " + std::to_string(width) + "x" +
                                std::to_string(height) + " pixels");
    } else if (!Stopped()) {
        status = InitAndWork(plan);
    }
    CloseDemoWindow();
    return status;
}

}  // namespace

int RunOffscreenDemo(const char* tool, const std::string& data, int width, int height, OFFSCREENWORK work,
                     void* context, int samples)
{
    CRUNPLAN plan = {tool, &data, width, height, samples, work, context};
    std::string home = PlatformCurrentDirectory();
    std::string prefix = std::string(tool) + "-";
    std::string folder = PlatformMakeTempDirectory(prefix.c_str());
    if (folder.empty()) return Fail(tool, "cannot make a temporary folder");
    int status = tools::kExitFailed;
    if (!PlatformChangeDirectory(folder.c_str()))
        Fail(tool, "cannot enter the temporary folder " + folder);
    else
        status = StartAndRun(plan);
    FreeLibraries();
    if (home.empty() || !PlatformChangeDirectory(home.c_str())) PlatformChangeDirectory("/");
    if (!PlatformRemoveTree(folder.c_str())) {
        Fail(tool, "cannot remove the temporary folder " + folder + ": " + PlatformLastFileErrorText());
        if (status == tools::kExitOk) status = tools::kExitFailed;
    }
    return status;
}

int64_t StepTicks(long step, double stepFps)
{
    return static_cast<int64_t>(static_cast<double>(step) * (1000000.0 / stepFps) + 0.5);
}
