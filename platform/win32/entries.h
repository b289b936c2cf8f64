// Inside the Windows backend only: the file layer's handles, paths split at
// either separator, and directory entries opened as themselves, never
// through a link.
//
// A link shows in one of two ways. On Windows a symbolic link or junction
// carries the reparse-point attribute, and opening it with
// FILE_FLAG_OPEN_REPARSE_POINT gives the link itself. Under Wine a symbolic
// link of the host shows the attribute only when it leads to a folder, the
// open follows it anyway, and the delete calls would remove its target. So
// an entry counts as opened as itself only when its handle's final path is
// its folder's final path plus its own name: a handle that went through a
// link has its target's path.
#ifndef PLM_PLATFORM_WIN32_ENTRIES_H
#define PLM_PLATFORM_WIN32_ENTRIES_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

inline HANDLE NativeHandle(PLATFORMFILE file)
{
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(file));
}
// The handle of h; PLATFORM_NO_FILE for an invalid or null one.
inline PLATFORMFILE FileHandle(HANDLE h)
{
    return h == INVALID_HANDLE_VALUE || !h ? PLATFORM_NO_FILE : PLATFORMFILE(reinterpret_cast<intptr_t>(h));
}

inline bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// A path taken apart: root is "" for a relative path, else the part that
// names a drive or share ("C:\", "\\server\share\", "\" for the current
// drive, "C:" for a drive's current folder); parts are the non-empty
// components after it.
struct CSPLITPATH {
    std::string root;
    std::vector<std::string> parts;
};
CSPLITPATH SplitPath(const char* path);

// The absolute path of an open directory from PlatformOpenDirectory (no
// trailing separator), or "" for PLATFORM_CURRENT_DIRECTORY.
std::string DirectoryPath(PLATFORMDIR dir);
// The handle a directory from PlatformOpenDirectory holds open.
HANDLE DirectoryNativeHandle(PLATFORMDIR dir);

// The final path of an open handle without the "\\?\" prefix; "" when the
// system cannot tell.
std::string FinalPath(HANDLE handle);
// The final path of the folder at path (followed if a link); "" when it
// cannot be opened.
std::string FinalPathOf(const std::string& path);

// Opens the entry at path as itself (never through a link), with access and
// share. folderFinal is the final path of the folder that holds it ("" when
// unknown: then only the attributes are checked). On success *info
// describes the entry; its reparse attribute is set for a link opened as
// itself. INVALID_HANDLE_VALUE on failure with the file layer's last error
// set: PLATFORM_FILE_MISSING when nothing is there, PLATFORM_FILE_SYMLINK
// when the entry is a link that cannot be opened as itself.
HANDLE OpenEntry(const std::string& path, const std::string& folderFinal, DWORD access, DWORD share,
                 BY_HANDLE_FILE_INFORMATION* info);
// Deletes the entry open as entry (with DELETE and FILE_WRITE_ATTRIBUTES
// access) when its last handle closes; a read-only file loses that
// attribute first. A folder must be empty.
bool DeleteOpenEntry(HANDLE entry, const BY_HANDLE_FILE_INFORMATION& info);

// The folders on the way to the last component of a path, each opened as
// itself and held open without delete sharing, so that none of them can be
// removed, renamed or replaced by a link while a call works on the last
// component.
class CPINNEDPATH {
public:
    CPINNEDPATH() = default;
    ~CPINNEDPATH();
    CPINNEDPATH(const CPINNEDPATH&) = delete;
    CPINNEDPATH& operator=(const CPINNEDPATH&) = delete;

    // Walks path (relative to base unless absolute). False with the last
    // error set when a folder on the way is missing, not a folder or a link.
    bool Open(PLATFORMDIR base, const char* path);

    const std::string& Leaf() const { return leaf; }          // the last component
    const std::string& LeafPath() const { return leafPath; }  // the path to use for it
    const std::string& FolderFinal() const { return folderFinal; }

private:
    std::vector<HANDLE> held;
    std::string leaf, leafPath, folderFinal;
};

#endif
