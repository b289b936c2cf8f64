#include "tools/common/output_file.h"

#include "platform/file_info.h"
#include "platform/files.h"

namespace tools {

namespace {

bool Fail(std::string* error, const char* what, const std::string& path, const std::string& reason)
{
    *error = std::string(what) + " " + path + ": " + reason;
    return false;
}

// The part of path before its last '/' ("." for none, "/" for the root).
std::string Parent(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes every missing folder of the relative path `folders` below base.
bool MakeFoldersAt(PLATFORMDIR base, const std::string& folders)
{
    for (size_t end = folders.find('/');; end = folders.find('/', end + 1)) {
        const std::string prefix = folders.substr(0, end);
        if (!PlatformMakeDirectoryAt(base, prefix.c_str(), false)) return false;
        if (end == std::string::npos) return true;
    }
}

bool WriteAt(PLATFORMDIR base, const std::string& name, const void* data, size_t size,
             const std::string& path, std::string* error)
{
    PLATFORMFILE file = PlatformCreateFileAt(base, name.c_str());
    if (file == PLATFORM_NO_FILE) return Fail(error, "cannot create", path, PlatformLastFileErrorText());
    const bool written = PlatformWrite(file, data, size);
    std::string reason = written ? "" : PlatformLastFileErrorText();
    const bool closed = PlatformClose(file);
    if (written && closed) return true;
    if (reason.empty()) reason = PlatformLastFileErrorText();
    PlatformRemoveTreeAt(base, name.c_str());
    return Fail(error, "cannot write", path, reason);
}

}  // namespace

bool MakeFolders(const std::string& path, std::string* error)
{
    std::string target = path;
    while (target.size() > 1 && target.back() == '/') target.pop_back();
    if (target.empty()) return Fail(error, "cannot create folder", "''", "no name given");
    // The deepest folder on the way that exists already.
    std::string existing = target;
    PLATFORMPATHINFO info{};
    for (;;) {
        if (!PlatformInspect(existing.c_str(), true, &info))
            return Fail(error, "cannot create folder", path, PlatformLastFileErrorText());
        if (info.kind != PLATFORM_PATH_MISSING || existing == "." || existing == "/") break;
        existing = Parent(existing);
    }
    if (info.kind != PLATFORM_PATH_DIRECTORY)
        return Fail(error, "cannot create folder", path, existing + " is not a folder");
    if (existing == target) return true;
    // A relative path without "./" in front hangs below "." as a whole.
    const size_t skip = existing == "." && target.compare(0, 2, "./") != 0 ? 0 : existing.size();
    PLATFORMDIR base = PlatformOpenDirectory(existing.c_str());
    const bool made = base != PLATFORM_NO_DIRECTORY &&
                      MakeFoldersAt(base, target.substr(target.find_first_not_of('/', skip)));
    const std::string reason = made ? "" : PlatformLastFileErrorText();
    PlatformCloseDirectory(base);
    return made || Fail(error, "cannot create folder", path, reason);
}

bool WriteOutputFile(const std::string& folder, const std::string& name, const void* data, size_t size,
                     std::string* error)
{
    if (!MakeFolders(folder, error)) return false;
    PLATFORMDIR base = PlatformOpenDirectory(folder.c_str());
    if (base == PLATFORM_NO_DIRECTORY)
        return Fail(error, "cannot open folder", folder, PlatformLastFileErrorText());
    const std::string path = folder + "/" + name;
    const size_t slash = name.find_last_of('/');
    const bool ok = (slash == std::string::npos || MakeFoldersAt(base, name.substr(0, slash)) ||
                     Fail(error, "cannot create folder", Parent(path), PlatformLastFileErrorText())) &&
                    WriteAt(base, name, data, size, path, error);
    PlatformCloseDirectory(base);
    return ok;
}

}  // namespace tools
