#include "platform/process.h"

#include <SDL.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

std::string PlatformMakeTempDirectory(const char* prefix)
{
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + prefix + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        return std::string();
    return std::string(buffer.data());
}

bool PlatformChangeDirectory(const char* path)
{
    return chdir(path) == 0;
}

std::string PlatformCurrentDirectory()
{
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        return std::string();
    return std::string(buffer);
}

std::string PlatformAbsolutePath(const char* path)
{
    if (path[0] == '/')
        return std::string(path);
    std::string current = PlatformCurrentDirectory();
    if (current.empty())
        return std::string();
    return current + "/" + path;
}

void PlatformUseOffscreenVideo()
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
}

void PlatformUseSilentAudio()
{
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
}

PLATFORMPATHKIND PlatformPathKind(const char* path)
{
    struct stat st;
    if (stat(path, &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? PLATFORM_PATH_MISSING : PLATFORM_PATH_OTHER;
    if (S_ISDIR(st.st_mode))
        return PLATFORM_PATH_DIRECTORY;
    return S_ISREG(st.st_mode) ? PLATFORM_PATH_FILE : PLATFORM_PATH_OTHER;
}

std::string PlatformResolvePath(const char* path)
{
    std::string absolute = PlatformAbsolutePath(path);
    std::string head = absolute, tail;
    for (;;) {
        if (char* real = realpath(head.c_str(), nullptr)) {
            std::string resolved(real);
            free(real);
            if (tail.empty())
                return resolved;
            return (resolved == "/" ? "" : resolved) + "/" + tail;
        }
        size_t slash = head.find_last_of('/');
        if (errno != ENOENT || slash == std::string::npos || head == "/")
            return absolute;
        std::string leaf = head.substr(slash + 1);
        if (!leaf.empty())
            tail = tail.empty() ? leaf : leaf + "/" + tail;
        head = slash == 0 ? "/" : head.substr(0, slash);
    }
}

bool PlatformCanCreateIn(const char* directory, std::string* reason)
{
    std::string pattern = std::string(directory) + "/.write-probe-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) {
        if (reason)
            *reason = std::strerror(errno);
        return false;
    }
    rmdir(buffer.data());
    return true;
}
