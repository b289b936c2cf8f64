// Inside the POSIX backend only: the file layer's handles are descriptors.
#ifndef PLM_PLATFORM_POSIX_DESCRIPTOR_H
#define PLM_PLATFORM_POSIX_DESCRIPTOR_H

#include "platform/files.h"

#include <fcntl.h>

// The descriptor of an open file (-1 for PLATFORM_NO_FILE).
inline int Descriptor(PLATFORMFILE file)
{
    return static_cast<int>(file);
}
// The handle of descriptor fd; PLATFORM_NO_FILE for a negative one.
inline PLATFORMFILE FileHandle(int fd)
{
    return fd < 0 ? PLATFORM_NO_FILE : PLATFORMFILE(fd);
}
// The descriptor the *at() calls take for dir: AT_FDCWD for the current
// directory, -1 for PLATFORM_NO_DIRECTORY.
inline int Descriptor(PLATFORMDIR dir)
{
    return dir == PLATFORM_CURRENT_DIRECTORY ? AT_FDCWD : static_cast<int>(dir);
}
inline PLATFORMDIR DirectoryHandle(int fd)
{
    return fd < 0 ? PLATFORM_NO_DIRECTORY : PLATFORMDIR(fd);
}

#endif
