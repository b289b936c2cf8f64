// Which frames a video (or raw stream) holds: every 1/fps s of demo time
// from --from up to, not including, --to, which defaults to the end of the
// music plus a short tail. Frame k shows demo time from + k * 1000 / fps ms
// and lies at k / fps s in the video, so the video lasts frames / fps s.
#ifndef PLM_TOOLS_CAPTURE_VIDEO_PLAN_H
#define PLM_TOOLS_CAPTURE_VIDEO_PLAN_H

#include <string>

#include "capture_options.h"

// What a video runs on past the end of the music, ms.
const double VIDEO_TAIL_MS = 2000.0;
// The music's length taken when it cannot be read: the demo's own song.
const double FALLBACK_MUSIC_MS = 100000.0;

// The demo time in ms of frame k.
double VideoFrameTime(double fromMs, double fps, long k);
// How many frames lie in [fromMs, toMs) at fps: ceil((to - from) * fps /
// 1000), with times that differ from a frame's by rounding alone taken as
// that frame's.
long VideoFrameCount(double fromMs, double toMs, double fps);

// Fills o->times for a video or raw stream (o->to too when it was not
// given: musicMs + VIDEO_TAIL_MS, with FALLBACK_MUSIC_MS for a musicMs
// below 0, i.e. unknown). False with the reason when the range holds no
// frame (an end at or before --from). The options' limits (an hour at most,
// 240 frames per second) bound the count to 864000 frames.
bool PlanVideo(CCAPTUREOPTIONS* o, double musicMs, std::string* error);

// The video's length in seconds: frames / fps.
double VideoSeconds(const CCAPTUREOPTIONS& o);

#endif
