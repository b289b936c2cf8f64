// Looking at the file system without changing it: what kind of entry a path
// names, and which names a directory holds. Tools use it to check their
// input before they write anything.
//
// A failed call sets the last error of the file layer (platform/files.h).
#ifndef PLM_PLATFORM_FILE_INFO_H
#define PLM_PLATFORM_FILE_INFO_H

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

enum PLATFORMPATHKIND {
    PLATFORM_PATH_MISSING,  // nothing there (or a component on the way is not a directory)
    PLATFORM_PATH_DIRECTORY,
    PLATFORM_PATH_REGULAR,  // a regular file
    PLATFORM_PATH_LINK,     // a symbolic link (only when links are not followed)
    PLATFORM_PATH_OTHER,    // a device, FIFO or socket
};

struct PLATFORMPATHINFO {
    PLATFORMPATHKIND kind;
    uint64_t size;    // bytes, for a regular file; 0 otherwise
    uint64_t device;  // with inode: the same pair means the same file
    uint64_t inode;
    unsigned permissions;  // the nine rwx bits
};

// Fills *info for path. With followLinks a link is looked through (one that
// leads nowhere is PLATFORM_PATH_MISSING); without, the link itself is
// described. A path that does not exist is no failure: its kind is
// PLATFORM_PATH_MISSING. False only if the path cannot be looked at
// (permissions, a loop of links, a name too long).
bool PlatformInspect(const char* path, bool followLinks, PLATFORMPATHINFO* info);
bool PlatformInspectFile(PLATFORMFILE file, PLATFORMPATHINFO* info);

// The names in directory path, without "." and "..", in no set order.
bool PlatformListDirectory(const char* path, std::vector<std::string>* names);

#endif
