// POSIX implementation of file inspection: lstat/stat and readdir.
#include "platform/file_info.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

#include "platform/posix/descriptor.h"
#include "platform/posix/file_error.h"

namespace {

void Describe(const struct stat& st, PLATFORMPATHINFO* info)
{
    if (S_ISDIR(st.st_mode))
        info->kind = PLATFORM_PATH_DIRECTORY;
    else if (S_ISREG(st.st_mode))
        info->kind = PLATFORM_PATH_REGULAR;
    else if (S_ISLNK(st.st_mode))
        info->kind = PLATFORM_PATH_LINK;
    else
        info->kind = PLATFORM_PATH_OTHER;
    info->size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
    info->device = static_cast<uint64_t>(st.st_dev);
    info->inode = static_cast<uint64_t>(st.st_ino);
    info->permissions = static_cast<unsigned>(st.st_mode & 0777);
}

}  // namespace

bool PlatformInspect(const char* path, bool followLinks, PLATFORMPATHINFO* info)
{
    struct stat st;
    int result = followLinks ? stat(path, &st) : lstat(path, &st);
    if (result != 0) {
        *info = PLATFORMPATHINFO{PLATFORM_PATH_MISSING, 0, 0, 0, 0};
        return errno == ENOENT || errno == ENOTDIR || PlatformSetFileErrorFromErrno();
    }
    Describe(st, info);
    return true;
}

bool PlatformInspectFile(PLATFORMFILE file, PLATFORMPATHINFO* info)
{
    struct stat st;
    if (fstat(Descriptor(file), &st) != 0) return PlatformSetFileErrorFromErrno();
    Describe(st, info);
    return true;
}

bool PlatformListDirectory(const char* path, std::vector<std::string>* names)
{
    DIR* listing = opendir(path);
    if (!listing) return PlatformSetFileErrorFromErrno();
    errno = 0;
    while (struct dirent* entry = readdir(listing)) {
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
            names->push_back(entry->d_name);
        errno = 0;
    }
    int code = errno;
    closedir(listing);
    if (code != 0) return PlatformSetFileError(PLATFORM_FILE_FAILED, code);
    return true;
}
