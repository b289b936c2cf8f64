// The private working folder: where it is made, that it is private and
// current while it exists, that removing it takes exactly it, and how an
// unusable base is reported. Also where data.dat is looked for.
#include "shell/archive_location.h"
#include "shell/private_folder.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path, const std::string& text = "x")
{
    WriteWholeFile(path, text);
}

// Restores an environment variable when the test ends.
class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name(name)
    {
        const char* value = getenv(name);
        wasSet = value != nullptr;
        if (wasSet) saved = value;
    }
    ~SavedVariable()
    {
        if (wasSet)
            setenv(name, saved.c_str(), 1);
        else
            unsetenv(name);
    }

private:
    const char* name;
    bool wasSet = false;
    std::string saved;
};

// A scratch folder of the test's own; the current directory and the two
// variables are put back afterwards.
class PrivateFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(scratch.Path().empty()); }
    fs::path MakeDir(const char* name)
    {
        fs::create_directories(root / name);
        return root / name;
    }
    static bool IsEmpty(const fs::path& dir) { return fs::is_empty(dir); }

    SavedVariable runtime{"XDG_RUNTIME_DIR"};
    SavedVariable temp{"TMPDIR"};
    TempFolder scratch{"plm-private"};
    fs::path root = scratch.Path();
    fs::path startDir = fs::current_path();
    CurrentFolder back;  // goes first, so the folder is left before it is removed
};

TEST(PrivateFolderBase, RuntimeDirThenTempDirThenTmp)
{
    EXPECT_EQ(PrivateFolderBase("/run/user/1000", "/var/tmp"), "/run/user/1000");
    EXPECT_EQ(PrivateFolderBase("", "/var/tmp"), "/var/tmp");
    EXPECT_EQ(PrivateFolderBase("", ""), "/tmp");
    // Relative values would put the folder in the current folder: ignored.
    EXPECT_EQ(PrivateFolderBase("run", "/var/tmp"), "/var/tmp");
    EXPECT_EQ(PrivateFolderBase("./run", "tmp"), "/tmp");
}

