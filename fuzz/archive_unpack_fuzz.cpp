// Fuzz target for the data archive: any bytes as data.dat, unpacked in a
// private scratch folder. A crash, an out-of-bounds access or a file
// appearing outside the scratch folder's plumora_data tree is a finding.
#include "platform/files.h"
#include "platform/process.h"
#include "shell/archive.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& Scratch();

void RemoveScratch()
{
    PlatformChangeDirectory("/");
    PlatformRemoveTree(Scratch().c_str());
}

// The scratch folder, made once; the fuzzer works inside it.
const std::string& Scratch()
{
    // Never destroyed, so that RemoveScratch can still read it at exit.
    static const std::string* folder = [] {
        std::string made = PlatformMakeTempDirectory("plumora-archive-fuzz-");
        if (made.empty() || !PlatformChangeDirectory(made.c_str()))
            std::abort();
        std::atexit(RemoveScratch);
        return new std::string(made);
    }();
    return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Scratch();
    PLATFORMFILE file = PlatformCreateFile("data.dat");
    if (file == PLATFORM_NO_FILE)
        std::abort();
    PlatformWrite(file, data, size);
    PlatformClose(file);
    std::string error;
    if (!UnpackArchive("data.dat", &error) && error.empty())
        std::abort();  // a failure must always say why
    PlatformRemoveTree("plumora_data");
    return 0;
}
