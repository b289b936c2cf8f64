// How legible the greetings are in captured turntable frames. The credits
// panel is white at half strength (level 128) with the greetings added over
// it; a flash adds white over everything, and once the mean level of the
// greetings columns reaches kLegibleBelow the lettering no longer stands out
// from the panel. A frame is legible while that mean stays below it.
#ifndef PLM_BENCH_LEGIBILITY_H
#define PLM_BENCH_LEGIBILITY_H

#include <string>
#include <vector>

// Mean level (0..255, all three channels) below which a frame is legible.
constexpr double kLegibleBelow = 250.0;

// A rectangle of image pixels, rows counted from the top, half-open.
struct CPIXELAREA {
    int x0, y0, x1, y1;
};

// The greetings columns of a width x height frame inside the letterboxed
// band: the columns the overlay draws the greetings picture in (600 to
// 1000 design units of 1/1024 of the width, truncated as the overlay
// truncates them) and the rows the band shows.
CPIXELAREA GreetingsArea(int width, int height);

// Mean of the three channels over area of a packed RGB picture (3 bytes a
// pixel, rows top first). The area must lie inside the picture; an empty
// area gives 0.
double AreaMean(const unsigned char* rgb, int width, CPIXELAREA area);

// One measured frame.
struct CLEGIBILITYSAMPLE {
    double timeMs;
    double mean;  // AreaMean of the greetings columns
};

// The demo time a frame file of plumora-capture stands for, read from its
// name ("0014750.00.png", also with a folder in front); false when the name
// is not of that form.
bool FrameTimeFromName(const std::string& path, double* timeMs);

// A stretch of consecutive illegible samples, from the first to the last.
struct CILLEGIBLERUN {
    double fromMs, toMs;
};

// The summary of a series of samples in time order.
struct CLEGIBILITYSUMMARY {
    int frames = 0;
    int legible = 0;
    std::vector<CILLEGIBLERUN> illegible;
    // legible / frames in percent (0 for no frames).
    double LegiblePercent() const;
};
CLEGIBILITYSUMMARY SummariseLegibility(const std::vector<CLEGIBILITYSAMPLE>& samples);

#endif
