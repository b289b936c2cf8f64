#include "platform/move_file.h"

#include "platform/posix/file_error.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// True when path names a regular file itself (not through a link); with
// missingIsFine, also when nothing is there.
bool IsRegularOrMissing(const char* path, bool missingIsFine)
{
    struct stat st;
    if (lstat(path, &st) != 0) {
        if (errno == ENOENT && missingIsFine) return true;
        return PlatformSetFileErrorFromErrno();
    }
    if (!S_ISREG(st.st_mode)) return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_NOT_REGULAR);
    return true;
}

// Renames without replacing: the kernel's no-replace rename where the file
// system has it, else a second link made exclusively and the first removed.
bool MoveWithoutReplacing(const char* from, const char* to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return PlatformSetFileErrorFromErrno();
    if (link(from, to) != 0) return PlatformSetFileErrorFromErrno();
    if (unlink(from) != 0) return PlatformSetFileErrorFromErrno();
    return true;
}

}  // namespace

bool PlatformMoveFile(const char* from, const char* to, bool replace)
{
    if (!IsRegularOrMissing(from, false) || !IsRegularOrMissing(to, true)) return false;
    if (!replace) return MoveWithoutReplacing(from, to);
    if (rename(from, to) != 0) return PlatformSetFileErrorFromErrno();
    return true;
}
