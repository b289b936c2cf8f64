// The file layer: creation never passes through a link, and tree removal
// removes links as links.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/archive/scratch.h"

namespace {

class FilesTest : public ScratchTest {
protected:
    // Creates path with contents through the layer; false if refused.
    static bool Create(const char* path, const std::string& contents)
    {
        PLATFORMFILE file = PlatformCreateFile(path);
        if (file == PLATFORM_NO_FILE) return false;
        bool ok = PlatformWrite(file, contents.data(), contents.size());
        return PlatformClose(file) && ok;
    }
    fs::path Elsewhere() const { return root / "outside" / "elsewhere"; }
};

// --- Creating and reading files -----------------------------------------

TEST_F(FilesTest, CreateTruncatesAndReadGivesItBack)
{
    WriteWholeFile("f", "old and longer");
    ASSERT_TRUE(Create("f", "new"));
    PLATFORMFILE file = PlatformOpenRead("f");
    ASSERT_NE(file, PLATFORM_NO_FILE);
    char buffer[16] = {};
    EXPECT_EQ(PlatformFileSize(file), 3);
    EXPECT_EQ(PlatformRead(file, buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer), "new");
    EXPECT_TRUE(PlatformSeek(file, 1));
    EXPECT_EQ(PlatformRead(file, buffer, 1), 1);
    EXPECT_EQ(buffer[0], 'e');
    EXPECT_TRUE(PlatformClose(file));
}

TEST_F(FilesTest, CreateRefusesLinksOnTheWayAndAtThePath)
{
    fs::create_directory_symlink(Elsewhere(), "dirlink");
    fs::create_symlink(root / "outside" / "canary.txt", "filelink");
    fs::create_symlink(root / "outside" / "missing.txt", "dangling");
    for (const char* path : {"dirlink/keep.txt", "dirlink/new.txt", "filelink", "dangling"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(Create(path, "evil"));
        EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_SYMLINK);
    }
    ExpectOutsideUnchanged();
}

TEST_F(FilesTest, CreateBreaksAHardLinkInsteadOfWritingThroughIt)
{
    ASSERT_EQ(link((root / "outside" / "canary.txt").c_str(), "hard"), 0);
    ASSERT_TRUE(Create("hard", "mine"));
    EXPECT_EQ(ReadWholeFile("hard"), "mine");
    ExpectOutsideUnchanged();
}

TEST_F(FilesTest, SpecialFilesAreRefusedWithoutHanging)
{
    ASSERT_EQ(mkfifo("fifo", 0644), 0);
    fs::create_directory("dir");
    EXPECT_EQ(PlatformCreateFile("fifo"), PLATFORM_NO_FILE);
    EXPECT_EQ(PlatformOpenRead("fifo"), PLATFORM_NO_FILE);
    EXPECT_STREQ(PlatformLastFileErrorText(), "not a regular file");
    EXPECT_EQ(PlatformCreateFile("dir"), PLATFORM_NO_FILE);
    EXPECT_EQ(PlatformOpenRead("dir"), PLATFORM_NO_FILE);
}

TEST_F(FilesTest, MissingDirectoryIsReportedAsMissing)
{
    EXPECT_EQ(PlatformCreateFile("nodir/f"), PLATFORM_NO_FILE);
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_MISSING);
    EXPECT_FALSE(PlatformMakeDirectory("nodir/sub"));
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_MISSING);
    EXPECT_EQ(PlatformOpenRead("nofile"), PLATFORM_NO_FILE);
}

// --- Directories --------------------------------------------------------

TEST_F(FilesTest, MakeDirectoryAcceptsAnExistingOneAndRefusesOthers)
{
    EXPECT_TRUE(PlatformMakeDirectory("d"));
    EXPECT_TRUE(PlatformMakeDirectory("d"));
    EXPECT_TRUE(fs::is_directory("d"));
    WriteWholeFile("file", "x");
    EXPECT_FALSE(PlatformMakeDirectory("file"));
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_FAILED);
    fs::create_directory_symlink(Elsewhere(), "link");
    EXPECT_FALSE(PlatformMakeDirectory("link"));
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_SYMLINK);
    EXPECT_FALSE(PlatformMakeDirectory("link/sub"));
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_SYMLINK);
    ExpectOutsideUnchanged();
}

// --- Removing trees -----------------------------------------------------

TEST_F(FilesTest, RemoveTreeRemovesLinksAsLinks)
{
    fs::create_directories("tree/a/b");
    WriteWholeFile("tree/a/b/f", "x");
    WriteWholeFile("tree/top", "y");
    fs::create_directory_symlink(Elsewhere(), "tree/a/dirlink");
    fs::create_symlink(root / "outside" / "canary.txt", "tree/filelink");
    fs::create_symlink(root / "outside", "tree/a/b/up");
    ASSERT_EQ(mkfifo("tree/fifo", 0644), 0);
    EXPECT_TRUE(PlatformRemoveTree("tree"));
    EXPECT_FALSE(fs::exists(fs::symlink_status("tree")));
    ExpectOutsideUnchanged();
}

TEST_F(FilesTest, RemoveTreeOfALinkRemovesOnlyTheLink)
{
    fs::create_directory_symlink(Elsewhere(), "tree");
    EXPECT_TRUE(PlatformRemoveTree("tree"));
    EXPECT_FALSE(fs::exists(fs::symlink_status("tree")));
    ExpectOutsideUnchanged();
}

TEST_F(FilesTest, RemoveTreeRefusesALinkOnTheWay)
{
    fs::create_directory_symlink(root / "outside", "link");
    EXPECT_FALSE(PlatformRemoveTree("link/elsewhere"));
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_SYMLINK);
    EXPECT_FALSE(PlatformRemoveTree("."));
    EXPECT_TRUE(fs::exists("link"));
    ExpectOutsideUnchanged();
}

TEST_F(FilesTest, RemoveTreeOfNothingSucceeds)
{
    EXPECT_TRUE(PlatformRemoveTree("absent"));
    EXPECT_TRUE(PlatformRemoveTree("absent/below"));
}

TEST_F(FilesTest, RemoveTreeHandlesDepthBeyondTheDescriptorLimit)
{
    // 3000 levels: more than the usual 1024 open descriptors, and a path
    // longer than PATH_MAX.
    int top = open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(top, 0);
    for (int level = 0; level < 3000; ++level)
        ASSERT_TRUE(mkdir(level == 0 ? "deep" : "d", 0755) == 0 && chdir(level == 0 ? "deep" : "d") == 0);
    WriteWholeFile("bottom", "x");
    ASSERT_EQ(fchdir(top), 0);
    close(top);
    EXPECT_TRUE(PlatformRemoveTree("deep")) << PlatformLastFileErrorText();
    EXPECT_FALSE(fs::exists("deep"));
}

}  // namespace
