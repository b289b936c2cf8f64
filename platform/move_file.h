// Moving a finished file to its final name within one file system, in one
// step: whoever opens the final name sees the old file or the new one.
//
// A failed call sets the last error of the file layer (platform/files.h).
#ifndef PLM_PLATFORM_MOVE_FILE_H
#define PLM_PLATFORM_MOVE_FILE_H

// Gives the regular file at from the name to (both in the same file
// system). With replace, a regular file at to is replaced; without, an
// entry already at to makes the call fail ("File exists") and stays as it
// is, even one that appears while the call works. Anything but a regular
// file at from or to (a directory, a link, a device) is refused and left
// alone.
bool PlatformMoveFile(const char* from, const char* to, bool replace);

#endif
