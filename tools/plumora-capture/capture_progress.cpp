#include "capture_progress.h"

#include "capture_clock.h"

#include <algorithm>
#include <cstdio>

namespace {

// A plain line (stepping, or a video's progress) is printed when nothing
// was printed for this long.
const double PLAIN_INTERVAL_S = 5.0;
// A line rewritten in place changes at most this often.
const double IN_PLACE_INTERVAL_S = 0.25;

}  // namespace

long PlannedRenders(const std::vector<double>& times, double stepFps)
{
    if (times.empty()) return 0;
    double stepUs = 1000000.0 / stepFps;
    long renders = times.front() > 0.0 ? 1 : 0;  // the run's first frame, at time 0
    double previousUs = 0.0;                     // the last rendered frame, in ticks
    for (double t : times) {
        // The run's ordinary steps stop LANDING_ROOM_TICKS short of a
        // target; a step on or within rounding of the previous target is not
        // rendered again.
        double limitUs = t * 1000.0 - static_cast<double>(LANDING_ROOM_TICKS);
        for (long s = std::max(1L, static_cast<long>(previousUs / stepUs)); s * stepUs < limitUs; ++s)
            if (s * stepUs > previousUs + 0.5) ++renders;
        previousUs = std::max(previousUs, t * 1000.0);
        ++renders;
    }
    return renders;
}

double RemainingSeconds(double elapsed, long done, long total)
{
    if (done >= total) return 0.0;
    if (done <= 0) return -1.0;
    return elapsed * static_cast<double>(total - done) / static_cast<double>(done);
}

std::string ProgressLine(size_t frame, size_t frames, const std::string& what, double demoMs, double elapsed,
                         double remaining, double framesPerSecond)
{
    char line[256];
    std::snprintf(line, sizeof line, "frame %zu of %zu %s, demo time %.2f ms", frame, frames, what.c_str(),
                  demoMs);
    std::string text(line);
    if (framesPerSecond >= 0.0) {
        std::snprintf(line, sizeof line, ", %.1f frames/s", framesPerSecond);
        text += line;
    }
    std::snprintf(line, sizeof line, ", %.1f s elapsed", elapsed);
    text += line;
    if (remaining >= 0.0) {
        std::snprintf(line, sizeof line, ", about %.1f s left", remaining);
        text += line;
    }
    return text;
}

CCAPTUREPROGRESS::CCAPTUREPROGRESS(size_t frameCount, long plannedRenders, CPROGRESSSTYLE how)
    : frames(frameCount),
      planned(plannedRenders),
      style(how),
      start(std::chrono::steady_clock::now()),
      lastLine(start)
{
}

void CCAPTUREPROGRESS::Rendered()
{
    ++rendered;
}

void CCAPTUREPROGRESS::Written(size_t frame, double demoMs, const std::string& name)
{
    written = frame;
    bool last = frame == frames;
    if (last) rendered = planned;  // the last frame ends the work, whatever the estimate said
    double interval = style.inPlace ? IN_PLACE_INTERVAL_S : style.everyFrame ? 0.0 : PLAIN_INTERVAL_S;
    if (!last && frame > 1 && Quiet() < interval) return;
    Print(frame, name.empty() ? "written" : "(" + name + ") written", demoMs);
    if (last) End();
}

void CCAPTUREPROGRESS::Stepping(size_t frame, double demoMs)
{
    if (Quiet() >= PLAIN_INTERVAL_S) Print(frame, "rendering", demoMs);
}

void CCAPTUREPROGRESS::Note(const std::string& text)
{
    End();
    std::fprintf(stderr, "plumora-capture: %s\n", text.c_str());
    std::fflush(stderr);
}

void CCAPTUREPROGRESS::End()
{
    if (lineOpen) std::fputc('\n', stderr);
    lineOpen = false;
    std::fflush(stderr);
}

double CCAPTUREPROGRESS::Elapsed() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double CCAPTUREPROGRESS::Quiet() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - lastLine).count();
}

void CCAPTUREPROGRESS::Print(size_t frame, const std::string& what, double demoMs)
{
    lastLine = std::chrono::steady_clock::now();
    double elapsed = Elapsed();
    // The planned count is an estimate; never claim more done than planned.
    double remaining = RemainingSeconds(elapsed, std::min(rendered, planned), planned);
    double rate = elapsed > 0.0 ? static_cast<double>(written) / elapsed : 0.0;
    std::string line = ProgressLine(frame, frames, what, demoMs, elapsed, remaining, rate);
    if (style.inPlace) {
        // Back to the line's start, the new text, the rest of the old one cleared.
        std::fprintf(stderr, "\rplumora-capture: %s\033[K", line.c_str());
        lineOpen = true;
    } else {
        std::fprintf(stderr, "plumora-capture: %s\n", line.c_str());
    }
    std::fflush(stderr);
}
