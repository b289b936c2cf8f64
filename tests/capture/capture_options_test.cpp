// plumora-capture's command line and its exact-time clock steering.
#include "capture_clock.h"
#include "capture_options.h"
#include "capture_progress.h"

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

// Each malformed line is refused, and the reason names what is wrong. The
// lines of ExpectRefusedAfter start with --data d --out o.
void ExpectRefused(const std::vector<std::vector<const char*>>& lines, const char* reasonPart)
{
    for (const auto& args : lines) {
        CCAPTUREOPTIONS o;
        std::string error;
        std::string line;
        for (const char* arg : args) line += std::string(arg) + " ";
        EXPECT_FALSE(Parse(args, &o, &error)) << line;
        EXPECT_NE(error.find(reasonPart), std::string::npos) << line << "-> " << error;
    }
}

void ExpectRefusedAfter(std::vector<std::vector<const char*>> lines, const char* reasonPart)
{
    for (auto& args : lines) args.insert(args.begin(), {"--data", "d", "--out", "o"});
    ExpectRefused(lines, reasonPart);
}

TEST(CaptureOptions, UnknownOptionsAndStrayArgumentsAreNamed)
{
    ExpectRefusedAfter({{"--at", "1", "--bogus", "1"}}, "unknown option --bogus");
    ExpectRefusedAfter({{"--at", "1", "--bogus=1"}}, "unknown option --bogus");
    ExpectRefusedAfter({{"--at", "1", "-x"}}, "unknown option -x");
    ExpectRefusedAfter({{"--at", "1", "stray"}}, "unexpected argument 'stray'");
    ExpectRefusedAfter({{"--at", "1", "--help=yes"}}, "--help takes no value");
}

TEST(CaptureOptions, MissingValuesAndRequiredOptions)
{
    ExpectRefused({{"--data"}, {"--data", "--out", "o", "--at", "1"}}, "--data needs a value");
    ExpectRefused({{"--data", "d", "--out", "--at", "1"}}, "--out needs a value");
    ExpectRefused({{"--out", "o", "--at", "1"}}, "--data is required");
    ExpectRefused({{"--data", "d", "--at", "1"}}, "--out is required");
    ExpectRefused({{"--data", "", "--out", "o", "--at", "1"}}, "bad value for --data");
    ExpectRefused({{"--data", "d", "--out", "o"}}, "no frames requested");
}

TEST(CaptureOptions, BadNumbersAreRefused)
{
    ExpectRefusedAfter({{"--at", "1,,2"}, {"--at", "nan"}, {"--at", "5ms"}, {"--at", ""}},
                       "bad value for --at");
    ExpectRefusedAfter({{"--at", "-5"}, {"--at", "3600001"}}, "lies outside 0 to 3600000 ms");
    for (const char* size :
         {"0x0", "12x", "640x-480", "640x480x2", "65537x480", "4294967312x480", " 640x480"})
        ExpectRefusedAfter({{"--at", "1", "--size", size}}, "bad value for --size");
    ExpectRefusedAfter({{"--fps", "0", "--from", "0", "--to", "5"},
                        {"--fps", "-30", "--to", "5"},
                        {"--fps", "inf", "--to", "5"}},
                       "bad value for --fps");
    ExpectRefusedAfter({{"--at", "1", "--step-fps", "0.5"}, {"--at", "1", "--step-fps", "1001"}},
                       "bad value for --step-fps");
}

TEST(CaptureOptions, FrameRangeNeedsFpsAndAnOrderedRange)
{
    ExpectRefusedAfter({{"--fps", "30", "--from", "9", "--to", "5"}}, "--from 9 lies after --to 5");
    ExpectRefusedAfter(
        {{"--at", "1", "--from", "0", "--to", "5"}, {"--at", "1", "--to", "5"}, {"--at", "1", "--from", "0"}},
        "--from and --to only apply with --fps");
    ExpectRefusedAfter({{"--fps", "30", "--from", "0"}}, "--fps needs --to");
    ExpectRefusedAfter({{"--fps", "1000", "--from", "0", "--to", "3600000"}}, "more than 100000 frames");
    // Times closer than the names' two decimals would overwrite each other.
    ExpectRefusedAfter({{"--at", "1.001,1.002"}, {"--fps", "300000", "--from", "0", "--to", "1"}},
                       "would both be written as");
    // A range that is a single time is fine.
    CCAPTUREOPTIONS o;
    std::string error;
    ASSERT_TRUE(
        Parse({"--data", "d", "--out", "o", "--fps", "30", "--from", "500", "--to", "500"}, &o, &error))
        << error;
    EXPECT_EQ(o.times, (std::vector<double>{500}));
}

