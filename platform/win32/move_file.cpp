// Windows implementation of moving a finished file into place: MoveFileExA,
// which without MOVEFILE_REPLACE_EXISTING refuses an existing target in the
// same step as the move.
#include "platform/move_file.h"

#include "platform/file_info.h"
#include "platform/win32/file_error.h"

#include <windows.h>

namespace {

// True when path names a regular file itself (not through a link); with
// missingIsFine, also when nothing is there.
bool IsRegularOrMissing(const char* path, bool missingIsFine)
{
    PLATFORMPATHINFO info;
    if (!PlatformInspect(path, false, &info)) return false;
    if (info.kind == PLATFORM_PATH_MISSING)
        return missingIsFine || PlatformSetFileError(PLATFORM_FILE_MISSING, ERROR_FILE_NOT_FOUND);
    if (info.kind == PLATFORM_PATH_LINK)
        return PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
    if (info.kind != PLATFORM_PATH_REGULAR)
        return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_NOT_REGULAR);
    return true;
}

}  // namespace

bool PlatformMoveFile(const char* from, const char* to, bool replace)
{
    if (!IsRegularOrMissing(from, false) || !IsRegularOrMissing(to, true)) return false;
    DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExA(from, to, flags)) return PlatformSetFileErrorFromSystem();
    return true;
}
