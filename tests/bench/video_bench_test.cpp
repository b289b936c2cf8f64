// plm_video_bench's command line, frame count and report (no timing).
#include "video_options.h"
#include "video_phases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Parse(std::vector<const char*> args, CVIDEOBENCHOPTIONS* o, std::string* error)
{
    args.insert(args.begin(), "plm_video_bench");
    return ParseVideoBenchOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(VideoBenchOptions, DefaultsAndValues)
{
    CVIDEOBENCHOPTIONS o;
    std::string error;
    ASSERT_TRUE(Parse({}, &o, &error)) << error;
    EXPECT_EQ(o.width, 1280);
    EXPECT_EQ(o.height, 720);
    EXPECT_EQ(o.depth, 2);
    EXPECT_EQ(VideoBenchFrames(o), 1200);  // 0 to 20 s at 60 fps, 20 s itself not included
    ASSERT_TRUE(Parse(
        {"--size=1920x1080", "--depth", "1", "--split", "--raw", "--to", "1000", "--fps", "30", "--aa", "4"},
        &o, &error))
        << error;
    EXPECT_EQ(o.width, 1920);
    EXPECT_EQ(o.height, 1080);
    EXPECT_EQ(o.depth, 1);
    EXPECT_EQ(o.samples, 4);
    EXPECT_TRUE(o.split);
    EXPECT_TRUE(o.raw);
    EXPECT_EQ(VideoBenchFrames(o), 30);
    o.toMs = 1010;  // a frame at 1000 ms still lies before the end
    EXPECT_EQ(VideoBenchFrames(o), 31);
}

TEST(VideoBenchOptions, BadLinesAreRefusedNamingTheOption)
{
    const std::vector<std::pair<std::vector<const char*>, const char*>> lines = {
        {{"--depth", "0"}, "bad value for --depth"},
        {{"--depth", "9"}, "bad value for --depth"},
        {{"--depth", "1.5"}, "bad value for --depth"},
        {{"--aa", "3"}, "bad value for --aa"},
        {{"--fps", "0"}, "bad value for --fps"},
        {{"--fps", "241"}, "bad value for --fps"},
        {{"--to", "0"}, "bad value for --to"},
        {{"--to", "nan"}, "bad value for --to"},
        {{"--size", "8x8"}, "bad value for --size"},
        {{"--size", "640x"}, "bad value for --size"},
        {{"--size"}, "--size needs a value"},
        {{"--raw=1"}, "--raw takes no value"},
        {{"--bogus"}, "unknown option --bogus"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--split", "--depth", "2"}, "--split waits for every frame"},
    };
    for (const auto& line : lines) {
        CVIDEOBENCHOPTIONS o;
        std::string error;
        EXPECT_FALSE(Parse(line.first, &o, &error)) << line.second;
        EXPECT_NE(error.find(line.second), std::string::npos) << error;
    }
}

TEST(VideoBenchReport, RatesSharesAndKeysAgree)
{
    CVIDEOBENCHOPTIONS o;
    CVIDEOPHASES p;
    p.frames = 1200;
    p.wallSeconds = 40.0;  // 30 fps: 2 s of wall time per second of 60 fps video
    p.seconds[VIDEO_DRAW] = 20.0;
    p.seconds[VIDEO_READBACK] = 10.0;
    p.seconds[VIDEO_WRITE] = 6.0;
    p.overlapped = true;
    std::string report = FormatVideoReport(o, p);
    EXPECT_NE(report.find("1200 frames in 40.00 s, 30.0 fps, 2.00 s per second of video"), std::string::npos)
        << report;
    EXPECT_NE(report.find("draw 16.67 ms (50%), read-back 8.33 ms (25%), write 5.00 ms (15%), other 3.33 ms"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("\nsize=1280x720 depth=2 overlapped=1 frames=1200 wall_s=40.000 fps=30.00 "
                          "draw_ms=16.667 read_ms=8.333 write_ms=5.000\n"),
              std::string::npos)
        << report;
    // An empty run divides by nothing.
    std::string empty = FormatVideoReport(o, CVIDEOPHASES());
    EXPECT_NE(empty.find("0 frames in 0.00 s, 0.0 fps"), std::string::npos) << empty;
    EXPECT_EQ(empty.find("nan"), std::string::npos) << empty;
    EXPECT_EQ(empty.find("inf"), std::string::npos) << empty;
}

}  // namespace
