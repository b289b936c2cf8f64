// The video file: checked before anything is rendered, written in a staging
// folder, moved into place only when allowed, and never a file the run did
// not make removed. Also the rows turned the right way up and the progress
// line of a video.
#include "capture_progress.h"
#include "frame_writer.h"
#include "video_file.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class VideoFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(scratch.Path().empty()); }

    // The names in the scratch folder.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(scratch.Path()))
            names.push_back(entry.path().filename());
        return names;
    }

    TempFolder scratch{"plm-video-file"};
    fs::path root = fs::weakly_canonical(scratch.Path());
};

TEST_F(VideoFile, ChecksChangeNothingAndRefuseWhatCannotBeAVideo)
{
    std::string resolved, error;
    ASSERT_TRUE(CheckVideoFile((root / "demo.mp4").string(), false, &resolved, &error)) << error;
    EXPECT_EQ(resolved, (root / "demo.mp4").string());
    EXPECT_TRUE(Entries().empty());
    // An existing file only with replace.
    scratch.Write("old.mp4", "mine");
    EXPECT_FALSE(CheckVideoFile((root / "old.mp4").string(), false, &resolved, &error));
    EXPECT_NE(error.find("exists (give --overwrite or -y"), std::string::npos) << error;
    EXPECT_TRUE(CheckVideoFile((root / "old.mp4").string(), true, &resolved, &error)) << error;
    EXPECT_EQ(ReadWholeFile(root / "old.mp4"), "mine");
    // A folder, a device, a missing folder, a folder that takes no entries.
    EXPECT_FALSE(CheckVideoFile(root.string(), true, &resolved, &error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_FALSE(CheckVideoFile("/dev/null", true, &resolved, &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(CheckVideoFile((root / "no" / "demo.mp4").string(), true, &resolved, &error));
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
    EXPECT_FALSE(CheckVideoFile("/proc/demo.mp4", true, &resolved, &error));
    EXPECT_NE(error.find("cannot write into the folder"), std::string::npos) << error;
    EXPECT_EQ(Entries(), std::vector<std::string>{"old.mp4"});
}

TEST_F(VideoFile, ALinkedNameIsResolvedToTheFileItNames)
{
    fs::create_directory(root / "real");
    fs::create_directory_symlink(root / "real", root / "via");
    std::string resolved, error;
    ASSERT_TRUE(CheckVideoFile((root / "via" / "demo.mp4").string(), false, &resolved, &error)) << error;
    EXPECT_EQ(resolved, (root / "real" / "demo.mp4").string());
}

TEST_F(VideoFile, AFinishedVideoMovesIntoPlaceAndTheStagingFolderGoes)
{
    std::string target = (root / "demo.mkv").string(), error;
    CVIDEOFILE file;
    ASSERT_TRUE(file.Open(target, false, &error)) << error;
    // Staged beside the target under the target's own name, so that ffmpeg
    // still tells the container from it.
    fs::path staged = file.StagedPath();
    EXPECT_EQ(staged.filename(), "demo.mkv");
    EXPECT_EQ(staged.parent_path().parent_path(), root);
    EXPECT_EQ(staged.parent_path().filename().string().rfind(".plumora-capture-", 0), 0u);
    WriteWholeFile(staged, "video");
    ASSERT_TRUE(file.Publish(&error)) << error;
    EXPECT_EQ(ReadWholeFile(target), "video");
    EXPECT_EQ(Entries(), std::vector<std::string>{"demo.mkv"});
}

TEST_F(VideoFile, AFileThatAppearedMeanwhileIsReplacedOnlyWhenAllowed)
{
    std::string target = (root / "demo.mp4").string(), error;
    {
        CVIDEOFILE file;
        ASSERT_TRUE(file.Open(target, false, &error)) << error;
        WriteWholeFile(file.StagedPath(), "video");
        scratch.Write("demo.mp4", "someone else's");
        EXPECT_FALSE(file.Publish(&error));
        EXPECT_NE(error.find("File exists"), std::string::npos) << error;
        EXPECT_EQ(ReadWholeFile(target), "someone else's");
        EXPECT_EQ(Entries().size(), 1u);  // staging folder gone
    }
    CVIDEOFILE file;
    ASSERT_TRUE(file.Open(target, true, &error)) << error;
    WriteWholeFile(file.StagedPath(), "video");
    ASSERT_TRUE(file.Publish(&error)) << error;
    EXPECT_EQ(ReadWholeFile(target), "video");
}

TEST_F(VideoFile, ADiscardedVideoLeavesTheTargetAlone)
{
    std::string target = scratch.Write("demo.mp4", "old"), error;
    {
        CVIDEOFILE file;
        ASSERT_TRUE(file.Open(target, true, &error)) << error;
        WriteWholeFile(file.StagedPath(), "partial");
        file.Discard();
        EXPECT_EQ(Entries(), std::vector<std::string>{"demo.mp4"});
        // Nothing was staged: publishing fails and changes nothing.
        ASSERT_TRUE(file.Open(target, true, &error)) << error;
        EXPECT_FALSE(file.Publish(&error));
        ASSERT_TRUE(file.Open(target, true, &error)) << error;
    }  // the destructor discards too
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"demo.mp4"});
}

TEST(FrameRows, AreTurnedTopFirst)
{
    // 2 x 3 pixels, rows bottom first: row r holds bytes 10 * r + column.
    std::vector<unsigned char> bottomFirst(2 * 3 * 3), topFirst(bottomFirst.size(), 0xEE);
    for (int r = 0; r < 3; ++r)
        for (int b = 0; b < 6; ++b) bottomFirst[r * 6 + b] = static_cast<unsigned char>(10 * r + b);
    FlipRows(bottomFirst.data(), 2, 3, topFirst.data());
    for (int r = 0; r < 3; ++r)
        for (int b = 0; b < 6; ++b) EXPECT_EQ(topFirst[r * 6 + b], 10 * (2 - r) + b) << r << " " << b;
}

TEST(CaptureProgress, AVideosLineSaysItsRate)
{
    EXPECT_EQ(
        ProgressLine(120, 6120, "written", 1983.33, 10.0, 490.0, 12.04),
        "frame 120 of 6120 written, demo time 1983.33 ms, 12.0 frames/s, 10.0 s elapsed, about 490.0 s left");
}

}  // namespace
