// plm-pack pack and list: packing is deterministic, round-trips through the
// unpacker and replaces its output only when complete; listing reports
// malformed archives; the command line behaves like a Unix tool's.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "shell/archive.h"
#include "tests/archive/plm_pack_fixture.h"

extern char** environ;

namespace {

TEST_F(PlmPackTest, PacksInByteOrderWithDirectoriesFirst)
{
    fs::create_directories("src/plumora_data/a");
    WriteWholeFile("src/plumora_data/b", "x");
    WriteWholeFile("src/plumora_data/a/c", "");
    WriteWholeFile("src/plumora_data/B", "y");
    WriteWholeFile("src/plumora_data/_", "z");
    ASSERT_EQ(Run("pack src data.dat"), 0) << err;
    // Spelled out, not made with the record writer that plm-pack uses, so that
    // a change of the stored layout is caught as well.
    const char stored[] =
        "\2\14\0plumora_data"             // directory: tag, name length, name
        "\1\16\0plumora_data/B\1\0\0\0y"  // file: ..., data length, data
        "\1\16\0plumora_data/_\1\0\0\0z"
        "\2\16\0plumora_data/a"
        "\1\20\0plumora_data/a/c\0\0\0\0"
        "\1\16\0plumora_data/b\1\0\0\0x"
        "\3";  // end
    EXPECT_EQ(ReadWholeFile("data.dat"), std::string(stored, sizeof stored - 1));
}

TEST_F(PlmPackTest, SameTreeGivesSameBytesAndUnpacksToIt)
{
    MakeSource();
    ASSERT_EQ(Run("pack src one.dat"), 0) << err;
    ASSERT_EQ(Run("pack src data.dat"), 0) << err;
    EXPECT_EQ(ReadWholeFile("one.dat"), ReadWholeFile("data.dat"));
    std::string error;
    ASSERT_TRUE(UnpackArchive("data.dat", &error)) << error;
    EXPECT_EQ(Snapshot("plumora_data"), Snapshot("src/plumora_data"));
}

// --- Pack: nothing is lost on failure ---------------------------------

const char PRECIOUS[] = "an archive of the user's own";

TEST_F(PlmPackTest, BadSourceIsNamedAndAnExistingOutputStaysByteIdentical)
{
    WriteWholeFile("out.dat", PRECIOUS);
    WriteWholeFile("file", "x");
    fs::create_directory("empty");
    fs::create_directories("odd");
    WriteWholeFile("odd/plumora_data", "a file");
    struct Case {
        const char* dir;
        const char* message;
    };
    const Case cases[] = {
        {"nowhere", "plm-pack: nowhere: does not exist\n"},
        {"file", "plm-pack: file: not a directory\n"},
        {"empty", "plm-pack: empty/plumora_data: does not exist\n"},
        {"odd", "plm-pack: odd/plumora_data: not a directory\n"},
    };
    auto before = Snapshot(".");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dir);
        EXPECT_EQ(Run(std::string("pack ") + c.dir + " out.dat"), 1);
        EXPECT_EQ(err, c.message);
        EXPECT_EQ(Snapshot("."), before);  // out.dat intact, no temporary file
    }
}

TEST_F(PlmPackTest, OutputThatIsNoRegularFileIsRefusedBeforeAnythingIsWritten)
{
    MakeSource();
    fs::create_directory("dir");
    ASSERT_EQ(mkfifo("fifo", 0644), 0);
    fs::create_directory_symlink(root / "outside" / "elsewhere", "dirlink");
    fs::create_symlink(root / "work" / "fifo", "fifolink");
    fs::create_symlink(root / "outside" / "missing", "dangling");
    struct Case {
        const char* out;
        const char* why;
    };
    const Case cases[] = {
        {"dir", "dir: is a directory"},
        {"dir/", "dir/: is a directory"},
        {"fifo", "fifo: not a regular file (device, FIFO or socket)"},
        {"dirlink", "dirlink: symbolic link to a directory"},
        {"fifolink", "fifolink: symbolic link to a device, FIFO or socket"},
        {"dangling", "dangling: symbolic link that leads nowhere"},
        {"nofolder/out.dat", "nofolder/out.dat: its folder nofolder: does not exist"},
        {"src/ignored.txt/out.dat", "its folder src/ignored.txt: not a directory"},
    };
    auto before = Snapshot(".");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.out);
        EXPECT_EQ(Run(std::string("pack src ") + c.out), 1);
        EXPECT_NE(err.find(c.why), std::string::npos) << err;
        EXPECT_EQ(Snapshot("."), before);
    }
    EXPECT_TRUE(fs::is_fifo("fifo"));
    ExpectOutsideUnchanged();
}

