// Inside the POSIX backend only: lets the other file modules set the last
// error that PlatformLastFileError and PlatformLastFileErrorText report.
#ifndef PLM_PLATFORM_POSIX_FILE_ERROR_H
#define PLM_PLATFORM_POSIX_FILE_ERROR_H

#include "platform/files.h"

// Error code that stands for "exists but is not a regular file".
const int PLATFORM_NOT_REGULAR = -1;

// Records a failure of kind with the system's error code; returns false so
// that callers can write `return PlatformSetFileError(...)`.
bool PlatformSetFileError(PLATFORMFILEERROR kind, int code);
// The same from errno: ENOENT and ENOTDIR are PLATFORM_FILE_MISSING,
// everything else PLATFORM_FILE_FAILED.
bool PlatformSetFileErrorFromErrno();

#endif
