// Fuzz target for the data archive: any bytes as data.dat, unpacked in a
// private scratch folder. A crash, an out-of-bounds access, a failure that
// does not say why, a failure that leaves a plumora_data tree behind, or
// anything appearing in the scratch folder besides data.dat and plumora_data
// is a finding.
//
// The unpacker works in the current folder, so each input runs inside the
// scratch folder and the folder the fuzzer started in is restored afterwards:
// the fuzzer's own relative paths (corpus, crash files) keep working.
#include "platform/files.h"
#include "platform/process.h"
#include "shell/archive.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct Folders {
    std::string start;    // where the fuzzer was started
    std::string scratch;  // the private folder the inputs are unpacked in
};

const Folders& TheFolders();

void RemoveScratch()
{
    PlatformChangeDirectory(TheFolders().start.c_str());
    PlatformRemoveTree(TheFolders().scratch.c_str());
}

// Made once; never destroyed, so that RemoveScratch can still read it at exit.
const Folders& TheFolders()
{
    static const Folders* folders = [] {
        Folders* made =
            new Folders{PlatformCurrentDirectory(), PlatformMakeTempDirectory("plumora-archive-fuzz-")};
        if (made->start.empty() || made->scratch.empty()) std::abort();
        std::atexit(RemoveScratch);
        return made;
    }();
    return *folders;
}

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "archive fuzz: %s\n", what);
        std::abort();
    }
}

// True when the current folder holds nothing but data.dat and, if tree is
// true, plumora_data.
bool OnlyExpectedEntries(bool tree)
{
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        std::string name = entry.path().filename().string();
        if (name != "data.dat" && !(tree && name == "plumora_data")) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Folders& folders = TheFolders();
    Check(PlatformChangeDirectory(folders.scratch.c_str()), "cannot enter the scratch folder");
    PLATFORMFILE file = PlatformCreateFile("data.dat");
    Check(file != PLATFORM_NO_FILE, "cannot write data.dat");
    PlatformWrite(file, data, size);
    PlatformClose(file);
    std::string error;
    bool unpacked = UnpackArchive("data.dat", &error);
    Check(unpacked || !error.empty(), "a failure that does not say why");
    Check(OnlyExpectedEntries(unpacked), "something outside plumora_data, or a tree left after a failure");
    PlatformRemoveTree("plumora_data");
    Check(PlatformChangeDirectory(folders.start.c_str()), "cannot return to the starting folder");
    return 0;
}
