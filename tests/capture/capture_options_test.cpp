// plumora-capture's command line and its exact-time clock steering.
#include "capture_clock.h"
#include "capture_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, CCAPTUREOPTIONS* o, std::string* error)
{
    args.insert(args.begin(), "plumora-capture");
    return ParseCaptureOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(CaptureOptions, AtListIsSortedAndUnique)
{
    CCAPTUREOPTIONS o;
    std::string error;
    ASSERT_TRUE(Parse({"--data", "d.dat", "--out", "o", "--at", "14750,500,500,0"}, &o, &error)) << error;
    EXPECT_EQ(o.times, (std::vector<double>{0, 500, 14750}));
    EXPECT_EQ(o.width, 1024);
    EXPECT_EQ(o.height, 768);
    EXPECT_EQ(o.stepFps, 60.0);
}

TEST(CaptureOptions, FrameRangeIncludesBothEnds)
{
    CCAPTUREOPTIONS o;
    std::string error;
    ASSERT_TRUE(Parse({"--data", "d", "--out", "o", "--fps", "30", "--from", "0", "--to", "100", "--size",
                       "640x480", "--step-fps", "30"},
                      &o, &error))
        << error;
    ASSERT_EQ(o.times.size(), 4u);
    EXPECT_NEAR(o.times[3], 100.0, 1e-9);
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.stepFps, 30.0);
}

TEST(CaptureOptions, MalformedLinesAreRefusedWithAReason)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--out", "o", "--at", "1"},                              // no data
        {"--data", "d", "--out", "o"},                            // no frames
        {"--data", "d", "--out", "o", "--at", "1,,2"},            // empty item
        {"--data", "d", "--out", "o", "--at", "-5"},              // negative time
        {"--data", "d", "--out", "o", "--at", "nan"},             // not finite
        {"--data", "d", "--out", "o", "--at", "1", "--size", "0x0"},
        {"--data", "d", "--out", "o", "--at", "1", "--size", "12x"},
        {"--data", "d", "--out", "o", "--fps", "0", "--from", "0", "--to", "5"},
        {"--data", "d", "--out", "o", "--fps", "30", "--from", "9", "--to", "5"},
        {"--data", "d", "--out", "o", "--fps", "1000", "--from", "0", "--to", "3600000"},
        {"--data", "d", "--out", "o", "--at", "1", "--bogus", "1"},
        {"--data"},
    };
    for (const auto& args : bad) {
        CCAPTUREOPTIONS o;
        std::string error;
        EXPECT_FALSE(Parse(args, &o, &error)) << args.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(CaptureOptions, FrameNamesCarryTwoDecimals)
{
    EXPECT_EQ(FrameFileName(14750.0), "14750.00.png");
    EXPECT_EQ(FrameFileName(33.333333), "33.33.png");
    EXPECT_EQ(FrameFileName(0.0), "0.00.png");
}

float Step(float current, int64_t k)
{
    return static_cast<float>(current + static_cast<double>(k) * 1000.0 / 1000000.0);
}

TEST(CaptureClock, TicksLandExactlyOnTheTargetOrSayTheyCannot)
{
    int hits = 0, misses = 0;
    float current = 0.0f;
    for (int frame = 1; frame < 6000; ++frame) {
        current = Step(current, 16667);
        float target = static_cast<float>(frame * 17 + 3);  // ms targets ahead of the clock
        if (target < current)
            continue;
        int64_t k;
        if (TicksToExactTime(current, target, &k)) {
            EXPECT_EQ(Step(current, k), target);
            ++hits;
        } else {
            ++misses;
        }
    }
    EXPECT_GT(hits, 10 * misses);
    EXPECT_GT(misses, 0);
    int64_t k;
    EXPECT_FALSE(TicksToExactTime(100.0f, 50.0f, &k));
    EXPECT_TRUE(TicksToExactTime(0.0f, 0.0f, &k));
    EXPECT_EQ(k, 0);
}

}  // namespace

namespace {

TEST(CaptureClock, AFewReadingsReachEveryTargetTwentyMillisecondsAhead)
{
    float current = 0.0f;
    for (int frame = 1; frame < 3000; ++frame) {
        current = Step(current, 33333);
        float target = static_cast<float>(current + 20.0 + (frame % 97) * 0.37);
        std::vector<int64_t> readings;
        ASSERT_TRUE(PlanExactTime(current, target, &readings)) << current << " -> " << target;
        ASSERT_LE(readings.size(), static_cast<size_t>(MAX_EXTRA_READINGS));
        float clock = current;
        for (int64_t ticks : readings)
            clock = Step(clock, ticks);
        EXPECT_EQ(clock, target);
    }
    // Frame-rate times early in the run, rounded to whole ticks.
    for (int frame = 1; frame < 300; ++frame) {
        float from = Step(0.0f, 33333LL * (frame - 1));
        float to = TickTime(frame * 1000.0 / 30.0);
        std::vector<int64_t> plan;
        ASSERT_TRUE(PlanExactTime(from, to, &plan)) << from << " -> " << to;
        float clock = from;
        for (int64_t ticks : plan)
            clock = Step(clock, ticks);
        EXPECT_EQ(clock, to);
    }
    // The case that a single extra reading cannot reach.
    std::vector<int64_t> readings;
    ASSERT_TRUE(PlanExactTime(466.667053f, 500.0f, &readings));
    float clock = 466.667053f;
    for (int64_t ticks : readings)
        clock = Step(clock, ticks);
    EXPECT_EQ(clock, 500.0f);
}

}  // namespace
