// A video's or raw stream's command line, the frames it holds and the
// ffmpeg command that encodes it.
#include "capture_options.h"
#include "ffmpeg_command.h"
#include "video_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool Parse(std::vector<const char*> args, CCAPTUREOPTIONS* o, std::string* error)
{
    args.insert(args.begin(), {"plumora-capture", "--data", "d.dat"});
    return ParseCaptureOptions(static_cast<int>(args.size()), args.data(), o, error);
}

// Each line (after --data d.dat) is refused with a reason holding reasonPart.
void ExpectRefused(const std::vector<std::vector<const char*>>& lines, const char* reasonPart)
{
    for (const auto& args : lines) {
        CCAPTUREOPTIONS o;
        std::string error, line;
        for (const char* arg : args) line += std::string(arg) + " ";
        EXPECT_FALSE(Parse(args, &o, &error)) << line;
        EXPECT_NE(error.find(reasonPart), std::string::npos) << line << "-> " << error;
    }
}

TEST(VideoOptions, DefaultsAndTheClockStepsAtTheVideosRate)
{
    CCAPTUREOPTIONS o;
    std::string error;
    ASSERT_TRUE(Parse({"--video", "demo.mp4"}, &o, &error)) << error;
    EXPECT_EQ(o.mode, CAPTURE_VIDEO);
    EXPECT_EQ(o.video, "demo.mp4");
    EXPECT_EQ(o.fps, 60.0);
    EXPECT_EQ(o.stepFps, 60.0);
    EXPECT_EQ(o.from, 0.0);
    EXPECT_FALSE(o.toGiven);
    EXPECT_TRUE(o.times.empty());  // planned once the music's length is known
    EXPECT_EQ(o.crf, -1);
    EXPECT_FALSE(o.overwrite);
}

TEST(VideoOptions, EveryVideoOptionIsRead)
{
    CCAPTUREOPTIONS o;
    std::string error;
    ASSERT_TRUE(
        Parse({"--video=out.mkv", "--fps", "240", "--from", "500", "--to", "1500", "--crf", "0", "--codec",
               "ffv1", "--ffmpeg-args", " -g 1  -level 3 ", "-y", "--keep-partial", "--size", "320x240"},
              &o, &error))
        << error;
    EXPECT_EQ(o.fps, 240.0);
    EXPECT_EQ(o.stepFps, 240.0);
    EXPECT_EQ(o.from, 500.0);
    EXPECT_EQ(o.to, 1500.0);
    EXPECT_TRUE(o.toGiven);
    EXPECT_EQ(o.crf, 0);
    EXPECT_EQ(o.codec, "ffv1");
    EXPECT_EQ(o.ffmpegArgs, (std::vector<std::string>{"-g", "1", "-level", "3"}));
    EXPECT_TRUE(o.overwrite);
    EXPECT_TRUE(o.keepPartial);
    CCAPTUREOPTIONS raw;
    ASSERT_TRUE(Parse({"--raw", "-", "--fps", "1"}, &raw, &error)) << error;
    EXPECT_EQ(raw.mode, CAPTURE_RAW);
    EXPECT_EQ(raw.stepFps, 1.0);
}

TEST(VideoOptions, ModesExcludeEachOther)
{
    ExpectRefused({{"--video", "a.mp4", "--out", "o"}, {"--raw", "-", "--video", "a.mp4"}}, "only one of");
    ExpectRefused({{"--at", "500"}}, "--out is required");
    ExpectRefused({{"--video", "a.mp4", "--at", "500"}, {"--raw", "-", "--step-fps", "30"}},
                  "only applies with --out");
    ExpectRefused({{"--out", "o", "--at", "1", "--crf", "20"},
                   {"--out", "o", "--at", "1", "--keep-partial"},
                   {"--raw", "-", "--codec", "ffv1"},
                   {"--raw", "-", "-y"},
                   {"--raw", "-", "--ffmpeg-args", "-g 1"}},
                  "only applies with --video");
}

