// POSIX implementation of the file layer. Paths are walked component by
// component with openat(O_NOFOLLOW), so every directory on the way is known
// not to be a symbolic link and stays pinned while the last component is
// created, written or removed.
#include "platform/files.h"
#include "platform/posix/descriptor.h"
#include "platform/posix/file_error.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

thread_local PLATFORMFILEERROR lastError = PLATFORM_FILE_OK;
thread_local int lastErrno = 0;

bool Fail(PLATFORMFILEERROR kind, int code)
{
    lastError = kind;
    lastErrno = code;
    return false;
}

bool FailErrno()
{
    return Fail(PLATFORM_FILE_FAILED, errno);
}

void CloseQuietly(int fd)
{
    if (fd >= 0) {
        int saved = errno;
        close(fd);
        errno = saved;
    }
}

// Splits path into its non-empty components.
std::vector<std::string> SplitPath(const char* path)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char* p = path; *p; ++p) {
        if (*p != '/') {
            part += *p;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// Records why name (inside directory dir) could not be opened or made.
bool FailOnEntry(int dir, const std::string& name, int code)
{
    struct stat st;
    if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
        return Fail(PLATFORM_FILE_SYMLINK, ELOOP);
    if (code == ENOENT || code == ENOTDIR) return Fail(PLATFORM_FILE_MISSING, code);
    return Fail(PLATFORM_FILE_FAILED, code);
}

// Opens directory name inside dir without following a link.
int OpenSubdirectory(int dir, const std::string& name)
{
    int fd = openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) FailOnEntry(dir, name, errno);
    return fd;
}

// Opens the directory that holds the last component of path (relative to
// base unless absolute), walking every component before it without following
// links. Returns its descriptor (the caller closes it) and the last component
// in *leaf, or -1.
int OpenParent(PLATFORMDIR base, const char* path, std::string* leaf)
{
    std::vector<std::string> parts = SplitPath(path);
    if (parts.empty() || base == PLATFORM_NO_DIRECTORY) {
        Fail(PLATFORM_FILE_FAILED, parts.empty() ? EINVAL : EBADF);
        return -1;
    }
    int dir = path[0] == '/' ? open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                             : openat(Descriptor(base), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) FailErrno();
    for (size_t i = 0; dir >= 0 && i + 1 < parts.size(); ++i) {
        int next = OpenSubdirectory(dir, parts[i]);
        CloseQuietly(dir);
        dir = next;
    }
    *leaf = parts.back();
    return dir;
}

// Makes the way free for a new file at name: refuses what may not be
// replaced and unlinks a hard-linked file so its other names stay intact.
bool PrepareFileSlot(int dir, const std::string& name)
{
    struct stat st;
    if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? true : FailErrno();
    if (S_ISLNK(st.st_mode)) return Fail(PLATFORM_FILE_SYMLINK, ELOOP);
    if (!S_ISREG(st.st_mode))
        return Fail(PLATFORM_FILE_FAILED, S_ISDIR(st.st_mode) ? EISDIR : PLATFORM_NOT_REGULAR);
    if (st.st_nlink > 1 && unlinkat(dir, name.c_str(), 0) != 0) return FailErrno();
    return true;
}

// Checks that fd is a regular file and switches it back to blocking mode.
bool FinishOpen(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0) return FailErrno();
    if (!S_ISREG(st.st_mode))
        return Fail(PLATFORM_FILE_FAILED, S_ISDIR(st.st_mode) ? EISDIR : PLATFORM_NOT_REGULAR);
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return FailErrno();
    return true;
}

}  // namespace

PLATFORMFILE PlatformOpenRead(const char* path)
{
    // Non-blocking so that a FIFO in place of the file cannot hang the open.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        FailErrno();
        return PLATFORM_NO_FILE;
    }
    if (!FinishOpen(fd)) {
        CloseQuietly(fd);
        return PLATFORM_NO_FILE;
    }
    return FileHandle(fd);
}

