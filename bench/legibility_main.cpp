// plm_legibility FRAME.png...: how many of the given frames of
// plumora-capture (turntable frames, named by their demo time) keep the
// greetings legible, and where they are not (legibility.h says how it is
// judged). With --frames, one line per frame: time in ms, mean level,
// "legible" or "washed-out".
// Exit status: 0 measured, 1 a frame cannot be read, 2 usage error.
#include "legibility.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kUsage = "usage: plm_legibility [--frames] FRAME.png...\n";

bool Measure(const std::string& path, CLEGIBILITYSAMPLE* sample)
{
    if (!FrameTimeFromName(path, &sample->timeMs)) {
        std::fprintf(stderr, "plm_legibility: %s: not a frame name of plumora-capture\n", path.c_str());
        return false;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char* rgb = stbi_load(path.c_str(), &width, &height, &channels, 3);
    if (rgb == nullptr) {
        std::fprintf(stderr, "plm_legibility: %s: cannot read the picture\n", path.c_str());
        return false;
    }
    sample->mean = AreaMean(rgb, width, GreetingsArea(width, height));
    stbi_image_free(rgb);
    return true;
}

void Report(const std::vector<CLEGIBILITYSAMPLE>& samples, bool frames)
{
    if (frames) {
        for (const CLEGIBILITYSAMPLE& s : samples)
            std::printf("%.2f %.1f %s\n", s.timeMs, s.mean,
                        s.mean < kLegibleBelow ? "legible" : "washed-out");
    }
    const CLEGIBILITYSUMMARY summary = SummariseLegibility(samples);
    std::printf("legible: %d of %d frames (%.1f %%), mean level of the greetings columns below %.0f\n",
                summary.legible, summary.frames, summary.LegiblePercent(), kLegibleBelow);
    std::printf("washed out:");
    for (const CILLEGIBLERUN& run : summary.illegible)
        std::printf(" %.2f-%.2f s", run.fromMs / 1000.0, run.toMs / 1000.0);
    std::printf(summary.illegible.empty() ? " never\n" : "\n");
}

}  // namespace

int main(int argc, char** argv)
{
    bool frames = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0) {
            frames = true;
        } else if (argv[i][0] == '-') {
            std::fputs(kUsage, stderr);
            return 2;
        } else {
            paths.push_back(argv[i]);
        }
    }
    if (paths.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::vector<CLEGIBILITYSAMPLE> samples(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!Measure(paths[i], &samples[i])) return 1;
    }
    std::sort(samples.begin(), samples.end(),
              [](const CLEGIBILITYSAMPLE& a, const CLEGIBILITYSAMPLE& b) { return a.timeMs < b.timeMs; });
    Report(samples, frames);
    return 0;
}
