// The one loop that renders a capture's frames, whatever becomes of them:
// the simulated run steps from 0 at stepFps, every requested time is landed
// on exactly (capture_clock.h), rendered, read back (frame_readback.h) and
// handed to the writer. So a video frame at demo time t is the PNG frame of
// `--at t` at the same step rate.
#ifndef PLM_TOOLS_CAPTURE_RUN_H
#define PLM_TOOLS_CAPTURE_RUN_H

#include "capture_options.h"
#include "capture_progress.h"
#include "frame_writer.h"

// Renders o.times (ascending) at o.stepFps in the started demo and writes
// them through writer, from Begin to Finish, or Abandon when the run ends
// early; failures are said on stderr. Returns CAPTURE_OK, a failure status
// or OFFSCREEN_STOPPED (a termination request was caught).
int RunCapture(const CCAPTUREOPTIONS& o, CFRAMEWRITER* writer, CPROGRESSSTYLE style);

#endif