TEST(CaptureOptions, HelpAndVersionNeedNothingElse)
{
    CCAPTUREOPTIONS help, version;
    std::string error;
    ASSERT_TRUE(Parse({"--help"}, &help, &error)) << error;
    EXPECT_TRUE(help.help);
    ASSERT_TRUE(Parse({"--version"}, &version, &error)) << error;
    EXPECT_TRUE(version.version);
    EXPECT_EQ(CaptureVersion().rfind("plumora-capture ", 0), 0u);
    EXPECT_EQ(CaptureVersion().back(), '\n');
    // Every exit status the program uses is documented.
    for (const char* status : {"  0 ", "  1 ", "  2 ", "129", "130", "143"})
        EXPECT_NE(std::string(CaptureUsage()).find(status), std::string::npos) << status;
}

TEST(CaptureOptions, ValuesMayFollowAnEqualsSign)
{
    CCAPTUREOPTIONS o;
    std::string error;
    ASSERT_TRUE(Parse({"--data=d.dat", "--out=a=b", "--size=640x480", "--at=7,3"}, &o, &error)) << error;
    EXPECT_EQ(o.data, "d.dat");
    EXPECT_EQ(o.out, "a=b");
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.times, (std::vector<double>{3, 7}));
}

TEST(CaptureOptions, FrameNamesSortInTimeOrderAndKeepTheTime)
{
    EXPECT_EQ(FrameFileName(14750.0), "0014750.00.png");
    EXPECT_EQ(FrameFileName(33.333333), "0000033.33.png");
    EXPECT_EQ(FrameFileName(0.0), "0000000.00.png");
    EXPECT_EQ(FrameFileName(3600000.0), "3600000.00.png");
    const std::vector<double> times = {0, 0.01, 5, 9.99, 33.33, 100, 999.99, 1000, 14750, 100000, 3600000};
    for (size_t i = 1; i < times.size(); ++i)
        EXPECT_LT(FrameFileName(times[i - 1]), FrameFileName(times[i])) << times[i - 1] << " " << times[i];
}

TEST(CaptureProgress, PlannedRendersMatchTheRunsSteps)
{
    // 30 steps per second: the frame at 0, then steps while step * 33333.3
    // us < 1000 ms - 20 ms.
    EXPECT_EQ(PlannedRenders({1000}, 30), 1 + 29 + 1);
    // Step 15 lands on the frame at 500 ms and is not rendered again.
    EXPECT_EQ(PlannedRenders({10, 500, 1000}, 30), 1 + 28 + 3);
    EXPECT_EQ(PlannedRenders({10}, 60), 1 + 1);  // no ordinary step before 20 ms
    EXPECT_EQ(PlannedRenders({0, 10}, 60), 2);   // the frame at 0 is a requested one
    EXPECT_EQ(PlannedRenders({}, 60), 0);
    // A video's frames lie on the steps: each is rendered once.
    std::vector<double> video;
    for (int k = 0; k < 61; ++k) video.push_back(k * 1000.0 / 30.0);
    EXPECT_EQ(PlannedRenders(video, 30), 61);
}

TEST(CaptureProgress, RemainingTimeScalesWithWorkLeft)
{
    EXPECT_DOUBLE_EQ(RemainingSeconds(10.0, 25, 100), 30.0);
    EXPECT_DOUBLE_EQ(RemainingSeconds(10.0, 100, 100), 0.0);
    EXPECT_LT(RemainingSeconds(0.0, 0, 100), 0.0);  // no estimate yet
    std::string line = ProgressLine(3, 7, "written", 10600.0, 4.24, 6.1);
    EXPECT_EQ(line, "frame 3 of 7 written, demo time 10600.00 ms, 4.2 s elapsed, about 6.1 s left");
    EXPECT_EQ(ProgressLine(1, 7, "rendering", 0.0, 0.0, -1.0).find("left"), std::string::npos);
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
        if (target < current) continue;
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
        for (int64_t ticks : readings) clock = Step(clock, ticks);
        EXPECT_EQ(clock, target);
    }
    // Frame-rate times early in the run, rounded to whole ticks.
    for (int frame = 1; frame < 300; ++frame) {
        float from = Step(0.0f, 33333LL * (frame - 1));
        float to = TickTime(frame * 1000.0 / 30.0);
        std::vector<int64_t> plan;
        ASSERT_TRUE(PlanExactTime(from, to, &plan)) << from << " -> " << to;
        float clock = from;
        for (int64_t ticks : plan) clock = Step(clock, ticks);
        EXPECT_EQ(clock, to);
    }
    // The case that a single extra reading cannot reach.
    std::vector<int64_t> readings;
    ASSERT_TRUE(PlanExactTime(466.667053f, 500.0f, &readings));
    float clock = 466.667053f;
    for (int64_t ticks : readings) clock = Step(clock, ticks);
    EXPECT_EQ(clock, 500.0f);
}

}  // namespace
