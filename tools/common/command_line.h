// Exit statuses and command-line errors, the same for every tool, and the
// command line that every data-set generator shares.
#ifndef PLM_TOOLS_COMMON_COMMAND_LINE_H
#define PLM_TOOLS_COMMON_COMMAND_LINE_H

#include <string>

namespace tools {

// Every tool's --help lists the statuses it uses.
enum ExitStatus {
    kExitOk = 0,      // done (also after --help and --version)
    kExitFailed = 1,  // a failure while working; stderr says what and why
    kExitUsage = 2,   // the command line is wrong: nothing was done
};

// Prints "TOOL: MESSAGE", then `usage` (may be empty) and a pointer to
// --help on stderr; returns kExitUsage.
int UsageError(const char* tool, const std::string& message, const char* usage = "");

// Prints "TOOL: WHY" on stderr; returns kExitFailed.
int Failure(const char* tool, const std::string& why);

// A data-set generator's command line: "TOOL STAGE_DIR" writes the tool's
// files below STAGE_DIR (folders made as needed); "TOOL --help" or "-h"
// prints the usage, `about` (what the tool writes) and the exit statuses;
// "TOOL --version" prints "TOOL VERSION" (the program's version).
// True with *stage set when the tool is to run; otherwise false with
// *status the status to end with (kExitOk after --help and --version, else
// kExitUsage).
bool ReadGeneratorCommandLine(int argc, char** argv, const char* tool, const char* about, std::string* stage,
                              int* status);

}  // namespace tools

#endif
