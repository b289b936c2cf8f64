#include "platform/process.h"

#include <SDL.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
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
