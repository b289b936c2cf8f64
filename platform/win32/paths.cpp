// Windows implementation of the path facts in platform/process.h that the
// private folder's choice of place rests on: which paths are absolute, and
// the temporary folder GetTempPathA reports.
#include <windows.h>

#include "platform/process.h"

namespace {

bool IsPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

bool PlatformIsAbsolutePath(const char* path)
{
    if (IsDriveLetter(path[0]) && path[1] == ':') return IsPathSeparator(path[2]);
    return IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

std::string PlatformDefaultTempDirectory()
{
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH) return std::string();
    std::string path(folder, length);
    // "C:\Temp\" -> "C:\Temp", so that names joined with "/" stay clean; a
    // drive's root keeps its separator.
    if (path.size() > 3 && IsPathSeparator(path.back())) path.pop_back();
    return path;
}
