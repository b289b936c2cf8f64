// The files of a capture: the frame folder made ready before any rendering,
// and frames written whole or not at all.
#include "capture_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class CaptureFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(scratch.Path().empty()); }
    TempFolder scratch{"plm-capture-files"};
    fs::path root = fs::weakly_canonical(scratch.Path());
};

TEST_F(CaptureFiles, AFileOrAFileOnTheWayIsNoFrameFolder)
{
    WriteWholeFile(root / "frames", "mine");
    std::string folder, error;
    EXPECT_FALSE(PrepareOutputFolder((root / "frames").string(), &folder, &error));
    EXPECT_NE(error.find("is a file, not a folder"), std::string::npos) << error;
    EXPECT_FALSE(PrepareOutputFolder((root / "frames" / "sub").string(), &folder, &error));
    EXPECT_NE(error.find("cannot create folder"), std::string::npos) << error;
    EXPECT_EQ(ReadWholeFile(root / "frames"), "mine");
    EXPECT_FALSE(PrepareOutputFolder("/dev/null", &folder, &error));
    EXPECT_NE(error.find("is not a folder"), std::string::npos) << error;
}

TEST_F(CaptureFiles, MissingFoldersAreMadeAndLinksResolved)
{
    std::string folder, error;
    ASSERT_TRUE(PrepareOutputFolder((root / "a" / "b" / "c/").string(), &folder, &error)) << error;
    EXPECT_EQ(folder, (root / "a" / "b" / "c").string());
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_empty(folder)) << "the write probe is removed";
    // A folder reached through a link is written to where the link points.
    fs::create_directory_symlink(root / "a", root / "link");
    ASSERT_TRUE(PrepareOutputFolder((root / "link" / "new").string(), &folder, &error)) << error;
    EXPECT_EQ(folder, (root / "a" / "new").string());
    EXPECT_TRUE(fs::is_directory(root / "a" / "new"));
}

TEST_F(CaptureFiles, AFolderThatTakesNoNewEntriesIsRefused)
{
    // Refuses new entries whatever the permission bits say (also for root).
    std::string folder, error;
    EXPECT_FALSE(PrepareOutputFolder("/proc", &folder, &error));
    EXPECT_NE(error.find("cannot write into /proc"), std::string::npos) << error;
}

TEST_F(CaptureFiles, TheArchiveMustBeAReadableFile)
{
    std::string error;
    EXPECT_FALSE(CheckReadableFile((root / "missing.dat").string(), &error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_FALSE(CheckReadableFile(root.string(), &error));
    WriteWholeFile(root / "data.dat", "x");
    EXPECT_TRUE(CheckReadableFile((root / "data.dat").string(), &error)) << error;
}

TEST_F(CaptureFiles, AFrameIsWrittenBottomRowLast)
{
    // Rows as OpenGL reads them: bottom first. Bottom red, top blue.
    const int w = 16, h = 16;
    std::vector<unsigned char> rgb(w * h * 3, 0);
    for (int x = 0; x < w; ++x) {
        rgb[x * 3] = 255;
        rgb[((h - 1) * w + x) * 3 + 2] = 255;
    }
    std::string path = (root / "0000500.00.png").string(), error;
    ASSERT_TRUE(WritePng(root, "0000500.00.png", w, h, rgb.data(), &error)) << error;
    int rw = 0, rh = 0, n = 0;
    unsigned char* back = stbi_load(path.c_str(), &rw, &rh, &n, 3);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(rw, w);
    EXPECT_EQ(back[2], 255) << "top row blue";
    EXPECT_EQ(back[((h - 1) * w) * 3], 255) << "bottom row red";
    stbi_image_free(back);
}

TEST_F(CaptureFiles, AFrameThatCannotBeWrittenLeavesNothingBehind)
{
    std::vector<unsigned char> rgb(64 * 64 * 3);
    std::minstd_rand noise(7);  // compresses badly: far over the limit below
    for (unsigned char& byte : rgb) byte = static_cast<unsigned char>(noise());
    std::string error;
    // A folder in the frame's place stays.
    fs::create_directory(root / "0000001.00.png");
    EXPECT_FALSE(WritePng(root, "0000001.00.png", 64, 64, rgb.data(), &error));
    EXPECT_TRUE(fs::is_directory(root / "0000001.00.png"));
    // A file that fills up part way (the file size limit stands in for a
    // full disk) is removed.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = WritePng(root, "0000002.00.png", 64, 64, rgb.data(), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(root / "0000002.00.png"));
}

}  // namespace
