// plumora-capture: renders the demo off screen through the program's own
// start-up and frame code, with a substituted clock, and writes PNG frames.
#include "capture_clock.h"
#include "capture_options.h"

#include "platform/files.h"
#include "platform/process.h"
#include "platform/window.h"
#include "scene/render_frame.h"
#include "scene/scene_init.h"
#include "shell/archive.h"
#include "shell/demo_window.h"
#include "shell/display_mode.h"
#include "shell/entry_points.h"
#include "shell/libraries.h"

#include <GL/gl.h>
#include <stb/stb_image_write.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int Fail(const std::string& text)
{
    std::fprintf(stderr, "plumora-capture: %s\n", text.c_str());
    return 1;
}

bool OpenOffscreenContext(int width, int height)
{
    PlatformUseOffscreenVideo();
    PlatformUseSilentAudio();
    return PlatformRegisterWindowClass() && PlatformRequestPixelFormat(32) &&
           PlatformCreateOffscreenWindow(width, height) && PlatformChoosePixelFormat() &&
           PlatformCreateContext() && PlatformMakeCurrent();
}

bool WriteFrame(const std::string& path, int width, int height, std::vector<unsigned char>* pixels)
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels->data());
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path.c_str(), width, height, 3, pixels->data(), width * 3) != 0;
}

// Steps the simulated run up to each requested time and writes it.
int RenderFrames(const CCAPTUREOPTIONS& o, const std::string& outDir)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(o.width) * o.height * 3);
    double stepUs = 1000000.0 / o.stepFps;
    long step = 1;
    for (double target : o.times) {
        // Ordinary steps stop 20 ms short of the target, so the float clock
        // never runs past it and the extra readings have room.
        for (; step * stepUs < target * 1000.0 - 20000.0; ++step) {
            int64_t ticks = static_cast<int64_t>(step * stepUs + 0.5);
            if (ticks <= CaptureTicks())
                continue;  // already passed by an exact frame
            SetCaptureTicks(ticks);
            RenderFrame();
        }
        float wanted = TickTime(target);
        float shown = PrepareExactTime(wanted);
        if (shown != wanted)
            std::fprintf(stderr, "plumora-capture: %.6f ms rendered at %.6f ms (nearest reachable)\n",
                         static_cast<double>(wanted), static_cast<double>(shown));
        RenderFrame();
        std::string path = outDir + "/" + FrameFileName(target);
        if (!WriteFrame(path, o.width, o.height, &pixels))
            return Fail("cannot write " + path);
        std::printf("%s\n", path.c_str());
    }
    return 0;
}

int Capture(const CCAPTUREOPTIONS& o, const std::string& outDir)
{
    std::string error;
    if (!UnpackArchive(PlatformAbsolutePath(o.data.c_str()).c_str(), &error))
        return Fail(error);
    if (!BindLibraries(&error))
        return Fail(error);
    // The program initialises DevIL in its setup dialog, which a capture skips.
    EntryPoints.ilInit();
    DisplayMode = {o.width, o.height, 32, 0};
    if (!OpenOffscreenContext(o.width, o.height))
        return Fail("cannot create an off-screen OpenGL context");
    InstallCaptureCounter();
    ResizeViewport(o.width, o.height);
    InitRenderState();
    int status = RenderFrames(o, outDir);
    CloseDemoWindow();
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    CCAPTUREOPTIONS options;
    std::string error;
    if (!ParseCaptureOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "plumora-capture: %s\n\n%s", error.c_str(), CaptureUsage());
        return 2;
    }
    if (options.help) {
        std::fputs(CaptureUsage(), stdout);
        return 0;
    }
    std::string outDir = PlatformAbsolutePath(options.out.c_str());
    PlatformMakeDirectory(outDir.c_str());
    std::string data = PlatformAbsolutePath(options.data.c_str());
    options.data = data;
    std::string home = PlatformCurrentDirectory();
    std::string work = PlatformMakeTempDirectory("plumora-capture-");
    if (work.empty() || !PlatformChangeDirectory(work.c_str()))
        return Fail("cannot make a temporary folder");
    int status = Capture(options, outDir);
    FreeLibraries();
    PlatformChangeDirectory(home.c_str());
    PlatformRemoveTree(work.c_str());
    return status;
}
