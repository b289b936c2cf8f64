#include "platform/process.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

std::string PlatformMakeTempDirectory(const char* prefix)
{
    const char* base = getenv("TMPDIR");
    std::string error;
    return PlatformMakeTempDirectoryIn(base && *base ? base : "/tmp", prefix, &error);
}

std::string PlatformMakeTempDirectoryIn(const char* base, const char* prefix, std::string* error)
{
    std::string pattern = std::string(base) + "/" + prefix + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) {
        *error = strerror(errno);
        return std::string();
    }
    return std::string(buffer.data());
}

std::string PlatformTemporaryFolder()
{
    return "/tmp";
}

bool PlatformIsAbsolutePath(const char* path)
{
    return path[0] == '/';
}

std::string PlatformEnvironment(const char* name)
{
    const char* value = getenv(name);
    return value ? std::string(value) : std::string();
}

std::string PlatformProgramDirectory()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return std::string();
    std::string path(buffer, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    if (path[0] != '/' || slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool PlatformPathExists(const char* path)
{
    struct stat st;
    return stat(path, &st) == 0;
}

bool PlatformChangeDirectory(const char* path)
{
    return chdir(path) == 0;
}

std::string PlatformCurrentDirectory()
{
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer)) return std::string();
    return std::string(buffer);
}

std::string PlatformAbsolutePath(const char* path)
{
    if (path[0] == '/') return std::string(path);
    std::string current = PlatformCurrentDirectory();
    if (current.empty()) return std::string();
    return current + "/" + path;
}

PLATFORMPATHKIND PlatformPathKind(const char* path)
{
    struct stat st;
    if (stat(path, &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? PLATFORM_PATH_MISSING : PLATFORM_PATH_OTHER;
    if (S_ISDIR(st.st_mode)) return PLATFORM_PATH_DIRECTORY;
    return S_ISREG(st.st_mode) ? PLATFORM_PATH_REGULAR : PLATFORM_PATH_OTHER;
}

std::string PlatformResolvePath(const char* path)
{
    std::string absolute = PlatformAbsolutePath(path);
    std::string head = absolute, tail;
    for (;;) {
        if (char* real = realpath(head.c_str(), nullptr)) {
            std::string resolved(real);
            free(real);
            if (tail.empty()) return resolved;
            return (resolved == "/" ? "" : resolved) + "/" + tail;
        }
        size_t slash = head.find_last_of('/');
        if (errno != ENOENT || slash == std::string::npos || head == "/") return absolute;
        std::string leaf = head.substr(slash + 1);
        if (!leaf.empty()) tail = tail.empty() ? leaf : leaf + "/" + tail;
        head = slash == 0 ? "/" : head.substr(0, slash);
    }
}

bool PlatformCanCreateIn(const char* directory, std::string* reason)
{
    std::string pattern = std::string(directory) + "/.write-probe-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) {
        if (reason) *reason = std::strerror(errno);
        return false;
    }
    rmdir(buffer.data());
    return true;
}
