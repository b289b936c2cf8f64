// POSIX implementation of whole-file replacement: O_EXCL creation of the
// temporary file, fsync, then renameat() inside one pinned folder.
#include "platform/replace_file.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/posix/descriptor.h"
#include "platform/posix/file_error.h"

namespace {

const int CREATE_ATTEMPTS = 100;

// Splits path into its folder and last component; false for a path that
// names a folder ("", "x/", ".", "..").
bool SplitFinal(const std::string& path, std::string* folder, std::string* leaf)
{
    size_t slash = path.find_last_of('/');
    *leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    if (slash == std::string::npos)
        *folder = ".";
    else
        *folder = slash == 0 ? "/" : path.substr(0, slash);
    return !leaf->empty() && *leaf != "." && *leaf != "..";
}

// The path itself, or for a symbolic link the file it leads to.
bool ResolveFinal(const char* path, std::string* final)
{
    struct stat st;
    if (lstat(path, &st) != 0 || !S_ISLNK(st.st_mode)) {
        *final = path;
        return true;
    }
    char resolved[PATH_MAX];
    if (!realpath(path, resolved)) return PlatformSetFileErrorFromErrno();
    *final = resolved;
    return true;
}

// Refuses anything at leaf that is not a regular file. *existing tells
// whether a file is there; *permissions gets the bits for the new file (those
// of the existing one, or 0666 before the umask).
bool CheckFinalSlot(int folder, const std::string& leaf, bool* existing, mode_t* permissions)
{
    struct stat st;
    *existing = false;
    *permissions = 0666;
    if (fstatat(folder, leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT || PlatformSetFileErrorFromErrno();
    if (S_ISDIR(st.st_mode)) return PlatformSetFileError(PLATFORM_FILE_FAILED, EISDIR);
    if (S_ISLNK(st.st_mode)) return PlatformSetFileError(PLATFORM_FILE_SYMLINK, ELOOP);
    if (!S_ISREG(st.st_mode)) return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_NOT_REGULAR);
    *existing = true;
    *permissions = st.st_mode & 07777;
    return true;
}

std::string RandomSuffix(unsigned attempt)
{
    static const char LETTERS[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t seed = uint64_t(now.tv_nsec) ^ (uint64_t(now.tv_sec) << 30) ^ (uint64_t(getpid()) << 16) ^
                    (uint64_t(attempt) * 0x9E3779B97F4A7C15ull);
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        suffix += LETTERS[(seed >> 33) % (sizeof LETTERS - 1)];
    }
    return suffix;
}

// Creates the temporary file next to the final one; never opens an existing
// file. A new file gets 0666 less the umask from the creation itself; one
// that replaces a file gets that file's bits.
int CreateTemporary(PLATFORMREPLACEMENT* r, bool existing, mode_t permissions)
{
    for (int attempt = 0; attempt < CREATE_ATTEMPTS; ++attempt) {
        std::string leaf = "." + r->finalLeaf + "." + RandomSuffix(unsigned(attempt));
        int fd = openat(Descriptor(r->folder), leaf.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, existing ? 0600 : permissions);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return PlatformSetFileErrorFromErrno(), -1;
        if (existing && fchmod(fd, permissions) != 0) {
            PlatformSetFileErrorFromErrno();
            unlinkat(Descriptor(r->folder), leaf.c_str(), 0);
            close(fd);
            return -1;
        }
        r->temporaryLeaf = leaf;
        size_t slash = r->finalPath.find_last_of('/');
        r->temporaryPath = slash == std::string::npos ? leaf : r->finalPath.substr(0, slash + 1) + leaf;
        return fd;
    }
    PlatformSetFileError(PLATFORM_FILE_FAILED, EEXIST);
    return -1;
}

}  // namespace

bool PlatformBeginReplacement(const char* path, PLATFORMREPLACEMENT* r)
{
    std::string folder;
    if (!ResolveFinal(path, &r->finalPath)) return false;
    if (!SplitFinal(r->finalPath, &folder, &r->finalLeaf))
        return PlatformSetFileError(PLATFORM_FILE_FAILED, EISDIR);
    r->folder = PlatformOpenDirectory(folder.c_str());
    if (r->folder == PLATFORM_NO_DIRECTORY) return false;
    bool existing;
    mode_t permissions;
    if (CheckFinalSlot(Descriptor(r->folder), r->finalLeaf, &existing, &permissions))
        r->file = FileHandle(CreateTemporary(r, existing, permissions));
    if (r->file == PLATFORM_NO_FILE) {
        PlatformCloseDirectory(r->folder);
        r->folder = PLATFORM_NO_DIRECTORY;
        return false;
    }
    return true;
}

bool PlatformCommitReplacement(PLATFORMREPLACEMENT* r)
{
    bool existing;
    mode_t permissions;
    bool ok = fsync(Descriptor(r->file)) == 0 || PlatformSetFileErrorFromErrno();
    ok = (close(Descriptor(r->file)) == 0 || errno == EINTR || PlatformSetFileErrorFromErrno()) && ok;
    r->file = PLATFORM_NO_FILE;
    // Checked again just before the rename: a directory or device put there
    // meanwhile is not replaced.
    ok = ok && CheckFinalSlot(Descriptor(r->folder), r->finalLeaf, &existing, &permissions);
    ok = ok && (renameat(Descriptor(r->folder), r->temporaryLeaf.c_str(), Descriptor(r->folder),
                         r->finalLeaf.c_str()) == 0 ||
                PlatformSetFileErrorFromErrno());
    if (!ok) {
        PlatformAbandonReplacement(r);
        return false;
    }
    r->temporaryPath.clear();
    r->temporaryLeaf.clear();
    fsync(Descriptor(r->folder));  // makes the new name durable; a folder that cannot be synced is no error
    PlatformCloseDirectory(r->folder);
    r->folder = PLATFORM_NO_DIRECTORY;
    return true;
}

void PlatformAbandonReplacement(PLATFORMREPLACEMENT* r)
{
    if (r->file != PLATFORM_NO_FILE) close(Descriptor(r->file));
    r->file = PLATFORM_NO_FILE;
    if (!r->temporaryLeaf.empty() && r->folder != PLATFORM_NO_DIRECTORY)
        unlinkat(Descriptor(r->folder), r->temporaryLeaf.c_str(), 0);
    r->temporaryPath.clear();
    r->temporaryLeaf.clear();
    PlatformCloseDirectory(r->folder);
    r->folder = PLATFORM_NO_DIRECTORY;
}
