// Writing a file as a whole. The new contents go to a fresh temporary file
// in the folder of the final path, and that file is renamed over the final
// path only once it is complete and flushed. Whoever opens the final path
// sees the old file or the whole new one, never a part; a failure or an
// interruption leaves the old file exactly as it was.
//
// A failed call sets the last error of the file layer (platform/files.h).
#ifndef PLM_PLATFORM_REPLACE_FILE_H
#define PLM_PLATFORM_REPLACE_FILE_H

#include <string>

#include "platform/files.h"

struct PLATFORMREPLACEMENT {
    PLATFORMFILE file = PLATFORM_NO_FILE;        // write the new contents here
    PLATFORMDIR folder = PLATFORM_NO_DIRECTORY;  // holds both names
    std::string temporaryPath;                   // while the temporary file exists, else empty
    std::string finalPath;                       // a link's target if the path was a link
    std::string temporaryLeaf;                   // the last components of both, inside folder
    std::string finalLeaf;
};

// Starts replacing the file at path. A symbolic link at path is resolved to
// the file it points to, which is then the one replaced (the link stays).
// Refuses a final path that exists and is not a regular file (directory,
// device, FIFO, socket), a link that leads nowhere, and a folder that does
// not exist; nothing is created then. The temporary file is created
// exclusively (never opening anything already there) with the permissions of
// the file it replaces, or 0666 less the umask for a new file; its name is
// the final name with a leading dot and a random suffix.
bool PlatformBeginReplacement(const char* path, PLATFORMREPLACEMENT* replacement);
// Flushes the temporary file to the disk, closes it and renames it over the
// final path. On failure the temporary file is removed instead and the final
// path is untouched.
bool PlatformCommitReplacement(PLATFORMREPLACEMENT* replacement);
// Closes and removes the temporary file; the final path is untouched. Does
// nothing for a replacement that was committed or never begun.
void PlatformAbandonReplacement(PLATFORMREPLACEMENT* replacement);

#endif
