// The program's command line: what runs the demo, what only prints, and what
// is refused, with the streams and statuses each gives.
#include "shell/command_line.h"
#include "shell/exit_status.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int runs = 0;
int FakeDemo()
{
    ++runs;
    return 27;
}

std::string Contents(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[512];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    return text;
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunWith(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "plumora");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    runs = 0;
    Outcome outcome;
    outcome.status = RunCommandLine(static_cast<int>(arguments.size()), arguments.data(), out, err, FakeDemo);
    outcome.out = Contents(out);
    outcome.err = Contents(err);
    std::fclose(out);
    std::fclose(err);
    return outcome;
}

TEST(CommandLine, AnEmptyLineRunsTheDemoAndPassesItsStatusOn)
{
    Outcome outcome = RunWith({});
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(outcome.status, 27);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
}

TEST(CommandLine, HelpAndVersionPrintOnOutputWithoutRunning)
{
    for (const char* help : {"--help", "-h"}) {
        Outcome outcome = RunWith({help});
        EXPECT_EQ(runs, 0) << help;
        EXPECT_EQ(outcome.status, 0) << help;
        EXPECT_EQ(outcome.out, ProgramUsage()) << help;
        EXPECT_EQ(outcome.err, "") << help;
    }
    Outcome version = RunWith({"--version"});
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("plumora ", 0), 0u) << version.out;
    EXPECT_EQ(version.out.back(), '\n');
    EXPECT_EQ(version.err, "");
}

TEST(CommandLine, TheFirstOfHelpAndVersionDecides)
{
    std::string error;
    const char* helpFirst[] = {"plumora", "--help", "--version"};
    const char* versionFirst[] = {"plumora", "--version", "-h"};
    EXPECT_EQ(ParseCommandLine(3, helpFirst, &error), COMMAND_HELP);
    EXPECT_EQ(ParseCommandLine(3, versionFirst, &error), COMMAND_VERSION);
}

TEST(CommandLine, AnythingElseIsAUsageErrorNamingTheArgument)
{
    struct Case {
        std::vector<const char*> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--fast"}, "unknown option '--fast'"},
        {{"-x"}, "unknown option '-x'"},
        {{"-"}, "unknown option '-'"},
        {{"--help=1"}, "unknown option '--help=1'"},
        {{"data.dat"}, "unexpected argument 'data.dat'"},
        {{""}, "unexpected argument ''"},
        // A bad argument anywhere wins over --help: nothing is half-understood.
        {{"--help", "extra"}, "unexpected argument 'extra'"},
        {{"--version", "--verbose"}, "unknown option '--verbose'"},
    };
    for (const Case& c : cases) {
        Outcome outcome = RunWith(c.arguments);
        EXPECT_EQ(runs, 0) << c.message;
        EXPECT_EQ(outcome.status, EXIT_USAGE) << c.message;
        EXPECT_EQ(outcome.out, "") << c.message;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find("--help"), std::string::npos) << outcome.err;
    }
}

TEST(CommandLine, HelpListsEveryExitStatusOnce)
{
    const std::string usage = ProgramUsage();
    const int statuses[] = {EXIT_DONE,       EXIT_ESCAPE,    EXIT_BAD_ARCHIVE,       EXIT_BAD_LIBRARY,
                            EXIT_NO_DISPLAY, EXIT_NO_WINDOW, EXIT_NO_PRIVATE_FOLDER, EXIT_USAGE};
    for (int status : statuses) {
        char line[16];
        std::snprintf(line, sizeof line, "\n%4d  ", status);
        size_t at = usage.find(line);
        EXPECT_NE(at, std::string::npos) << "status " << status << " is not listed";
        EXPECT_EQ(usage.find(line, at + 1), std::string::npos) << "status " << status << " twice";
    }
    // The statuses are distinct, so a script can tell every failure apart.
    for (size_t i = 0; i < std::size(statuses); ++i)
        for (size_t j = i + 1; j < std::size(statuses); ++j) EXPECT_NE(statuses[i], statuses[j]);
}

}  // namespace
