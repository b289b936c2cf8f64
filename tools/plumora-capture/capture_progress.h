// Progress of a capture on stderr: one flushed line per written frame, and
// while the simulated run steps towards a distant frame, a line at most every
// few seconds. Times are wall-clock seconds, demo times milliseconds.
#ifndef PLM_TOOLS_CAPTURE_PROGRESS_H
#define PLM_TOOLS_CAPTURE_PROGRESS_H

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

// How many frames a capture renders in all: the steps of the simulated run
// up to 20 ms before the last requested time, plus one per requested time.
long PlannedRenders(const std::vector<double>& times, double stepFps);

// Remaining seconds when `done` of `total` equal units of work took
// `elapsed` seconds; 0 when done covers total, negative while nothing is
// done (no estimate yet).
double RemainingSeconds(double elapsed, long done, long total);

// "frame 3 of 7 (0010600.00.png) written, demo time 10600.00 ms, 4.2 s
// elapsed, about 6.1 s left"; `what` is "written" or "rendering".
std::string ProgressLine(size_t frame, size_t frames, const std::string& what, double demoMs, double elapsed,
                         double remaining);

class CCAPTUREPROGRESS {
public:
    CCAPTUREPROGRESS(size_t frames, long plannedRenders);
    // Counts one rendered frame (a step of the run or a requested time).
    void Rendered();
    // Reports that frame number `frame` (from 1) at demoMs is written.
    void Written(size_t frame, double demoMs, const std::string& name);
    // Reports, at most every few seconds, that the run is stepping towards
    // frame number `frame` and has reached demoMs.
    void Stepping(size_t frame, double demoMs);

private:
    double Elapsed() const;
    void Print(size_t frame, const std::string& what, double demoMs);

    size_t frames;
    long planned;
    long rendered = 0;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point lastLine;
};

#endif
