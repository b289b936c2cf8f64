// The greetings through the turntable, measured on the frames run_legibility.sh
// renders (640 x 480, 15 s to 96 s every 0.25 s): readable in at least nine
// frames out of ten, washed out only by the flashes of the big accents.
#include "legibility.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string FramesDir()
{
    const char* dir = std::getenv("PLM_FRAMES_DIR");
    return dir ? dir : "PLM_FRAMES_DIR-is-not-set";
}

// Every frame of the folder, measured, in time order.
std::vector<CLEGIBILITYSAMPLE> MeasureFrames()
{
    std::vector<CLEGIBILITYSAMPLE> samples;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(FramesDir(), error)) {
        CLEGIBILITYSAMPLE sample = {0.0, 0.0};
        const std::string path = entry.path().string();
        if (!FrameTimeFromName(path, &sample.timeMs)) continue;
        int w = 0, h = 0, n = 0;
        unsigned char* rgb = stbi_load(path.c_str(), &w, &h, &n, 3);
        if (rgb == nullptr || w != 640 || h != 480) {
            ADD_FAILURE() << path << " is not a 640 x 480 picture";
            stbi_image_free(rgb);
            continue;
        }
        sample.mean = AreaMean(rgb, w, GreetingsArea(w, h));
        stbi_image_free(rgb);
        samples.push_back(sample);
    }
    std::sort(samples.begin(), samples.end(),
              [](const CLEGIBILITYSAMPLE& a, const CLEGIBILITYSAMPLE& b) { return a.timeMs < b.timeMs; });
    return samples;
}

TEST(Legibility, GreetingsStayReadableThroughTheTurntable)
{
    const std::vector<CLEGIBILITYSAMPLE> samples = MeasureFrames();
    ASSERT_EQ(samples.size(), 325u) << "frames in " << FramesDir();
    const CLEGIBILITYSUMMARY summary = SummariseLegibility(samples);
    EXPECT_GE(summary.LegiblePercent(), 90.0) << summary.legible << " of " << summary.frames;
    // The drop's flash washes the panel out (the measurement sees a flash)...
    EXPECT_EQ(samples.front().timeMs, 15000.0);
    EXPECT_GE(samples.front().mean, kLegibleBelow);
    // ... and no flash follows another within 8 s.
    for (size_t i = 1; i < summary.illegible.size(); ++i) {
        EXPECT_GE(summary.illegible[i].fromMs - summary.illegible[i - 1].fromMs, 8000.0)
            << summary.illegible[i].fromMs;
    }
    // At rest the greetings lie over the half-white panel.
    EXPECT_GT(samples.back().mean, 128.0);
    EXPECT_LT(samples.back().mean, 200.0);
}

}  // namespace