TEST_F(PrivateFolder, IsMadePrivateUnderTheRuntimeDirAndBecomesCurrent)
{
    fs::path run = MakeDir("run");
    MakeDir("tmp");
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    setenv("TMPDIR", (root / "tmp").c_str(), 1);
    CPRIVATEFOLDER folder;
    std::string error;
    ASSERT_TRUE(folder.CreateAndEnter(&error)) << error;
    fs::path made = folder.Path();
    EXPECT_EQ(made.parent_path(), run);
    EXPECT_EQ(made.filename().string().rfind("plumora-", 0), 0u) << made;
    struct stat st;
    ASSERT_EQ(lstat(made.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    EXPECT_EQ(fs::current_path(), made);
    EXPECT_TRUE(IsEmpty(root / "tmp"));
}

TEST_F(PrivateFolder, FallsBackToTempDirWhenTheRuntimeDirIsUnsetOrRelative)
{
    fs::path tmp = MakeDir("tmp");
    setenv("TMPDIR", tmp.c_str(), 1);
    for (bool relative : {false, true}) {
        if (relative)
            setenv("XDG_RUNTIME_DIR", "run", 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        CPRIVATEFOLDER folder;
        std::string error;
        ASSERT_TRUE(folder.CreateAndEnter(&error)) << error;
        EXPECT_EQ(fs::path(folder.Path()).parent_path(), tmp);
        EXPECT_TRUE(folder.Remove());
        EXPECT_TRUE(IsEmpty(tmp));
    }
}

TEST_F(PrivateFolder, RemoveTakesEverythingInsideAndNothingOutside)
{
    fs::path run = MakeDir("run");
    fs::path outside = MakeDir("outside");
    Touch(outside / "keep.txt", "keep");
    Touch(run / "neighbour.txt", "neighbour");
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    CPRIVATEFOLDER folder;
    std::string error;
    ASSERT_TRUE(folder.CreateAndEnter(&error)) << error;
    fs::create_directories("plumora_data/dll");
    Touch("plumora_data/dll/devil.so");
    fs::create_symlink(outside, "plumora_data/out");
    fs::create_symlink(outside / "keep.txt", "plumora_data/keep");
    fs::path made = folder.Path();

    EXPECT_TRUE(folder.Remove());
    EXPECT_FALSE(fs::exists(fs::symlink_status(made)));
    EXPECT_EQ(folder.Path(), "");
    EXPECT_TRUE(fs::exists(outside / "keep.txt"));
    EXPECT_TRUE(fs::exists(run / "neighbour.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(run), fs::directory_iterator()), 1);
    EXPECT_TRUE(folder.Remove()) << "a second removal is harmless";
}

TEST_F(PrivateFolder, TheDestructorRemovesItAndTwoFoldersNeverShare)
{
    fs::path run = MakeDir("run");
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    {
        CPRIVATEFOLDER first;
        CPRIVATEFOLDER second;
        std::string error;
        ASSERT_TRUE(first.CreateAndEnter(&error)) << error;
        ASSERT_TRUE(second.CreateAndEnter(&error)) << error;
        EXPECT_NE(first.Path(), second.Path());
        Touch("inside.txt");
    }
    EXPECT_TRUE(IsEmpty(run));
}

TEST_F(PrivateFolder, ABaseReachedThroughALinkIsRemovedFromToo)
{
    fs::path real = MakeDir("real");
    fs::create_directory_symlink(real, root / "link");
    setenv("XDG_RUNTIME_DIR", (root / "link").c_str(), 1);
    CPRIVATEFOLDER folder;
    std::string error;
    ASSERT_TRUE(folder.CreateAndEnter(&error)) << error;
    Touch("inside.txt");
    EXPECT_TRUE(folder.Remove());
    EXPECT_TRUE(IsEmpty(real));
    EXPECT_TRUE(fs::is_symlink(root / "link"));
}

TEST_F(PrivateFolder, AnUnusableBaseIsNamedWithTheReason)
{
    Touch(root / "file");
    struct Case {
        fs::path base;
        const char* reason;
    };
    const Case cases[] = {
        {root / "missing", "No such file or directory"},
        {root / "file", "Not a directory"},
    };
    for (const Case& c : cases) {
        setenv("XDG_RUNTIME_DIR", c.base.c_str(), 1);
        CPRIVATEFOLDER folder;
        std::string error;
        EXPECT_FALSE(folder.CreateAndEnter(&error));
        EXPECT_EQ(error, "Cannot create a private folder in " + c.base.string() + ": " + c.reason);
        EXPECT_EQ(folder.Path(), "");
        EXPECT_EQ(fs::current_path(), startDir);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
}

class ArchiveLocation : public PrivateFolder {};

TEST_F(ArchiveLocation, TheCurrentFolderComesFirstThenTheProgramsFolder)
{
    fs::path here = MakeDir("here");
    fs::path program = MakeDir("program");
    Touch(program / "data.dat");
    std::string error;
    EXPECT_EQ(FindArchive("data.dat", here.string(), program.string(), &error),
              (program / "data.dat").string());
    Touch(here / "data.dat");
    EXPECT_EQ(FindArchive("data.dat", here.string(), program.string(), &error), (here / "data.dat").string());
    // An unknown current folder is passed over.
    EXPECT_EQ(FindArchive("data.dat", "", program.string(), &error), (program / "data.dat").string());
    EXPECT_EQ(FindArchive("data.dat", "/", (program / "").string(), &error), (program / "data.dat").string());
}

TEST_F(ArchiveLocation, AnUnreadableArchiveInTheCurrentFolderIsNotPassedOver)
{
    fs::path here = MakeDir("here");
    fs::path program = MakeDir("program");
    Touch(program / "data.dat");
    fs::create_directory(here / "data.dat");
    std::string error;
    EXPECT_EQ(FindArchive("data.dat", here.string(), program.string(), &error), (here / "data.dat").string());
}

TEST_F(ArchiveLocation, NeitherFolderHoldingItNamesBoth)
{
    fs::path here = MakeDir("here");
    fs::path program = MakeDir("program");
    std::string error;
    EXPECT_EQ(FindArchive("data.dat", here.string(), program.string(), &error), "");
    EXPECT_EQ(error,
              "data.dat: not found in " + here.string() + " nor next to the program in " + program.string());
    EXPECT_EQ(FindArchive("data.dat", "", "", &error), "");
    EXPECT_EQ(error, "data.dat: not found in (unknown) nor next to the program in (unknown)");
}

}  // namespace
