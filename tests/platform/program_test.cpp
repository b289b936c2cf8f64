// Helper programs: found on the search path, fed through a pipe, their
// output in a log, their own process group, and a reader that goes away
// never ends the caller.
#include "platform/files.h"
#include "platform/move_file.h"
#include "platform/program.h"
#include "platform/standard_streams.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace {

class Programs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(scratch.Path().empty()); }

    // Starts the program found as name with the arguments, logging to log.txt.
    void Start(const std::vector<std::string>& args)
    {
        std::string path = PlatformFindProgram(args[0].c_str()), error;
        ASSERT_FALSE(path.empty()) << args[0];
        ASSERT_TRUE(PlatformStartProgram(path, args, Log().c_str(), &program, &error)) << error;
    }
    std::string Log() const { return scratch.File("log.txt"); }

    TempFolder scratch{"plm-program"};
    PLATFORMPROGRAM program;
};

TEST_F(Programs, AreFoundLikeAShellFindsThem)
{
    std::string sh = PlatformFindProgram("sh");
    EXPECT_FALSE(sh.empty());
    EXPECT_EQ(sh.find('/'), 0u) << sh;
    EXPECT_EQ(PlatformFindProgram("/bin/sh"), "/bin/sh");  // a path is taken as it is
    EXPECT_EQ(PlatformFindProgram("plm-no-such-program"), "");
    EXPECT_EQ(PlatformFindProgram(""), "");
    // A file that is not executable, or a folder, is no program.
    std::string plain = scratch.Write("plain", "#!/bin/sh\n");
    EXPECT_EQ(PlatformFindProgram(plain.c_str()), "");
    EXPECT_EQ(PlatformFindProgram(scratch.Path().c_str()), "");
    // The search follows PATH, and nothing else.
    std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", scratch.Path().c_str(), 1);
    EXPECT_EQ(PlatformFindProgram("sh"), "");
    setenv("PATH", saved.c_str(), 1);
}

TEST_F(Programs, GetTheirInputThroughThePipeAndLogWhatTheySay)
{
    Start({"cat"});
    // More than a pipe holds: cat must be reading while the caller writes.
    std::string text(1 << 20, 'x');
    for (size_t i = 0; i < text.size(); i += 4096) text[i] = '\n';
    ASSERT_TRUE(PlatformWrite(program.input, text.data(), text.size()));
    PlatformCloseProgramInput(&program);
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 0);
    EXPECT_EQ(program.id, -1);
    EXPECT_EQ(ReadWholeFile(Log()), text);
    EXPECT_EQ(PlatformWaitProgram(&program, -1), -1);  // released
}

TEST_F(Programs, ReportHowTheyEnded)
{
    Start({"sh", "-c", "echo failing >&2; exit 3"});
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 3);
    EXPECT_EQ(ReadWholeFile(Log()), "failing\n");
    // A program that waits for its input's end is still running after a
    // short wait, and ends by SIGTERM when ended.
    Start({"cat"});
    EXPECT_EQ(PlatformWaitProgram(&program, 20), -1);
    EXPECT_NE(program.id, -1);
    EXPECT_EQ(PlatformEndProgram(&program, 5000), 128 + 15);
    EXPECT_EQ(program.id, -1);
    // One that ignores SIGTERM is killed after the grace time.
    Start({"sh", "-c", "trap '' TERM; echo ready; while :; do sleep 1; done"});
    for (int i = 0; i < 6000 && ReadWholeFile(Log()).find("ready") == std::string::npos; ++i) usleep(10000);
    EXPECT_EQ(PlatformEndProgram(&program, 100), 128 + 9);
}

TEST_F(Programs, AReaderThatWentAwayFailsTheWriteInsteadOfEndingTheCaller)
{
    Start({"true"});
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 0);
    Start({"head", "-c", "1"});
    std::vector<char> block(65536, 'y');
    bool written = true;
    // head ends after one byte; a write to its pipe fails soon after.
    for (int i = 0; i < 1000 && written; ++i)
        written = PlatformWrite(program.input, block.data(), block.size());
    EXPECT_FALSE(written);
    EXPECT_STREQ(PlatformLastFileErrorText(), "Broken pipe");
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 0);
}

