// Where a video capture's wall time goes: drawing the frames, reading them
// back and writing them out, and the report plm_video_bench prints.
#ifndef PLM_BENCH_VIDEO_PHASES_H
#define PLM_BENCH_VIDEO_PHASES_H

#include "video_options.h"

#include <string>

enum VIDEOPHASE { VIDEO_DRAW, VIDEO_READBACK, VIDEO_WRITE, VIDEO_PHASES };

struct CVIDEOPHASES {
    double seconds[VIDEO_PHASES] = {};  // wall time spent in each phase
    double wallSeconds = 0.0;           // the whole run, from the first frame on
    long frames = 0;                    // frames written
    bool overlapped = false;            // read back through pixel buffer objects
};

// Two lines: one for people (frame rate, seconds of wall time per second of
// video, per-frame milliseconds and shares of each phase) and one of
// key=value pairs for scripts.
std::string FormatVideoReport(const CVIDEOBENCHOPTIONS& options, const CVIDEOPHASES& phases);

#endif
