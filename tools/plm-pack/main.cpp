// plm-pack: writes, lists and extracts the demo's data archive (data.dat).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/termination.h"
#include "shell/version.h"
#include "tools/plm-pack/extract.h"
#include "tools/plm-pack/list.h"
#include "tools/plm-pack/pack.h"
#include "tools/common/command_line.h"

namespace {

const char* const USAGE =
    "usage: plm-pack [-v] pack DIR OUT\n"
    "       plm-pack list ARCHIVE\n"
    "       plm-pack extract ARCHIVE DIR\n"
    "       plm-pack --help | --version\n";

const char* const HELP =
    "\n"
    "Writes, lists and extracts the demo's data archive (data.dat).\n"
    "\n"
    "pack DIR OUT\n"
    "    Writes the tree DIR/plumora_data to the archive OUT. Names in the\n"
    "    archive are relative to DIR (\"plumora_data/gfx/setup.jpg\").\n"
    "    Directories come before their contents and entries are sorted by byte\n"
    "    order, so the same tree always gives the same archive. Only\n"
    "    directories and regular files can be packed.\n"
    "    OUT must be a regular file, a symbolic link to one (the file it leads\n"
    "    to is replaced) or a new name in an existing folder; a directory,\n"
    "    device or FIFO is refused before anything is written. The archive is\n"
    "    written to a hidden temporary file beside OUT and renamed over OUT\n"
    "    only once complete: on any failure or interruption OUT stays exactly\n"
    "    as it was and the temporary file is removed.\n"
    "\n"
    "list ARCHIVE\n"
    "    Prints one line per record: offset, kind, data size, name.\n"
    "\n"
    "extract ARCHIVE DIR\n"
    "    Unpacks ARCHIVE into DIR/plumora_data with the demo's own unpacker\n"
    "    and its rules: names only below plumora_data/, no \"..\", no link\n"
    "    followed or written through. DIR must be an existing folder (it is\n"
    "    not created) and must not hold a plumora_data already: one that is\n"
    "    there is never merged with or removed. The whole archive is checked\n"
    "    before anything is written; after a later failure or interruption\n"
    "    the tree made so far is removed.\n"
    "\n"
    "Options:\n"
    "  -v, --verbose  pack: print each record's name on stderr as it is written\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "  --             end of options (for names that start with '-')\n"
    "\n"
    "Exit status:\n"
    "  0  success\n"
    "  1  the command failed; stderr says which path and why. For list: the\n"
    "     archive is malformed or holds a name the demo would refuse.\n"
    "  2  usage error: unknown command or option, wrong number of arguments\n"
    "  On SIGINT, SIGTERM or SIGHUP, pack and extract first remove what they\n"
    "  had started, then end by that signal (shell status 130, 143, 129).\n";

struct COPTIONS {
    bool help = false;
    bool version = false;
    bool verbose = false;
    std::vector<std::string> operands;
};

int UsageError(const std::string& message)
{
    return tools::UsageError("plm-pack", message, USAGE);
}

// Parses options anywhere before "--"; returns 0 or the usage error status.
int ParseArguments(int argc, char** argv, COPTIONS* options)
{
    bool endOfOptions = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (endOfOptions || arg.size() < 2 || arg[0] != '-')
            options->operands.push_back(arg);
        else if (arg == "--")
            endOfOptions = true;
        else if (arg == "-h" || arg == "--help")
            options->help = true;
        else if (arg == "--version")
            options->version = true;
        else if (arg == "-v" || arg == "--verbose")
            options->verbose = true;
        else
            return UsageError("unknown option '" + arg + "'");
    }
    return 0;
}

int Report(bool ok, const std::string& error, const char* undone)
{
    if (ok) return tools::kExitOk;
    fprintf(stderr, "plm-pack: %s\n", error.c_str());
    if (int signal = PlatformTerminationRequested()) {
        fprintf(stderr, "plm-pack: %s\n", undone);
        PlatformEndByTermination(signal);
    }
    return tools::kExitFailed;
}

int Pack(const COPTIONS& options)
{
    const std::string& out = options.operands[2];
    std::string error;
    PlatformCatchTermination();
    bool ok = PackTree(options.operands[1], out, options.verbose ? stderr : nullptr, &error);
    return Report(ok, error, (out + " left as it was").c_str());
}

int Extract(const COPTIONS& options)
{
    std::string error;
    PlatformCatchTermination();
    bool ok = ExtractArchive(options.operands[1], options.operands[2], &error);
    return Report(ok, error, "the tree made so far has been removed");
}

int Run(const COPTIONS& options)
{
    const std::vector<std::string>& operands = options.operands;
    if (operands.empty()) return UsageError("no command given");
    const std::string& command = operands[0];
    size_t wanted = command == "list" ? 2 : 3;
    if (command != "pack" && command != "list" && command != "extract")
        return UsageError("unknown command '" + command + "'");
    if (operands.size() != wanted)
        return UsageError(command + (command == "pack"   ? " needs DIR and OUT"
                                     : command == "list" ? " needs ARCHIVE"
                                                         : " needs ARCHIVE and DIR"));
    if (command == "pack") return Pack(options);
    if (command == "extract") return Extract(options);
    return ListArchive(operands[1].c_str(), stdout, stderr) ? tools::kExitOk : tools::kExitFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    COPTIONS options;
    if (int status = ParseArguments(argc, argv, &options)) return status;
    if (options.help) {
        printf("%s%s", USAGE, HELP);
        return tools::kExitOk;
    }
    if (options.version) {
        printf("plm-pack %s\n", PLUMORA_VERSION);
        return tools::kExitOk;
    }
    return Run(options);
}
