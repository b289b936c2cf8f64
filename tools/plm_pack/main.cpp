// plm-pack: writes and lists the demo's data archive (data.dat).
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/plm_pack/list.h"
#include "tools/plm_pack/pack.h"

namespace {

const char* const USAGE =
    "usage: plm-pack pack DIR OUT   pack DIR/plumora_data into the archive OUT\n"
    "       plm-pack list FILE      print the records of the archive FILE\n"
    "       plm-pack --help\n"
    "\n"
    "Names in the archive are relative to DIR (\"plumora_data/gfx/setup.jpg\").\n"
    "Directories come before their contents and entries are sorted by byte\n"
    "order, so the same tree always gives the same archive. Only directories\n"
    "and regular files can be packed.\n"
    "list prints: offset, kind, data size, name; it exits with status 1 if the\n"
    "archive is malformed or holds a name the demo would refuse.\n";

int Pack(const char* dir, const char* out)
{
    std::string error;
    if (PackTree(dir, out, &error))
        return 0;
    fprintf(stderr, "plm-pack: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)) {
        fputs(USAGE, stdout);
        return 0;
    }
    if (argc == 4 && strcmp(argv[1], "pack") == 0)
        return Pack(argv[2], argv[3]);
    if (argc == 3 && strcmp(argv[1], "list") == 0)
        return ListArchive(argv[2], stdout, stderr) ? 0 : 1;
    fputs(USAGE, stderr);
    return 2;
}
