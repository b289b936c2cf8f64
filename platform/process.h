// Process-level facts and settings: the environment, the program's own
// folder, the working directory and temporary directories.
#ifndef PLM_PLATFORM_PROCESS_H
#define PLM_PLATFORM_PROCESS_H

#include <string>

#include "platform/file_info.h"

// Makes a fresh private directory under the system's temporary folder
// (name starting with prefix); empty on failure.
std::string PlatformMakeTempDirectory(const char* prefix);
// Makes a fresh directory, mode 0700 whatever the umask, inside base with a
// name of prefix plus six random characters (mkdtemp), and returns its path
// (base + "/" + name). On failure returns empty with the system's reason in
// *error, e.g. "No such file or directory".
std::string PlatformMakeTempDirectoryIn(const char* base, const char* prefix, std::string* error);
// The system's folder for temporary files, absolute and without a trailing
// separator: "/tmp" on POSIX, the user's temporary folder on Windows.
std::string PlatformTemporaryFolder();
// True when path names the same place whatever the current folder and drive:
// "/x" on POSIX; "C:\x", "C:/x" or "\\server\share" on Windows (where "/x"
// and "C:x" still depend on the current drive or folder).
bool PlatformIsAbsolutePath(const char* path);
// The value of the environment variable name; empty when it is unset.
std::string PlatformEnvironment(const char* name);
// The absolute path of the folder holding the running program's executable
// (links resolved); empty if the system cannot tell.
std::string PlatformProgramDirectory();
// True if something exists at path (links followed).
bool PlatformPathExists(const char* path);
// Changes the current directory; false on failure.
bool PlatformChangeDirectory(const char* path);
// The current directory's absolute path; empty on failure.
std::string PlatformCurrentDirectory();
// The absolute form of path (relative to the current directory); the file
// itself need not exist.
std::string PlatformAbsolutePath(const char* path);
// What a path names, following symbolic links: PLATFORM_PATH_MISSING (also
// for a dangling link or a file on the way), PLATFORM_PATH_DIRECTORY,
// PLATFORM_PATH_REGULAR, or PLATFORM_PATH_OTHER (a device, FIFO, socket, or
// a path that cannot be examined).
PLATFORMPATHKIND PlatformPathKind(const char* path);
// The absolute form of path with every symbolic link, "." and ".." in the
// part that exists resolved; the part that does not exist yet is appended
// as written. The path as given, made absolute, when the existing part
// cannot be resolved.
std::string PlatformResolvePath(const char* path);
// Whether new entries can be made in directory: creates a uniquely named
// empty directory there and removes it again (permission bits alone do not
// tell, e.g. for root or on a read-only mount). On failure *reason (if not
// null) says why, e.g. "Permission denied".
bool PlatformCanCreateIn(const char* directory, std::string* reason);

#endif
