#include "shell/private_folder.h"

#include "platform/files.h"
#include "platform/process.h"

namespace {

const char* const FOLDER_PREFIX = "plumora-";

bool IsAbsolute(const std::string& path)
{
    return !path.empty() && PlatformIsAbsolutePath(path.c_str());
}

}  // namespace

std::string PrivateFolderBase(const std::string& runtimeDir, const std::string& tempDir)
{
    if (IsAbsolute(runtimeDir)) return runtimeDir;
    if (IsAbsolute(tempDir)) return tempDir;
    return PlatformTemporaryFolder();
}

CPRIVATEFOLDER::~CPRIVATEFOLDER()
{
    Remove();
}

bool CPRIVATEFOLDER::CreateAndEnter(std::string* error)
{
    Remove();
    std::string chosen =
        PrivateFolderBase(PlatformEnvironment("XDG_RUNTIME_DIR"), PlatformEnvironment("TMPDIR"));
    std::string reason;
    std::string made = PlatformMakeTempDirectoryIn(chosen.c_str(), FOLDER_PREFIX, &reason);
    if (made.empty()) {
        *error = "Cannot create a private folder in " + chosen + ": " + reason;
        return false;
    }
    base = chosen;
    path = made;
    name = made.substr(made.rfind('/') + 1);
    if (!PlatformChangeDirectory(path.c_str())) {
        *error = "Cannot enter the private folder " + path;
        Remove();
        return false;
    }
    return true;
}

bool CPRIVATEFOLDER::Remove()
{
    if (path.empty()) return true;
    // The removal refuses links on the way, and the base may well be reached
    // through one (/tmp on some systems): step into the base, which follows
    // links, and remove the folder by its own name from there.
    bool removed = PlatformChangeDirectory(base.c_str()) ? PlatformRemoveTree(name.c_str())
                                                         : PlatformRemoveTree(path.c_str());
    if (removed) {
        base.clear();
        name.clear();
        path.clear();
    }
    return removed;
}
