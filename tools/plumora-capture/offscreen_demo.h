// The demo started off screen through the program's own start-up code, as
// plumora-capture and the frame-rate benchmark run it: the archive unpacked
// into a fresh temporary folder, the run-time libraries bound, DevIL
// initialised, an off-screen GL context of the chosen size, the substituted
// counter installed (at tick 0) and the scene initialised. The caller then
// renders by moving the counter (capture_clock.h) and calling RenderFrame.
#ifndef PLM_TOOLS_OFFSCREEN_DEMO_H
#define PLM_TOOLS_OFFSCREEN_DEMO_H

#include <cstdint>
#include <string>

// Internal status of a run that a stop signal ended; never an exit status.
const int OFFSCREEN_STOPPED = -1;

// What runs once the demo has started: returns tools::kExitOk,
// tools::kExitFailed or OFFSCREEN_STOPPED.
typedef int (*OFFSCREENWORK)(void* context);

// Runs work(context) in the started demo (data: absolute path of a
// data.dat; width x height: the picture in pixels) and takes everything down
// again: the context, the libraries and the temporary folder, whatever
// happens. With samples above 1 the demo draws into a multisampled picture
// of that many samples per pixel (multisample_target.h; the caller checked
// the count against the implementation), which the frame read-back
// resolves; with 1 it draws into the context's own back buffer. Failures are said on stderr as "TOOL: reason" and give
// tools::kExitFailed (a failure to remove the temporary folder too, after an
// otherwise successful run); a stop signal seen between the steps gives
// OFFSCREEN_STOPPED. Otherwise the status of work.
int RunOffscreenDemo(const char* tool, const std::string& data, int width, int height, OFFSCREENWORK work,
                     void* context, int samples = 1);

// The counter value, in ticks (microseconds), of step number `step` of a
// run stepped at stepFps frames per second from tick 0.
int64_t StepTicks(long step, double stepFps);

#endif
