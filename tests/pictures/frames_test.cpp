// Frames of the real data set rendered by plumora-capture at 640 x 480,
// probed at known places: letterbox bands, the black frame at 14750 ms,
// pipes growing, the face, the flash and the credits overlay.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// The folder plumora-capture wrote to, named by PLM_FRAMES_DIR (run_frames.sh
// renders into a temporary folder of its own and sets it).
std::string FramesDir()
{
    const char* dir = std::getenv("PLM_FRAMES_DIR");
    return dir ? dir : "PLM_FRAMES_DIR-is-not-set";
}

const int W = 640, H = 480;
// The band of a 480-pixel screen: GL rows 24 .. 454, image rows 25 .. 455.
const int BAND_TOP = 25, BAND_BOTTOM = 455;

struct Frame {
    unsigned char* pixels = nullptr;
    explicit Frame(const char* name)
    {
        int w = 0, h = 0, n = 0;
        pixels = stbi_load((FramesDir() + "/" + name).c_str(), &w, &h, &n, 3);
        if (pixels && (w != W || h != H)) {
            stbi_image_free(pixels);
            pixels = nullptr;
        }
    }
    ~Frame() { stbi_image_free(pixels); }
    const unsigned char* At(int x, int y) const { return pixels + (y * W + x) * 3; }
    int Brightness(int x, int y) const { return At(x, y)[0] + At(x, y)[1] + At(x, y)[2]; }
    // Pixels in the rectangle brighter than threshold (sum of channels).
    int CountLit(int x0, int y0, int x1, int y1, int threshold = 30) const
    {
        int lit = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) lit += Brightness(x, y) > threshold ? 1 : 0;
        return lit;
    }
    int CountGreen(int y0, int y1) const
    {
        int green = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < W; ++x) {
                const unsigned char* p = At(x, y);
                green += (p[1] > 60 && p[1] > p[0] + 30 && p[1] > p[2] + 30) ? 1 : 0;
            }
        return green;
    }
};

void ExpectBlackBands(const Frame& f)
{
    EXPECT_EQ(f.CountLit(0, 0, W, BAND_TOP, 0), 0) << "top band";
    EXPECT_EQ(f.CountLit(0, BAND_BOTTOM + 1, W, H, 0), 0) << "bottom band";
}

TEST(Frames, ExactlyAtTheTurntableStartTheFrameIsBlack)
{
    Frame f("0014750.00.png");
    ASSERT_TRUE(f.pixels);
    EXPECT_EQ(f.CountLit(0, 0, W, H, 0), 0);
}

TEST(Frames, EveryOtherFrameKeepsTheLetterboxBandsBlack)
{
    for (const char* name : {"0000500.00.png", "0006000.00.png", "0010600.00.png", "0012000.00.png",
                             "0015000.00.png", "0030000.00.png"}) {
        Frame f(name);
        ASSERT_TRUE(f.pixels) << name;
        SCOPED_TRACE(name);
        ExpectBlackBands(f);
        EXPECT_GT(f.CountLit(0, BAND_TOP, W, BAND_BOTTOM + 1), W * 10);
    }
}

TEST(Frames, PipesGrowWithGreenTracesAndScrollingStrips)
{
    Frame early("0000500.00.png"), late("0010600.00.png");
    ASSERT_TRUE(early.pixels && late.pixels);
    // Line strips: green tiles along the top and bottom of the band.
    EXPECT_GT(early.CountGreen(BAND_TOP, BAND_TOP + 10), 100);
    EXPECT_GT(early.CountGreen(BAND_BOTTOM - 10, BAND_BOTTOM + 1), 100);
    // Traces inside the picture, and far more metal later than early on.
    EXPECT_GT(early.CountGreen(BAND_TOP + 20, BAND_BOTTOM - 20), 50);
    int earlyLit = early.CountLit(0, BAND_TOP + 20, W, BAND_BOTTOM - 20);
    int lateLit = late.CountLit(0, BAND_TOP + 20, W, BAND_BOTTOM - 20);
    EXPECT_GT(lateLit, earlyLit * 2);
}

TEST(Frames, FaceFlightShowsTheFaceInTheMiddle)
{
    Frame f("0012000.00.png");
    ASSERT_TRUE(f.pixels);
    EXPECT_GT(f.CountLit(W / 4, H / 4, 3 * W / 4, 3 * H / 4), W * H / 16);
}

TEST(Frames, TurntableShowsCreditsAndTheDropFlash)
{
    Frame flash("0015000.00.png"), later("0030000.00.png");
    ASSERT_TRUE(flash.pixels && later.pixels);
    // The drop's flash at 14750 ms fades over 2 s: 250 ms in it is bright.
    EXPECT_GT(flash.Brightness(5, H / 2), 3 * 150);
    // Credits picture at (40, 680) design units, 280 x 308: (25, 318) to (200, 462).
    EXPECT_GT(later.CountLit(25, 318, 200, 455, 200), 200);
    // Bar at 550..570 and panel from 580 design units: translucent white.
    EXPECT_GT(later.Brightness(350, H / 2), 3 * 100);
    EXPECT_GT(later.Brightness(630, H / 2), 3 * 100);
}

bool Lettering(const unsigned char* p)
{
    return p[1] > 50 && p[1] > p[0] + 30 && p[1] > p[2] + 20;
}

// Runs of rows between y0 and y1 holding at least `least` green pixels in
// columns x0..x1, as (first, last) rows; one empty row (between an i's dot
// and its stem) does not end a run.
std::vector<std::pair<int, int>> GreenRowRuns(const Frame& f, int x0, int x1, int y0, int y1, int least)
{
    std::vector<std::pair<int, int>> runs;
    for (int y = y0; y < y1; ++y) {
        int green = 0;
        for (int x = x0; x < x1; ++x) green += Lettering(f.At(x, y)) ? 1 : 0;
        if (green < least) continue;
        if (!runs.empty() && y - runs.back().second <= 2) {
            runs.back().second = y;
        } else {
            runs.emplace_back(y, y);
        }
    }
    return runs;
}

// The credits picture fills rows 310 to 440 at 640 x 480: under the green
// rule below its title come the four role labels, each at least 8 pixels
// from the top of its tallest letters to its baseline or lowest descender.
TEST(Frames, CreditLabelsStandAtLeastEightPixelsTall)
{
    Frame f("0030000.00.png");
    ASSERT_TRUE(f.pixels);
    const std::vector<std::pair<int, int>> rules = GreenRowRuns(f, 25, 200, 310, 440, 100);
    ASSERT_FALSE(rules.empty()) << "no rule under the title";
    // Left of the labels' columns lie the role bars; right of the shortest
    // label the turning head may pass.
    const std::vector<std::pair<int, int>> labels =
        GreenRowRuns(f, 44, 120, rules[0].second + 2, BAND_BOTTOM, 1);
    ASSERT_EQ(labels.size(), 4u);
    for (const auto& label : labels)
        EXPECT_GE(label.second - label.first + 1, 8)
            << "label from row " << label.first << " to " << label.second;
}

}  // namespace