int64_t PlatformRead(PLATFORMFILE file, void* buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t n = read(Descriptor(file), static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FailErrno(), -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

int64_t PlatformFileSize(PLATFORMFILE file)
{
    struct stat st;
    if (fstat(Descriptor(file), &st) != 0) return FailErrno(), -1;
    return static_cast<int64_t>(st.st_size);
}

bool PlatformSeek(PLATFORMFILE file, int64_t offset)
{
    if (lseek(Descriptor(file), static_cast<off_t>(offset), SEEK_SET) < 0) return FailErrno();
    return true;
}

PLATFORMDIR PlatformOpenDirectory(const char* path)
{
    int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) PlatformSetFileErrorFromErrno();
    return DirectoryHandle(fd);
}

void PlatformCloseDirectory(PLATFORMDIR dir)
{
    if (Descriptor(dir) >= 0) CloseQuietly(Descriptor(dir));
}

PLATFORMFILE PlatformCreateFile(const char* path)
{
    return PlatformCreateFileAt(PLATFORM_CURRENT_DIRECTORY, path);
}

PLATFORMFILE PlatformCreateFileAt(PLATFORMDIR base, const char* path)
{
    std::string leaf;
    int dir = OpenParent(base, path, &leaf);
    if (dir < 0) return PLATFORM_NO_FILE;
    int fd = -1;
    if (PrepareFileSlot(dir, leaf)) {
        fd = openat(dir, leaf.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                    0644);
        if (fd < 0)
            FailOnEntry(dir, leaf, errno);
        else if (!FinishOpen(fd))
            CloseQuietly(fd), fd = -1;
    }
    CloseQuietly(dir);
    return FileHandle(fd);
}

bool PlatformWrite(PLATFORMFILE file, const void* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(Descriptor(file), static_cast<const char*>(data) + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Fail(PLATFORM_FILE_FAILED, n < 0 ? errno : ENOSPC);
        done += static_cast<size_t>(n);
    }
    return true;
}

bool PlatformClose(PLATFORMFILE file)
{
    if (file == PLATFORM_NO_FILE) return true;
    if (close(Descriptor(file)) != 0 && errno != EINTR) return FailErrno();
    return true;
}

bool PlatformMakeDirectory(const char* path)
{
    return PlatformMakeDirectoryAt(PLATFORM_CURRENT_DIRECTORY, path, false);
}

bool PlatformMakeDirectoryAt(PLATFORMDIR base, const char* path, bool mustBeNew)
{
    std::string leaf;
    int dir = OpenParent(base, path, &leaf);
    if (dir < 0) return false;
    bool ok = mkdirat(dir, leaf.c_str(), 0755) == 0;
    if (!ok && errno == EEXIST && mustBeNew) {
        Fail(PLATFORM_FILE_FAILED, EEXIST);
    } else if (!ok && errno == EEXIST) {
        struct stat st;
        if (fstatat(dir, leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            FailErrno();
        else if (S_ISLNK(st.st_mode))
            Fail(PLATFORM_FILE_SYMLINK, ELOOP);
        else if (!S_ISDIR(st.st_mode))
            Fail(PLATFORM_FILE_FAILED, ENOTDIR);
        else
            ok = true;
    } else if (!ok) {
        FailOnEntry(dir, leaf, errno);
    }
    CloseQuietly(dir);
    return ok;
}

namespace {

// Unlinks every entry of directory fd that is not a directory, and returns
// the name of the first subdirectory found in *subdirectory (empty if none).
bool ClearFilesIn(int fd, std::string* subdirectory)
{
    subdirectory->clear();
    int copy = dup(fd);
    DIR* listing = copy >= 0 ? fdopendir(copy) : nullptr;
    if (!listing) {
        CloseQuietly(copy);
        return FailErrno();
    }
    bool ok = true;
    while (struct dirent* entry = readdir(listing)) {
        const char* name = entry->d_name;
        if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
        struct stat st;
        if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            ok = errno == ENOENT ? ok : FailErrno();
        } else if (S_ISDIR(st.st_mode)) {
            if (subdirectory->empty()) *subdirectory = name;
        } else if (unlinkat(fd, name, 0) != 0 && errno != ENOENT) {
            ok = FailErrno();
        }
        if (!ok) break;
    }
    closedir(listing);
    return ok;
}

// Empties and removes directory name inside parent. Depth first without
// recursion: it holds one descriptor for the directory being emptied and
// climbs back through "..", remembering only the names on the way down.
bool RemoveDirectory(int parent, const std::string& name)
{
    int fd = OpenSubdirectory(parent, name);
    std::vector<std::string> below;
    std::string sub;
    bool ok = fd >= 0;
    while (ok) {
        ok = ClearFilesIn(fd, &sub);
        if (!ok) break;
        int next = -1;
        if (!sub.empty()) {
            next = OpenSubdirectory(fd, sub);
            below.push_back(sub);
        } else if (!below.empty()) {
            next = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (next < 0)
                FailErrno();
            else if (unlinkat(next, below.back().c_str(), AT_REMOVEDIR) != 0)
                FailErrno(), CloseQuietly(next), next = -1;
            below.pop_back();
        } else {
            break;
        }
        CloseQuietly(fd);
        fd = next;
        ok = fd >= 0;
    }
    CloseQuietly(fd);
    if (ok && unlinkat(parent, name.c_str(), AT_REMOVEDIR) != 0) ok = FailErrno();
    return ok;
}

}  // namespace

bool PlatformRemoveTree(const char* path)
{
    return PlatformRemoveTreeAt(PLATFORM_CURRENT_DIRECTORY, path);
}

bool PlatformRemoveTreeAt(PLATFORMDIR base, const char* path)
{
    std::string leaf;
    int dir = OpenParent(base, path, &leaf);
    if (dir < 0) return lastError == PLATFORM_FILE_MISSING;
    if (leaf == "." || leaf == "..") {
        CloseQuietly(dir);
        return Fail(PLATFORM_FILE_FAILED, EINVAL);
    }
    struct stat st;
    bool ok;
    if (fstatat(dir, leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        ok = errno == ENOENT ? true : FailErrno();
    else if (S_ISDIR(st.st_mode))
        ok = RemoveDirectory(dir, leaf);
    else
        ok = unlinkat(dir, leaf.c_str(), 0) == 0 || FailErrno();
    CloseQuietly(dir);
    return ok;
}

bool PlatformSetFileError(PLATFORMFILEERROR kind, int code)
{
    return Fail(kind, code);
}

bool PlatformSetFileErrorFromErrno()
{
    int code = errno;
    return Fail(code == ENOENT || code == ENOTDIR ? PLATFORM_FILE_MISSING : PLATFORM_FILE_FAILED, code);
}

PLATFORMFILEERROR PlatformLastFileError()
{
    return lastError;
}

const char* PlatformLastFileErrorText()
{
    if (lastError == PLATFORM_FILE_SYMLINK) return "symbolic link in the way";
    if (lastErrno == PLATFORM_NOT_REGULAR) return "not a regular file";
    return strerror(lastErrno);
}
