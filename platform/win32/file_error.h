// Inside the Windows backend only: lets the file modules set the last error
// that PlatformLastFileError and PlatformLastFileErrorText report, and turns
// system error codes into the short texts the POSIX backend gives, so that
// messages read the same on both systems.
#ifndef PLM_PLATFORM_WIN32_FILE_ERROR_H
#define PLM_PLATFORM_WIN32_FILE_ERROR_H

#include <windows.h>

#include <string>

#include "platform/files.h"

// Codes of this backend's own, in the range Windows leaves to applications
// (bit 29 set).
const DWORD PLATFORM_ERROR_NOT_REGULAR = 0x20000001;  // exists but is not a regular file
const DWORD PLATFORM_ERROR_IS_DIRECTORY = 0x20000002;
const DWORD PLATFORM_ERROR_NOT_DIRECTORY = 0x20000003;
const DWORD PLATFORM_ERROR_LINK = 0x20000004;  // a symbolic link or junction in the way

// Records a failure of kind with a system (or the above) error code; returns
// false so that callers can write `return PlatformSetFileError(...)`.
bool PlatformSetFileError(PLATFORMFILEERROR kind, DWORD code);
// The same from a system code alone: "file not found", "path not found" and
// "not a directory" are PLATFORM_FILE_MISSING, everything else
// PLATFORM_FILE_FAILED.
bool PlatformSetFileErrorFromCode(DWORD code);
// The same from GetLastError().
bool PlatformSetFileErrorFromSystem();
// A short text for a code, e.g. "No such file or directory".
std::string PlatformErrorText(DWORD code);

#endif
