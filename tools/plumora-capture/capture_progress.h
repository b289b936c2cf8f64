// Progress of a capture on stderr. On a terminal one line is rewritten in
// place; otherwise plain lines: one per written frame for PNG frames, one
// every few seconds for a video or stream. While the simulated run steps
// towards a distant frame, a line comes at most every few seconds. Times
// are wall-clock seconds, demo times milliseconds.
#ifndef PLM_TOOLS_CAPTURE_PROGRESS_H
#define PLM_TOOLS_CAPTURE_PROGRESS_H

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

// How many frames a capture renders in all: the run's first frame at time 0
// (unless it is requested), and per requested time the steps of the
// simulated run after the time before it (a step that lands on it is not
// rendered again) up to LANDING_ROOM_TICKS before it, plus the time itself.
long PlannedRenders(const std::vector<double>& times, double stepFps);

// Remaining seconds when `done` of `total` equal units of work took
// `elapsed` seconds; 0 when done covers total, negative while nothing is
// done (no estimate yet).
double RemainingSeconds(double elapsed, long done, long total);

// "frame 3 of 7 (0010600.00.png) written, demo time 10600.00 ms, 4.2 s
// elapsed, about 6.1 s left"; `what` is "written" or "rendering". With
// framesPerSecond at 0 or above, ", 2.5 frames/s" follows the demo time.
std::string ProgressLine(size_t frame, size_t frames, const std::string& what, double demoMs, double elapsed,
                         double remaining, double framesPerSecond = -1.0);

// How the progress is shown.
struct CPROGRESSSTYLE {
    bool inPlace = false;    // a terminal: one line rewritten in place
    bool everyFrame = true;  // plain lines: one per written frame (else every few seconds)
};

class CCAPTUREPROGRESS {
public:
    CCAPTUREPROGRESS(size_t frames, long plannedRenders, CPROGRESSSTYLE style = CPROGRESSSTYLE());
    // Counts one rendered frame (a step of the run or a requested time).
    void Rendered();
    // Reports that frame number `frame` (from 1) at demoMs is written;
    // `name` (may be empty) is what it was written as.
    void Written(size_t frame, double demoMs, const std::string& name);
    // Reports, at most every few seconds, that the run is stepping towards
    // frame number `frame` and has reached demoMs.
    void Stepping(size_t frame, double demoMs);
    // Prints a line of its own ("plumora-capture: text"), below a line
    // being rewritten in place.
    void Note(const std::string& text);
    // Ends a line being rewritten in place, so that what follows starts on
    // a line of its own.
    void End();

private:
    double Elapsed() const;
    double Quiet() const;
    void Print(size_t frame, const std::string& what, double demoMs);

    size_t frames;
    long planned;
    long rendered = 0;
    size_t written = 0;
    CPROGRESSSTYLE style;
    bool lineOpen = false;  // a line rewritten in place lacks its newline
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point lastLine;
};

#endif
