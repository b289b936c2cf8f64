// UnpackArchiveInto: the program's unpacker aimed at a folder of the
// caller's choice, making a tree of its own and removing only that.
#include <csignal>

#include "platform/termination.h"
#include "shell/archive.h"
#include "tests/archive/scratch.h"

namespace {

class UnpackIntoTest : public ScratchTest {
protected:
    void SetUp() override
    {
        ScratchTest::SetUp();
        fs::create_directory("dest");
        WriteWholeFile("dest/mine.txt", "mine");
    }
    bool Unpack() { return UnpackArchiveInto("data.dat", "dest", &error); }
    std::string error;
};

TEST_F(UnpackIntoTest, UnpacksBelowTheFolderAndNotTheCurrentOne)
{
    // The first record lies inside a tree that does not exist yet: skipped,
    // as the program skips it.
    ArchiveBuilder()
        .File("plumora_data/early", "lost")
        .Dir("plumora_data")
        .Dir("plumora_data/gfx")
        .File("plumora_data/gfx/a", "abc")
        .Dir("plumora_data")
        .End()
        .Save();
    ASSERT_TRUE(Unpack()) << error;
    EXPECT_EQ(Snapshot("dest"), (Tree{{"mine.txt", "file:mine"},
                                      {"plumora_data", "dir"},
                                      {"plumora_data/gfx", "dir"},
                                      {"plumora_data/gfx/a", "file:abc"}}));
    EXPECT_FALSE(fs::exists("plumora_data"));
}

TEST_F(UnpackIntoTest, FailureAfterTheTreeWasMadeRemovesOnlyThatTree)
{
    ArchiveBuilder()
        .Dir("plumora_data")
        .File("plumora_data/a", "written")
        .Dir("plumora_data/x")
        .File("plumora_data/x", "cannot replace a directory")
        .End()
        .Save();
    EXPECT_FALSE(Unpack());
    EXPECT_NE(error.find("data.dat: cannot create plumora_data/x"), std::string::npos) << error;
    EXPECT_EQ(Snapshot("dest"), (Tree{{"mine.txt", "file:mine"}}));
    ExpectOutsideUnchanged();
}

TEST_F(UnpackIntoTest, AnExistingTreeIsRefusedAndKept)
{
    ArchiveBuilder().Dir("plumora_data").File("plumora_data/a", "evil").End().Save();
    fs::create_directory("dest/plumora_data");
    EXPECT_FALSE(Unpack());
    EXPECT_EQ(error, "dest: plumora_data already exists");
    EXPECT_EQ(Snapshot("dest"), (Tree{{"mine.txt", "file:mine"}, {"plumora_data", "dir"}}));
    EXPECT_FALSE(UnpackArchiveInto("data.dat", "absent", &error));
    EXPECT_NE(error.find("absent: cannot open the folder"), std::string::npos) << error;
}

TEST_F(UnpackIntoTest, ATerminationRequestEndsTheUnpackingAndRemovesTheTree)
{
    ArchiveBuilder().Dir("plumora_data").File("plumora_data/a", "x").End().Save();
    PlatformCatchTermination();
    raise(SIGTERM);
    EXPECT_EQ(PlatformTerminationRequested(), SIGTERM);
    EXPECT_FALSE(Unpack());
    std::string programError;
    EXPECT_FALSE(UnpackArchive("data.dat", &programError));
    PlatformReleaseTermination();
    EXPECT_EQ(PlatformTerminationRequested(), 0);
    EXPECT_EQ(error, "data.dat: interrupted by signal 15");
    EXPECT_EQ(programError, "data.dat: interrupted by signal 15");
    EXPECT_EQ(Snapshot("dest"), (Tree{{"mine.txt", "file:mine"}}));
    EXPECT_FALSE(fs::exists("plumora_data"));
}

}  // namespace
