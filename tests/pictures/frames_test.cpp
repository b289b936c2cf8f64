// Frames of the real data set rendered by plumora-capture at 640 x 480,
// probed at known places: letterbox bands, the black frame at 14750 ms,
// pipes growing, the face, the flash and the credits overlay.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdlib>
#include <string>

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

}  // namespace
