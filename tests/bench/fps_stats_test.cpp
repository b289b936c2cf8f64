// Scene splitting, percentiles, summaries, the report and the hand-over of
// samples between processes.
#include "fps_stats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

TEST(BenchScenes, FramesFallIntoTheTimelinesStretches)
{
    struct CASE {
        float time;
        const char* scene;  // nullptr: none
    };
    const CASE cases[] = {
        {0.0f, "pipes-0-5"},       {5000.0f, "pipes-0-5"},    {5000.5f, "pipes-5-9"},
        {9000.0f, "pipes-5-9"},    {9000.5f, "pipes-9-10.7"}, {10700.0f, "pipes-9-10.7"},
        {10700.001f, "face"},      {14749.999f, "face"},      {14750.0f, nullptr},
        {14750.001f, "turntable"}, {600000.0f, "turntable"},
    };
    for (const CASE& c : cases) {
        int scene = BenchSceneAt(c.time);
        if (!c.scene) {
            EXPECT_EQ(scene, -1) << c.time;
        } else {
            ASSERT_GE(scene, 0) << c.time;
            EXPECT_STREQ(BENCH_SCENES[scene].name, c.scene) << c.time;
            EXPECT_EQ(FindBenchScene(c.scene), scene);
        }
    }
    EXPECT_EQ(FindBenchScene("pipes"), -1);
    EXPECT_EQ(FindBenchScene(""), -1);
}

TEST(Percentile, InterpolatesBetweenRanksOfUnsortedValues)
{
    EXPECT_EQ(Percentile({}, 50.0), 0.0);
    EXPECT_EQ(Percentile({7.0}, 95.0), 7.0);
    std::vector<double> values = {4.0, 1.0, 3.0, 2.0};
    EXPECT_DOUBLE_EQ(Percentile(values, 50.0), 2.5);
    EXPECT_DOUBLE_EQ(Percentile(values, 95.0), 3.85);
    EXPECT_DOUBLE_EQ(Percentile(values, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(Percentile(values, 100.0), 4.0);
    EXPECT_DOUBLE_EQ(Percentile(values, 150.0), 4.0);
    EXPECT_DOUBLE_EQ(Percentile(values, -5.0), 1.0);
}

TEST(Summarise, TakesOnlyTheScenesFramesAndTurnsTimesIntoRates)
{
    // Scene 2: 10, 20, 30 ms; one frame of scene 0 in between must not count.
    std::vector<CFRAMESAMPLE> samples = {
        {2, 10.0f, 300, 10},
        {0, 1000.0f, 5, 5},
        {2, 30.0f, 100, 0},
        {2, 20.0f, 200, 20},
    };
    CSCENESUMMARY s = Summarise(samples, 2);
    EXPECT_EQ(s.frames, 3u);
    EXPECT_DOUBLE_EQ(s.medianFps, 50.0);       // 1000 / 20 ms
    EXPECT_DOUBLE_EQ(s.p5Fps, 1000.0 / 29.0);  // 95th percentile: 29 ms
    EXPECT_DOUBLE_EQ(s.trianglesMean, 200.0);
    EXPECT_EQ(s.trianglesMax, 300u);
    EXPECT_DOUBLE_EQ(s.linesMean, 10.0);
    EXPECT_EQ(Summarise(samples, 4).frames, 0u);
    EXPECT_EQ(Summarise({}, 0).medianFps, 0.0);
}

TEST(FormatReport, ListsScenesWithFramesInBothForms)
{
    CSCENESUMMARY some;
    some.frames = 3;
    some.medianFps = 12.96;
    some.p5Fps = 9.04;
    some.trianglesMean = 321000.4;
    some.trianglesMax = 345000;
    some.linesMean = 30000;
    std::vector<CREPORTROW> rows = {{"1024x768", 2, some}, {"1024x768", 3, CSCENESUMMARY()}};
    std::string plain = FormatReport(rows, false);
    EXPECT_NE(plain.find("1024x768   pipes-9-10.7       3        13.0     9.0          321000   345000"),
              std::string::npos)
        << plain;
    EXPECT_EQ(plain.find("face"), std::string::npos) << "a scene without frames is listed";
    std::string markdown = FormatReport(rows, true);
    EXPECT_EQ(markdown.rfind("| size | scene |", 0), 0u) << markdown;
    EXPECT_NE(markdown.find("| 1024x768 | pipes-9-10.7 | 3 | 13.0 | 9.0 | 321000 | 345000 | 30000 |\n"),
              std::string::npos)
        << markdown;
}

TEST(Samples, SurviveTheHandOverAndDamageIsRefused)
{
    std::vector<CFRAMESAMPLE> samples = {{0, 16.5f, 1000, 10}, {4, 7.25f, 31686, 0}};
    std::string bytes = SerialiseSamples(samples);
    std::vector<CFRAMESAMPLE> back;
    ASSERT_TRUE(ParseSamples(bytes, &back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].scene, 4);
    EXPECT_EQ(back[1].milliseconds, 7.25f);
    EXPECT_EQ(back[1].triangles, 31686u);
    EXPECT_TRUE(ParseSamples("", &back));
    EXPECT_TRUE(back.empty());

    back = samples;
    EXPECT_FALSE(ParseSamples(bytes.substr(0, bytes.size() - 1), &back)) << "a cut sample";
    EXPECT_TRUE(back.empty());
    for (CFRAMESAMPLE bad :
         {CFRAMESAMPLE{5, 1.0f, 0, 0}, CFRAMESAMPLE{-1, 1.0f, 0, 0}, CFRAMESAMPLE{0, -1.0f, 0, 0},
          CFRAMESAMPLE{0, std::numeric_limits<float>::quiet_NaN(), 0, 0}}) {
        EXPECT_FALSE(ParseSamples(SerialiseSamples({samples[0], bad}), &back)) << bad.scene;
    }
}

}  // namespace
