#include "tools/common/command_line.h"

#include <cstdio>

#include "shell/version.h"

namespace tools {

int UsageError(const char* tool, const std::string& message, const char* usage)
{
    std::fprintf(stderr, "%s: %s\n%sTry '%s --help' for more.\n", tool, message.c_str(), usage, tool);
    return kExitUsage;
}

int Failure(const char* tool, const std::string& why)
{
    std::fprintf(stderr, "%s: %s\n", tool, why.c_str());
    return kExitFailed;
}

bool ReadGeneratorCommandLine(int argc, char** argv, const char* tool, const char* about, std::string* stage,
                              int* status)
{
    const std::string usage =
        std::string("usage: ") + tool + " STAGE_DIR\n       " + tool + " --help | --version\n";
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && (first == "--help" || first == "-h")) {
        std::printf(
            "%s\n%s\nExit status:\n"
            "  0  every file written\n"
            "  1  a folder or file could not be made or written; stderr says which and why\n"
            "  2  usage error: not exactly one STAGE_DIR, or an unknown option\n",
            usage.c_str(), about);
        *status = kExitOk;
        return false;
    }
    if (argc == 2 && first == "--version") {
        std::printf("%s %s\n", tool, PLUMORA_VERSION);
        *status = kExitOk;
        return false;
    }
    if (argc != 2 || first.empty() || first[0] == '-') {
        *status = UsageError(tool,
                             argc != 2       ? "expected one STAGE_DIR"
                             : first.empty() ? "STAGE_DIR is empty"
                                             : "unknown option '" + first + "'",
                             usage.c_str());
        return false;
    }
    *stage = first;
    return true;
}

}  // namespace tools
