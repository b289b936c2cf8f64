#include "capture_progress.h"

#include <algorithm>
#include <cstdio>

namespace {

// A stepping line is printed when nothing was printed for this long.
const double STEPPING_INTERVAL_S = 5.0;

}  // namespace

long PlannedRenders(const std::vector<double>& times, double stepFps)
{
    if (times.empty()) return 0;
    double last = *std::max_element(times.begin(), times.end());
    double stepUs = 1000000.0 / stepFps;
    // The run's ordinary steps s = 1, 2, ... stop 20 ms short of a target.
    long steps = 0;
    double limitUs = last * 1000.0 - 20000.0;
    if (limitUs > stepUs) steps = static_cast<long>((limitUs - 1e-6) / stepUs);
    return steps + static_cast<long>(times.size());
}

double RemainingSeconds(double elapsed, long done, long total)
{
    if (done >= total) return 0.0;
    if (done <= 0) return -1.0;
    return elapsed * static_cast<double>(total - done) / static_cast<double>(done);
}

std::string ProgressLine(size_t frame, size_t frames, const std::string& what, double demoMs, double elapsed,
                         double remaining)
{
    char line[256];
    std::snprintf(line, sizeof line, "frame %zu of %zu %s, demo time %.2f ms, %.1f s elapsed", frame, frames,
                  what.c_str(), demoMs, elapsed);
    std::string text(line);
    if (remaining >= 0.0) {
        std::snprintf(line, sizeof line, ", about %.1f s left", remaining);
        text += line;
    }
    return text;
}

CCAPTUREPROGRESS::CCAPTUREPROGRESS(size_t frameCount, long plannedRenders)
    : frames(frameCount), planned(plannedRenders), start(std::chrono::steady_clock::now()), lastLine(start)
{
}

void CCAPTUREPROGRESS::Rendered()
{
    ++rendered;
}

void CCAPTUREPROGRESS::Written(size_t frame, double demoMs, const std::string& name)
{
    if (frame == frames) rendered = planned;  // the last frame ends the work, whatever the estimate said
    Print(frame, "(" + name + ") written", demoMs);
}

void CCAPTUREPROGRESS::Stepping(size_t frame, double demoMs)
{
    std::chrono::duration<double> quiet = std::chrono::steady_clock::now() - lastLine;
    if (quiet.count() >= STEPPING_INTERVAL_S) Print(frame, "rendering", demoMs);
}

double CCAPTUREPROGRESS::Elapsed() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void CCAPTUREPROGRESS::Print(size_t frame, const std::string& what, double demoMs)
{
    lastLine = std::chrono::steady_clock::now();
    double elapsed = Elapsed();
    // The planned count is an estimate; never claim more done than planned.
    double remaining = RemainingSeconds(elapsed, std::min(rendered, planned), planned);
    std::fprintf(stderr, "plumora-capture: %s\n",
                 ProgressLine(frame, frames, what, demoMs, elapsed, remaining).c_str());
    std::fflush(stderr);
}