TEST_F(PlmPackTest, DeviceNodeAsOutputIsLeftAlone)
{
    MakeSource();
    // A node of our own first (needs root): if the check ever failed, only
    // the scratch copy would be replaced, and the test stops there.
    if (mknod("null", S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(Run("pack src null"), 1);
        EXPECT_NE(err.find("null: not a regular file"), std::string::npos) << err;
        ASSERT_TRUE(fs::is_character_file("null"));
    }
    EXPECT_EQ(Run("pack src /dev/null"), 1);
    EXPECT_NE(err.find("/dev/null: not a regular file"), std::string::npos) << err;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(PlmPackTest, FailureMidwayLeavesTheOutputUntouchedAndNoTemporaryFile)
{
    MakeSource();
    WriteWholeFile("src/plumora_data/big.bin", std::string(600 * 1024, 'b'));
    WriteWholeFile("out.dat", PRECIOUS);
    // Found after big.bin has been written to the temporary file.
    ASSERT_EQ(mkfifo("src/plumora_data/zz_fifo", 0644), 0);
    auto before = Snapshot(".");
    EXPECT_EQ(Run("pack src out.dat"), 1);
    EXPECT_NE(err.find("src/plumora_data/zz_fifo: special file"), std::string::npos) << err;
    EXPECT_EQ(Snapshot("."), before);

    fs::remove("src/plumora_data/zz_fifo");
    fs::create_symlink(root / "outside" / "canary.txt", "src/plumora_data/zz_link");
    EXPECT_EQ(Run("pack src out.dat"), 1);
    EXPECT_NE(err.find("src/plumora_data/zz_link: symbolic link"), std::string::npos) << err;
    fs::remove("src/plumora_data/zz_link");
    before = Snapshot(".");

    // An output inside the tree would pack itself (the old one, or the
    // temporary file beside it).
    WriteWholeFile("src/plumora_data/gfx/out.dat", PRECIOUS);
    EXPECT_EQ(Run("pack src src/plumora_data/gfx/out.dat"), 1);
    EXPECT_NE(err.find("is the output archive itself"), std::string::npos) << err;
    fs::remove("src/plumora_data/gfx/out.dat");
    EXPECT_EQ(Snapshot("."), before);
    ExpectOutsideUnchanged();
}

TEST_F(PlmPackTest, ReplacementKeepsPermissionsAndLinks)
{
    MakeSource();
    ASSERT_EQ(Run("pack src expected.dat"), 0) << err;
    std::string expected = ReadWholeFile("expected.dat");

    WriteWholeFile("kept.dat", PRECIOUS);
    fs::permissions("kept.dat", fs::perms(0640));
    ASSERT_EQ(Run("pack src kept.dat"), 0) << err;
    EXPECT_EQ(ReadWholeFile("kept.dat"), expected);
    EXPECT_EQ(fs::status("kept.dat").permissions(), fs::perms(0640));

    // A link to an archive: the file it leads to is replaced, the link stays.
    fs::create_directory("real");
    WriteWholeFile("real/data.dat", PRECIOUS);
    fs::create_symlink("real/data.dat", "link.dat");
    ASSERT_EQ(Run("pack src link.dat"), 0) << err;
    EXPECT_TRUE(fs::is_symlink("link.dat"));
    EXPECT_EQ(ReadWholeFile("real/data.dat"), expected);

    mode_t mask = umask(022);
    umask(mask);
    ASSERT_EQ(Run("pack src new.dat"), 0) << err;
    EXPECT_EQ(fs::status("new.dat").permissions(), fs::perms(0666 & ~mask));
    for (const auto& entry : fs::directory_iterator("."))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();  // no temporary left
}

// Starts plm-pack -v on a tree whose name listing fills a pipe that is not
// read, so the packer is still at work (blocked on stderr) when the signal
// arrives, whatever the machine's speed.
TEST_F(PlmPackTest, SignalDuringPackRemovesTheTemporaryFileAndKeepsTheOutput)
{
    fs::create_directories("src/plumora_data");
    for (int i = 0; i < 800; ++i)
        WriteWholeFile("src/plumora_data/" + std::string(100, 'n') + std::to_string(i), "x");
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        WriteWholeFile("out.dat", PRECIOUS);
        auto before = Snapshot(".");
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        const char* argv[] = {PLM_PACK, "-v", "pack", "src", "out.dat", nullptr};
        pid_t pid;
        // Default actions and no blocked signals, whatever this process inherited.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t defaults, none;
        sigemptyset(&defaults);
        for (int caught : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&defaults, caught);
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        ASSERT_EQ(posix_spawn(&pid, PLM_PACK, &actions, &attributes, const_cast<char**>(argv), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        close(pipeEnds[1]);
        auto temporaryExists = [] {
            for (const auto& entry : fs::directory_iterator("."))
                if (entry.path().filename().string().rfind(".out.dat.", 0) == 0) return true;
            return false;
        };
        for (int poll = 0; poll < 600000 && !temporaryExists(); ++poll) usleep(100);
        EXPECT_TRUE(temporaryExists());
        kill(pid, signal);
        char buffer[4096];
        std::string progress;
        ssize_t got;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) progress.append(buffer, size_t(got));
        close(pipeEnds[0]);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_NE(progress.find("interrupted by signal " + std::to_string(signal)), std::string::npos);
        EXPECT_NE(progress.find("out.dat left as it was"), std::string::npos);
        EXPECT_EQ(Snapshot("."), before);
    }
}

// --- List and the command line -------------------------------------------

TEST_F(PlmPackTest, ListsRecords)
{
    ArchiveBuilder archive;
    archive.Dir("plumora_data").File("plumora_data/a b", "12345").Record(7, "note").End();
    archive.bytes += "trailing";
    archive.Save();
    EXPECT_EQ(Run("list data.dat"), 0) << err;
    EXPECT_EQ(out,
              "         0  directory          -  \"plumora_data\"\n"
              "        15  file               5  \"plumora_data/a b\"\n"
              "        43  tag 7              -  \"note\"\n"
              "        50  end                -\n"
              "(8 bytes after the end record are not part of the archive)\n");
}

TEST_F(PlmPackTest, ListReportsMalformedArchives)
{
    ArchiveBuilder truncated;
    truncated.Dir("plumora_data").File("plumora_data/a", "12345").bytes.resize(20);
    truncated.Save("bad.dat");
    EXPECT_EQ(Run("list bad.dat"), 1);
    EXPECT_NE(err.find("bad.dat: truncated archive"), std::string::npos) << err;

    ArchiveBuilder().Dir("plumora_data").File("plumora_data/../x", "").End().Save("evil.dat");
    EXPECT_EQ(Run("list evil.dat"), 1);
    EXPECT_NE(err.find("refused name \"plumora_data/../x\""), std::string::npos) << err;

    EXPECT_EQ(Run("list missing.dat"), 1);
    EXPECT_NE(err.find("missing.dat: cannot open the archive"), std::string::npos) << err;
}

TEST_F(PlmPackTest, HelpVersionAndUsageErrors)
{
    EXPECT_EQ(Run("--help"), 0);
    for (const char* word : {"pack DIR OUT", "list ARCHIVE", "extract ARCHIVE DIR", "Exit status"})
        EXPECT_NE(out.find(word), std::string::npos) << word;
    EXPECT_EQ(Run("--version"), 0);
    EXPECT_EQ(out.rfind("plm-pack ", 0), 0u) << out;

    struct Case {
        const char* args;
        const char* message;
    };
    const Case cases[] = {
        {"", "no command given"},
        {"bogus", "unknown command 'bogus'"},
        {"--bogus pack src out.dat", "unknown option '--bogus'"},
        {"pack src -x out.dat", "unknown option '-x'"},
        {"pack src", "pack needs DIR and OUT"},
        {"list a b", "list needs ARCHIVE"},
        {"extract a", "extract needs ARCHIVE and DIR"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        EXPECT_EQ(Run(c.args), 2);
        EXPECT_EQ(err.rfind(std::string("plm-pack: ") + c.message + "\n", 0), 0u) << err;
        EXPECT_TRUE(out.empty());
    }
    // After "--" a name may start with a dash.
    EXPECT_EQ(Run("pack -- -src out.dat"), 1);
    EXPECT_EQ(err, "plm-pack: -src: does not exist\n");
    EXPECT_TRUE(Snapshot(".").empty());
}

}  // namespace
