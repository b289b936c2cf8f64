// The program's command line: no arguments runs the demo; --help and
// --version answer on the output stream and exit 0 without touching the
// display, the archive or the disk; anything else is a usage error.
#ifndef PLM_SHELL_COMMAND_LINE_H
#define PLM_SHELL_COMMAND_LINE_H

#include <cstdio>
#include <string>

enum CCOMMAND { COMMAND_RUN, COMMAND_HELP, COMMAND_VERSION, COMMAND_BAD };

// Reads argv[1..argc-1]. Any argument other than --help, -h and --version
// makes it COMMAND_BAD, with *error naming the first such argument
// ("unknown option '--fast'", "unexpected argument 'x'"); otherwise the first
// of --help/-h and --version decides, and an empty line means COMMAND_RUN.
CCOMMAND ParseCommandLine(int argc, const char* const* argv, std::string* error);
// The text --help prints: usage, where data.dat is looked for and unpacked,
// and every exit status.
const char* ProgramUsage();

// The whole process: parses the line, answers --help and --version on out,
// reports a bad line on err (with EXIT_USAGE), and otherwise returns what
// run (the demo) returns. run is called only for an empty command line.
int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err, int (*run)());

#endif