TEST(VideoOptions, BadValuesAreRefused)
{
    ExpectRefused({{"--video", "a.mp4", "--fps", "0"}}, "bad value for --fps");  // as for PNG frames
    ExpectRefused({{"--video", "a.mp4", "--fps", "241"}, {"--raw", "-", "--fps", "0.5"}},
                  "outside 1 to 240 frames per second");
    ExpectRefused({{"--raw", "stdout"}, {"--raw", ""}}, "bad value for --raw");
    ExpectRefused({{"--video", "a.mp4", "--crf", "64"},
                   {"--video", "a.mp4", "--crf", "-1"},
                   {"--video", "a.mp4", "--crf", "18.5"}},
                  "bad value for --crf");
    ExpectRefused({{"--video", "a.mp4", "--codec", "-f"}, {"--video", "a.mp4", "--codec", "lib x264"}},
                  "bad value for --codec");
    ExpectRefused({{"--video", "a.mp4", "--ffmpeg-args", "   "}}, "bad value for --ffmpeg-args");
    ExpectRefused({{"--video", "a.mp4", "--from", "1000", "--to", "1000"}}, "must lie after --from");
    ExpectRefused({{"--video", "a.mp4", "--from", "-1"}, {"--video", "a.mp4", "--to", "3600001"}},
                  "lies outside 0 to 3600000 ms");
    ExpectRefused({{"--video", "", "--fps", "30"}}, "bad value for --video");
}

TEST(VideoPlan, FramesCoverTheRangeWithoutItsEnd)
{
    EXPECT_EQ(VideoFrameCount(0, 2000, 30), 60);
    EXPECT_EQ(VideoFrameCount(0, 2001, 30), 61);
    EXPECT_EQ(VideoFrameCount(0, 1000.0 / 3.0, 30), 10);  // an end on a frame by rounding alone
    EXPECT_EQ(VideoFrameCount(100, 100, 30), 0);
    EXPECT_EQ(VideoFrameCount(0, 1, 240), 1);
    EXPECT_DOUBLE_EQ(VideoFrameTime(4000, 30, 3), 4100);

    CCAPTUREOPTIONS o;
    o.mode = CAPTURE_VIDEO;
    o.fps = 30;
    o.from = 4000;
    o.to = 6000;
    o.toGiven = true;
    std::string error;
    ASSERT_TRUE(PlanVideo(&o, 100000, &error)) << error;
    ASSERT_EQ(o.times.size(), 60u);
    EXPECT_EQ(o.times.front(), 4000.0);
    EXPECT_DOUBLE_EQ(o.times[59], 4000 + 59 * 1000.0 / 30);
    EXPECT_DOUBLE_EQ(VideoSeconds(o), 2.0);
}

TEST(VideoPlan, TheEndFollowsTheMusicUnlessGiven)
{
    CCAPTUREOPTIONS o;
    o.fps = 10;
    std::string error;
    ASSERT_TRUE(PlanVideo(&o, 100048.98, &error)) << error;
    EXPECT_DOUBLE_EQ(o.to, 102048.98);
    EXPECT_EQ(o.times.size(), 1021u);
    // Music that cannot be read: the demo's own song's length.
    CCAPTUREOPTIONS unknown;
    unknown.fps = 10;
    ASSERT_TRUE(PlanVideo(&unknown, -1.0, &error)) << error;
    EXPECT_EQ(unknown.to, FALLBACK_MUSIC_MS + VIDEO_TAIL_MS);
    // A start after the music's end leaves nothing to render.
    CCAPTUREOPTIONS late;
    late.fps = 10;
    late.from = 200000;
    EXPECT_FALSE(PlanVideo(&late, 100000, &error));
    EXPECT_NE(error.find("no frames between"), std::string::npos) << error;
}

CFFMPEGJOB Job()
{
    CFFMPEGJOB job;
    job.width = 320;
    job.height = 240;
    job.fps = 30;
    job.fromMs = 4000;
    job.seconds = 2;
    job.music = "/tmp/x/plumora_data/msx/msx.mp3";
    job.output = "/v/.stage/out.mp4";
    return job;
}

// Where value follows option in args, or -1.
long ValueOf(const std::vector<std::string>& args, const std::string& option, const std::string& value)
{
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == option && args[i + 1] == value) return static_cast<long>(i);
    return -1;
}

