// The legibility measurement's arithmetic: where the greetings columns lie
// in a frame, their mean level, frame names and the summary of a run.
#include "legibility.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool SameArea(CPIXELAREA a, CPIXELAREA b)
{
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

// The overlay draws the greetings from 600 to 1000 design units (1/1024 of
// the width); the band leaves 5 % black above and below (one row less than
// nine tenths for heights that are multiples of ten).
TEST(GreetingsArea, ColumnsOfTheGreetingsInsideTheBand)
{
    EXPECT_TRUE(SameArea(GreetingsArea(640, 480), CPIXELAREA{375, 25, 625, 456}));
    EXPECT_TRUE(SameArea(GreetingsArea(1024, 768), CPIXELAREA{600, 39, 1000, 730}));
    EXPECT_TRUE(SameArea(GreetingsArea(800, 600), CPIXELAREA{468, 31, 780, 570}));
}

TEST(AreaMean, AveragesAllChannelsInsideTheAreaOnly)
{
    const int w = 8, h = 4;
    std::vector<unsigned char> rgb(w * h * 3, 255);  // white outside the area
    // Area x 2..6, y 1..3: red 90 / green 150 / blue 210 on the left half,
    // all 0 on the right half.
    for (int y = 1; y < 3; ++y)
        for (int x = 2; x < 6; ++x) {
            unsigned char* p = &rgb[(y * w + x) * 3];
            p[0] = x < 4 ? 90 : 0;
            p[1] = x < 4 ? 150 : 0;
            p[2] = x < 4 ? 210 : 0;
        }
    EXPECT_DOUBLE_EQ(AreaMean(rgb.data(), w, CPIXELAREA{2, 1, 6, 3}), 75.0);
    EXPECT_DOUBLE_EQ(AreaMean(rgb.data(), w, CPIXELAREA{0, 0, w, 1}), 255.0);
    EXPECT_DOUBLE_EQ(AreaMean(rgb.data(), w, CPIXELAREA{3, 2, 3, 4}), 0.0);  // empty
}

TEST(FrameTimeFromName, ReadsTheNamesOfPlumoraCapture)
{
    double t = -1.0;
    EXPECT_TRUE(FrameTimeFromName("0014750.00.png", &t));
    EXPECT_DOUBLE_EQ(t, 14750.0);
    EXPECT_TRUE(FrameTimeFromName("/tmp/x.png/0096000.25.png", &t));
    EXPECT_DOUBLE_EQ(t, 96000.25);
    for (const char* bad :
         {"14750.00.png", "0014750.00.jpg", "0014750,00.png", "frame.png", "", "a/00x4750.00.png"})
        EXPECT_FALSE(FrameTimeFromName(bad, &t)) << bad;
}

TEST(SummariseLegibility, CountsFramesBelowTheThresholdAndJoinsWashedOutRuns)
{
    const std::vector<CLEGIBILITYSAMPLE> samples = {
        {15000, 255.0}, {15250, 250.0}, {15500, 249.9}, {15750, 140.0},
        {16000, 255.0}, {16250, 130.0}, {16500, 251.0}, {16750, 252.0},
    };
    const CLEGIBILITYSUMMARY s = SummariseLegibility(samples);
    EXPECT_EQ(s.frames, 8);
    EXPECT_EQ(s.legible, 3);
    EXPECT_DOUBLE_EQ(s.LegiblePercent(), 37.5);
    ASSERT_EQ(s.illegible.size(), 3u);
    EXPECT_EQ(s.illegible[0].fromMs, 15000);
    EXPECT_EQ(s.illegible[0].toMs, 15250);
    EXPECT_EQ(s.illegible[1].fromMs, 16000);
    EXPECT_EQ(s.illegible[1].toMs, 16000);
    EXPECT_EQ(s.illegible[2].fromMs, 16500);
    EXPECT_EQ(s.illegible[2].toMs, 16750);

    const CLEGIBILITYSUMMARY none = SummariseLegibility({});
    EXPECT_EQ(none.frames, 0);
    EXPECT_DOUBLE_EQ(none.LegiblePercent(), 0.0);
    EXPECT_TRUE(none.illegible.empty());
}

}  // namespace