TEST_F(Programs, RunInTheirOwnProcessGroupWithDefaultSignalsAndNoInheritedFiles)
{
    // The caller ignores SIGPIPE; the program must not: "yes" ends by it.
    PlatformIgnoreBrokenPipes();
    Start({"sh", "-c",
           "yes | head -c 1 > /dev/null; read -r _ _ _ _ group _ < /proc/self/stat; "
           "echo group=$group; ls /proc/self/fd"});
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 0);
    std::string log = ReadWholeFile(Log());
    EXPECT_EQ(log.find("Broken pipe"), std::string::npos) << log;
    EXPECT_EQ(log.find("group=" + std::to_string(getpgrp())), std::string::npos) << log;
    EXPECT_NE(log.find("group="), std::string::npos) << log;
    // Standard input, output, error and the descriptor ls reads: nothing of
    // the caller's (such as the pipe's writing end) is open in it.
    std::istringstream fds(log.substr(log.find('\n', log.find("group=")) + 1));
    std::vector<std::string> open;
    for (std::string fd; fds >> fd;) open.push_back(fd);
    EXPECT_LE(open.size(), 4u) << log;
}

TEST_F(Programs, ThatCannotStartSayWhyAndLeaveNothing)
{
    std::string error;
    EXPECT_FALSE(PlatformStartProgram(scratch.File("missing"), {"missing"}, Log().c_str(), &program, &error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_EQ(program.id, -1);
    EXPECT_EQ(program.input, PLATFORM_NO_FILE);
    EXPECT_FALSE(PlatformStartProgram("/bin/sh", {"sh"}, scratch.File("no/log").c_str(), &program, &error));
    EXPECT_FALSE(PlatformStartProgram("/bin/sh", {}, Log().c_str(), &program, &error));
}

TEST_F(Programs, TheStandardStreamsAreFilesAndMayBeTerminals)
{
    EXPECT_NE(PlatformStandardOutput(), PlatformStandardError());
    EXPECT_FALSE(PlatformIsTerminal(PLATFORM_NO_FILE));
    PLATFORMFILE file = PlatformCreateFile(scratch.File("plain").c_str());
    EXPECT_FALSE(PlatformIsTerminal(file));
    PlatformClose(file);
}

TEST_F(Programs, AFinishedFileMovesIntoPlaceReplacingOnlyWhenAllowed)
{
    std::string staged = scratch.Write("staged", "new"), target = scratch.Write("target", "old");
    EXPECT_FALSE(PlatformMoveFile(staged.c_str(), target.c_str(), false));
    EXPECT_STREQ(PlatformLastFileErrorText(), "File exists");
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_TRUE(PlatformMoveFile(staged.c_str(), target.c_str(), true));
    EXPECT_EQ(ReadWholeFile(target), "new");
    EXPECT_FALSE(PlatformMoveFile(staged.c_str(), target.c_str(), true));  // gone
    // Only regular files move, and only over regular files.
    std::string fresh = scratch.Write("fresh", "x");
    EXPECT_TRUE(PlatformMoveFile(target.c_str(), scratch.File("moved").c_str(), false));
    EXPECT_FALSE(PlatformMoveFile(fresh.c_str(), scratch.Path().c_str(), true));
    ASSERT_EQ(symlink(fresh.c_str(), scratch.File("link").c_str()), 0);
    EXPECT_FALSE(PlatformMoveFile(scratch.File("link").c_str(), scratch.File("other").c_str(), true));
    EXPECT_FALSE(PlatformMoveFile(fresh.c_str(), scratch.File("link").c_str(), true));
    EXPECT_EQ(ReadWholeFile(fresh), "x");
}

}  // namespace