TEST(FfmpegCommand, FramesOnStdinAndTheMusicTrimmedToTheFirstFrame)
{
    std::vector<std::string> args = FfmpegArguments(Job());
    ASSERT_GE(args.size(), 10u);
    EXPECT_EQ(args.front(), "ffmpeg");
    EXPECT_EQ(args.back(), "/v/.stage/out.mp4");
    long rgb = ValueOf(args, "-pix_fmt", "rgb24");
    long size = ValueOf(args, "-s", "320x240");
    long rate = ValueOf(args, "-r", "30");
    long frames = ValueOf(args, "-i", "-");
    long seek = ValueOf(args, "-ss", "4.000000");
    long music = ValueOf(args, "-i", "/tmp/x/plumora_data/msx/msx.mp3");
    // Input options come before their input; the seek applies to the music only.
    EXPECT_TRUE(ValueOf(args, "-f", "rawvideo") >= 0 && rgb >= 0 && size >= 0 && rate >= 0);
    EXPECT_LT(std::max({rgb, size, rate}), frames);
    EXPECT_LT(frames, seek);
    EXPECT_EQ(seek + 2, music);
    EXPECT_GE(ValueOf(args, "-af", "apad=whole_dur=2.000000"), 0);
    EXPECT_GE(ValueOf(args, "-t", "2.000000"), 0);
    EXPECT_GE(ValueOf(args, "-map", "1:a"), 0);
    EXPECT_GE(ValueOf(args, "-c:a", "aac"), 0);
    EXPECT_GE(ValueOf(args, "-b:a", "192k"), 0);
    // The default encoding, and never replacing a file.
    EXPECT_GE(ValueOf(args, "-c:v", "libx264"), 0);
    EXPECT_GE(ValueOf(args, "-crf", "18"), 0);
    EXPECT_GE(ValueOf(args, "-pix_fmt", "yuv420p"), 0);
    EXPECT_NE(std::find(args.begin(), args.end(), "-n"), args.end());
    EXPECT_EQ(std::find(args.begin(), args.end(), "-y"), args.end());
    // The container follows the name, MP4 where the name has no ending.
    EXPECT_EQ(std::find(args.begin(), args.end(), "-f") + 1, std::find(args.begin(), args.end(), "rawvideo"));
    for (const char* name : {"/v/.stage/demo", "/v/.stage/demo.", "/v/a.b/demo", "/v/.stage/.hidden"}) {
        CFFMPEGJOB plain = Job();
        plain.output = name;
        std::vector<std::string> named = FfmpegArguments(plain);
        EXPECT_EQ(std::vector<std::string>(named.end() - 3, named.end()),
                  (std::vector<std::string>{"-f", "mp4", name}));
    }
}

TEST(FfmpegCommand, OtherCodecsKeepTheirColoursAndTheUsersOptionsComeLast)
{
    CFFMPEGJOB job = Job();
    job.codec = "ffv1";
    job.extra = {"-g", "1"};
    job.music.clear();
    job.fps = 29.97;
    std::vector<std::string> args = FfmpegArguments(job);
    EXPECT_GE(ValueOf(args, "-c:v", "ffv1"), 0);
    EXPECT_EQ(ValueOf(args, "-pix_fmt", "yuv420p"), -1);
    EXPECT_EQ(std::find(args.begin(), args.end(), "-crf"), args.end());
    EXPECT_GE(ValueOf(args, "-r", "29.97"), 0);
    // No music: no second input and no sound.
    EXPECT_EQ(std::count(args.begin(), args.end(), "-i"), 1);
    EXPECT_EQ(ValueOf(args, "-map", "1:a"), -1);
    ASSERT_GE(args.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(args.end() - 3, args.end()),
              (std::vector<std::string>{"-g", "1", "/v/.stage/out.mp4"}));
    job.crf = 30;
    EXPECT_GE(ValueOf(FfmpegArguments(job), "-crf", "30"), 0);
    job.codec.clear();
    EXPECT_GE(ValueOf(FfmpegArguments(job), "-crf", "30"), 0);
}

}  // namespace
