// Windows implementation of process facts: GetTempPathA, folders made with
// CreateDirectoryA under an access list of their own, GetModuleFileNameA,
// the environment block, the current folder and full path names.
#include "platform/process.h"

#include "platform/win32/entries.h"
#include "platform/win32/file_error.h"

#include <sddl.h>

#include <atomic>
#include <cstdint>
#include <vector>

namespace {

const int CREATE_ATTEMPTS = 100;
std::atomic<uint64_t> nameCounter{0};

// Six characters for a fresh name: unpredictable enough to others, while
// CreateDirectoryA's failure on an existing name keeps it unique.
std::string RandomSuffix()
{
    static const char LETTERS[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    uint64_t seed = uint64_t(now.QuadPart) ^ (uint64_t(GetCurrentProcessId()) << 32) ^
                    (uint64_t(GetCurrentThreadId()) << 16) ^ (++nameCounter * 0x9E3779B97F4A7C15ull);
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        suffix += LETTERS[(seed >> 33) % (sizeof LETTERS - 1)];
    }
    return suffix;
}

// The string form of the running user's security identifier; "" if the
// system cannot tell.
std::string UserSid()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::string();
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<uint8_t> buffer(size ? size : 1);
    std::string text;
    char* sid = nullptr;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

// The stand-in for mode 0700: a protected access list (nothing inherited
// from the folder above) that grants the running user everything, inherited
// by whatever is made inside. Null when it cannot be built; the caller then
// refuses to make the folder.
PSECURITY_DESCRIPTOR PrivateDescriptor()
{
    std::string sid = UserSid();
    if (sid.empty()) return nullptr;
    std::string text = "D:P(A;OICI;FA;;;" + sid + ")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(text.c_str(), SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return nullptr;
    return descriptor;
}

std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && IsSeparator(path.back()) && path[path.size() - 2] != ':') path.pop_back();
    return path;
}

// Makes a uniquely named folder base/prefixXXXXXX (with security, if not
// null); returns its path or "" with the system's code in *code.
std::string MakeUniqueFolder(const std::string& base, const char* prefix, PSECURITY_DESCRIPTOR security,
                             DWORD* code)
{
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, security, FALSE};
    std::string folder = WithoutTrailingSeparators(base);
    std::string separator = folder.empty() || IsSeparator(folder.back()) ? "" : "/";
    for (int attempt = 0; attempt < CREATE_ATTEMPTS; ++attempt) {
        std::string path = folder + separator + prefix + RandomSuffix();
        if (CreateDirectoryA(path.c_str(), security ? &attributes : nullptr)) return path;
        *code = GetLastError();
        if (*code != ERROR_ALREADY_EXISTS && *code != ERROR_FILE_EXISTS) return std::string();
    }
    return std::string();
}

}  // namespace

std::string PlatformTemporaryFolder()
{
    char base[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) return "C:\\Windows\\Temp";
    return WithoutTrailingSeparators(std::string(base, length));
}

bool PlatformIsAbsolutePath(const char* path)
{
    CSPLITPATH split = SplitPath(path);
    return split.root.size() >= 3 && (IsSeparator(split.root[0]) || split.root[1] == ':');
}

std::string PlatformMakeTempDirectory(const char* prefix)
{
    std::string error;
    return PlatformMakeTempDirectoryIn(PlatformTemporaryFolder().c_str(), prefix, &error);
}

std::string PlatformMakeTempDirectoryIn(const char* base, const char* prefix, std::string* error)
{
    PSECURITY_DESCRIPTOR security = PrivateDescriptor();
    if (!security) {
        *error = "cannot build a private access list: " + PlatformErrorText(GetLastError());
        return std::string();
    }
    DWORD code = ERROR_ALREADY_EXISTS;
    std::string made = MakeUniqueFolder(base, prefix, security, &code);
    LocalFree(security);
    if (made.empty()) *error = PlatformErrorText(code);
    return made;
}

std::string PlatformEnvironment(const char* name)
{
    std::vector<char> buffer(256);
    for (;;) {
        SetLastError(NO_ERROR);
        DWORD length = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

std::string PlatformProgramDirectory()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) {
            std::string path(buffer.data(), length);
            size_t cut = path.find_last_of("\\/");
            if (cut == std::string::npos) return std::string();
            return path.substr(0, cut == 2 && path[1] == ':' ? cut + 1 : cut);
        }
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

bool PlatformPathExists(const char* path)
{
    return PlatformPathKind(path) != PLATFORM_PATH_MISSING;
}

bool PlatformChangeDirectory(const char* path)
{
    return SetCurrentDirectoryA(path) != 0;
}

std::string PlatformCurrentDirectory()
{
    DWORD length = GetCurrentDirectoryA(0, nullptr);
    if (length == 0) return std::string();
    std::vector<char> buffer(length + 1);
    length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) return std::string();
    return std::string(buffer.data(), length);
}

std::string PlatformAbsolutePath(const char* path)
{
    if (!*path) return PlatformCurrentDirectory();
    DWORD length = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (length == 0) return std::string();
    std::vector<char> buffer(length + 1);
    length = GetFullPathNameA(path, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0 || length >= buffer.size()) return std::string();
    return std::string(buffer.data(), length);
}

PLATFORMPATHKIND PlatformPathKind(const char* path)
{
    PLATFORMPATHINFO info;
    if (!PlatformInspect(path, true, &info)) return PLATFORM_PATH_OTHER;
    return info.kind == PLATFORM_PATH_LINK ? PLATFORM_PATH_OTHER : info.kind;
}

std::string PlatformResolvePath(const char* path)
{
    std::string absolute = PlatformAbsolutePath(path);
    if (absolute.empty()) return absolute;
    // The longest part that exists, resolved through its handle; the rest
    // appended as written.
    std::string head = WithoutTrailingSeparators(absolute), tail;
    for (;;) {
        std::string final = FinalPathOf(head);
        if (!final.empty()) {
            if (tail.empty()) return final;
            return final + (IsSeparator(final.back()) ? "" : "\\") + tail;
        }
        size_t cut = head.find_last_of("\\/");
        if (cut == std::string::npos || cut + 1 >= head.size()) return absolute;
        std::string leaf = head.substr(cut + 1);
        tail = tail.empty() ? leaf : leaf + "\\" + tail;
        head = head.substr(0, cut == 2 && head[1] == ':' ? cut + 1 : cut);
    }
}

bool PlatformCanCreateIn(const char* directory, std::string* reason)
{
    DWORD code = ERROR_ALREADY_EXISTS;
    std::string made = MakeUniqueFolder(directory, ".write-probe-", nullptr, &code);
    if (made.empty()) {
        if (reason) *reason = PlatformErrorText(code);
        return false;
    }
    RemoveDirectoryA(made.c_str());
    return true;
}
