#include "shell/command_line.h"

#include "shell/exit_status.h"
#include "shell/version.h"

#include <cstring>

namespace {

const char* const USAGE =
    "usage: plumora [--help | --version]\n"
    "\n"
    "Plays the plumora demo. The setup dialog asks for a full-screen display\n"
    "mode (Return = OK, Escape = Cancel); Escape or closing the window ends the\n"
    "demo.\n"
    "\n"
    "data.dat is looked for in the current folder, then next to the program.\n"
    "It is unpacked into a private folder made under $XDG_RUNTIME_DIR, else\n"
    "$TMPDIR, else /tmp, and the folder is removed again when the program ends.\n"
    "Nothing is written to the current folder.\n"
    "\n"
    "  -h, --help   print this text and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Exit status:\n"
    "   0  the window was closed or a quit signal arrived, or Cancel in the\n"
    "      setup dialog (also after --help and --version)\n"
    "  27  Escape ended the demo\n"
    "   2  data.dat is missing or cannot be unpacked\n"
    "   3  a required library in data.dat cannot be bound\n"
    "   4  no display can be opened\n"
    "   5  the demo window cannot be opened\n"
    "   6  the private folder cannot be created\n"
    "   7  the demo window was destroyed or the display connection was lost\n"
    "  64  the command line is wrong\n";

bool Is(const char* argument, const char* option)
{
    return std::strcmp(argument, option) == 0;
}

}  // namespace

CCOMMAND ParseCommandLine(int argc, const char* const* argv, std::string* error)
{
    CCOMMAND command = COMMAND_RUN;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        CCOMMAND meant = COMMAND_BAD;
        if (Is(argument, "--help") || Is(argument, "-h"))
            meant = COMMAND_HELP;
        else if (Is(argument, "--version"))
            meant = COMMAND_VERSION;
        if (meant == COMMAND_BAD) {
            *error = std::string(argument[0] == '-' ? "unknown option '" : "unexpected argument '") +
                     argument + "'";
            return COMMAND_BAD;
        }
        if (command == COMMAND_RUN) command = meant;
    }
    return command;
}

const char* ProgramUsage()
{
    return USAGE;
}

int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err, int (*run)())
{
    std::string error;
    switch (ParseCommandLine(argc, argv, &error)) {
        case COMMAND_RUN:
            return run();
        case COMMAND_HELP:
            std::fputs(USAGE, out);
            return EXIT_DONE;
        case COMMAND_VERSION:
            std::fprintf(out, "plumora %s\n", PLUMORA_VERSION);
            return EXIT_DONE;
        case COMMAND_BAD:
            break;
    }
    std::fprintf(err, "plumora: %s\nTry 'plumora --help' for more information.\n", error.c_str());
    return EXIT_USAGE;
}
