// Files and directories: the stand-in for the old-style Windows file calls
// (_lopen, _lread, _lcreat, _lwrite, _lclose), CreateDirectoryA and the shell's
// recursive delete.
//
// Everything that creates, writes or removes refuses to pass through a
// symbolic link: every component of the path is opened one at a time without
// following links, so a link planted anywhere on the way (or at the path
// itself) makes the call fail and leaves the link's target untouched.
// Relative paths start at the current directory, or for the "At" calls at
// a directory opened with PlatformOpenDirectory. Reading follows links as
// usual.
//
// A failed call sets the last error, which PlatformLastFileError and
// PlatformLastFileErrorText report until the next failure (one thread).
#ifndef PLM_PLATFORM_FILES_H
#define PLM_PLATFORM_FILES_H

#include <cstddef>
#include <cstdint>

// An open file. Its value belongs to the backend (a descriptor on POSIX):
// callers only keep it, compare it and hand it back.
enum class PLATFORMFILE : intptr_t {};
constexpr PLATFORMFILE PLATFORM_NO_FILE = PLATFORMFILE(-1);

// A directory held open as the start of relative paths. It stays the same
// directory even if it is renamed or its path is replaced meanwhile. Opaque
// like PLATFORMFILE.
enum class PLATFORMDIR : intptr_t {};
constexpr PLATFORMDIR PLATFORM_NO_DIRECTORY = PLATFORMDIR(-1);
constexpr PLATFORMDIR PLATFORM_CURRENT_DIRECTORY = PLATFORMDIR(-2);

enum PLATFORMFILEERROR {
    PLATFORM_FILE_OK = 0,
    PLATFORM_FILE_MISSING,  // a directory on the path does not exist (or is not a directory)
    PLATFORM_FILE_SYMLINK,  // a symbolic link lies on the path or at it
    PLATFORM_FILE_FAILED,   // anything else: permissions, disk full, wrong file type, I/O
};

// Opens an existing regular file for reading; PLATFORM_NO_FILE on failure
// (missing, unreadable, a directory or any other non-regular file).
PLATFORMFILE PlatformOpenRead(const char* path);
// Reads up to size bytes at the current position. Returns the number read,
// fewer than size only at the end of the file; -1 on a read error.
int64_t PlatformRead(PLATFORMFILE file, void* buffer, size_t size);
// Size of an open file in bytes, or -1.
int64_t PlatformFileSize(PLATFORMFILE file);
// Moves the read/write position to offset bytes from the start.
bool PlatformSeek(PLATFORMFILE file, int64_t offset);

// Opens an existing directory as a start for the "At" calls. Links in path
// are followed: it names a folder the user chose, not one from untrusted
// data. PLATFORM_NO_DIRECTORY on failure.
PLATFORMDIR PlatformOpenDirectory(const char* path);
// Closes a directory from PlatformOpenDirectory; the two stand-ins are ignored.
void PlatformCloseDirectory(PLATFORMDIR dir);

// Creates a regular file for writing (mode 0644 before the umask), or
// truncates an existing one to length 0. A hard-linked file is replaced by a
// fresh one so that the other names keep their contents. Refuses links,
// directories, FIFOs and devices at the path.
PLATFORMFILE PlatformCreateFile(const char* path);
PLATFORMFILE PlatformCreateFileAt(PLATFORMDIR base, const char* path);
// Writes all size bytes; false if any could not be written.
bool PlatformWrite(PLATFORMFILE file, const void* data, size_t size);
// Closes a file from either open call; PLATFORM_NO_FILE is ignored (true).
bool PlatformClose(PLATFORMFILE file);

// Creates one directory (mode 0755 before the umask); its parent must exist.
// A directory already there is no error; a link or any other file in its
// place is.
bool PlatformMakeDirectory(const char* path);
// The same below base; with mustBeNew a directory already there is an error
// too (its text is "File exists"), so the caller knows it made it.
bool PlatformMakeDirectoryAt(PLATFORMDIR base, const char* path, bool mustBeNew);
// Removes path and, if it is a directory, everything below it. Links are
// removed as links, never followed. A path that does not exist is no error;
// a path ending in "." or ".." is refused.
// Works with a bounded number of open descriptors whatever the depth.
bool PlatformRemoveTree(const char* path);
bool PlatformRemoveTreeAt(PLATFORMDIR base, const char* path);

PLATFORMFILEERROR PlatformLastFileError();
// A short text for the last failure, e.g. "No such file or directory".
const char* PlatformLastFileErrorText();

#endif
