#include "video_plan.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Ms(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g ms", value);
    return text;
}

}  // namespace

double VideoFrameTime(double fromMs, double fps, long k)
{
    return fromMs + static_cast<double>(k) * 1000.0 / fps;
}

long VideoFrameCount(double fromMs, double toMs, double fps)
{
    if (toMs <= fromMs) return 0;
    double frames = (toMs - fromMs) * fps / 1000.0;
    return static_cast<long>(std::ceil(frames - 1e-9));
}

bool PlanVideo(CCAPTUREOPTIONS* o, double musicMs, std::string* error)
{
    if (!o->toGiven) o->to = (musicMs >= 0.0 ? musicMs : FALLBACK_MUSIC_MS) + VIDEO_TAIL_MS;
    long frames = VideoFrameCount(o->from, o->to, o->fps);
    if (frames <= 0) {
        *error = "no frames between --from " + Ms(o->from) + " and the end at " + Ms(o->to);
        return false;
    }
    o->times.resize(static_cast<size_t>(frames));
    for (long k = 0; k < frames; ++k) o->times[static_cast<size_t>(k)] = VideoFrameTime(o->from, o->fps, k);
    return true;
}

double VideoSeconds(const CCAPTUREOPTIONS& o)
{
    return static_cast<double>(o.times.size()) / o.fps;
}
