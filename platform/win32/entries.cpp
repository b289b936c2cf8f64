// Paths, held-open directories and entries opened as themselves on Windows.
//
// The "At" calls of the file layer have no openat() to rely on. Instead the
// base directory is held open without delete sharing (so it can be neither
// removed nor renamed while it is used), paths are joined to its final path,
// and every folder on the way below it is opened as itself and held the same
// way while the last component is worked on. What this does not give, unlike
// POSIX: the names are looked up again by the system on each call (the
// pinned handles make that the same folders on Windows, where a folder with
// open handles cannot be renamed, but not under every emulation), and a path
// longer than MAX_PATH is refused.
#include "platform/win32/entries.h"

#include "platform/win32/file_error.h"

#include <cctype>

namespace {

struct CWINDIRECTORY {
    HANDLE handle;
    std::string prefix;  // the folder's final path with a trailing separator
};

CWINDIRECTORY* Record(PLATFORMDIR dir)
{
    return reinterpret_cast<CWINDIRECTORY*>(static_cast<intptr_t>(dir));
}

// Reads one component starting at p[i]; advances i past it and the
// separators after it.
std::string NextComponent(const std::string& p, size_t* i)
{
    size_t start = *i;
    while (*i < p.size() && !IsSeparator(p[*i])) ++*i;
    std::string part = p.substr(start, *i - start);
    while (*i < p.size() && IsSeparator(p[*i])) ++*i;
    return part;
}

std::string WithoutTrailingSeparators(std::string path)
{
    while (!path.empty() && IsSeparator(path.back())) path.pop_back();
    return path;
}

std::string LastComponent(const std::string& path)
{
    std::string trimmed = WithoutTrailingSeparators(path);
    size_t cut = trimmed.find_last_of("/\\:");
    return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// True when final (the final path of the entry opened at path) is the final
// path of its folder plus its own name, long or short.
bool IsItself(const std::string& final, const std::string& folderFinal, const std::string& path)
{
    size_t cut = final.find_last_of('\\');
    if (cut == std::string::npos) return false;
    if (!EqualIgnoringCase(WithoutTrailingSeparators(final.substr(0, cut)),
                           WithoutTrailingSeparators(folderFinal)))
        return false;
    std::string name = final.substr(cut + 1);
    if (EqualIgnoringCase(name, LastComponent(path))) return true;
    char longPath[MAX_PATH];
    DWORD length = GetLongPathNameA(path.c_str(), longPath, MAX_PATH);
    return length > 0 && length < MAX_PATH && EqualIgnoringCase(name, LastComponent(longPath));
}

}  // namespace

CSPLITPATH SplitPath(const char* path)
{
    CSPLITPATH split;
    std::string p(path);
    size_t i = 0;
    if (p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':') {
        split.root = p.substr(0, 2);
        i = 2;
        if (i < p.size() && IsSeparator(p[i])) split.root += '\\';
        while (i < p.size() && IsSeparator(p[i])) ++i;
    } else if (p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1])) {
        i = 2;
        std::string server = NextComponent(p, &i);
        std::string share = NextComponent(p, &i);
        split.root = "\\\\" + server + "\\" + (share.empty() ? "" : share + "\\");
    } else if (!p.empty() && IsSeparator(p[0])) {
        split.root = "\\";
        while (i < p.size() && IsSeparator(p[i])) ++i;
    }
    while (i < p.size()) split.parts.push_back(NextComponent(p, &i));
    return split;
}

std::string FinalPath(HANDLE handle)
{
    std::vector<char> buffer(MAX_PATH + 8);
    DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    DWORD length = GetFinalPathNameByHandleA(handle, buffer.data(), static_cast<DWORD>(buffer.size()), flags);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFinalPathNameByHandleA(handle, buffer.data(), static_cast<DWORD>(buffer.size()), flags);
    }
    if (length == 0 || length >= buffer.size()) return std::string();
    std::string final(buffer.data(), length);
    if (final.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + final.substr(8);
    if (final.compare(0, 4, "\\\\?\\") == 0) return final.substr(4);
    return final;
}

std::string FinalPathOf(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string final = FinalPath(h);
    CloseHandle(h);
    return final;
}

HANDLE OpenEntry(const std::string& path, const std::string& folderFinal, DWORD access, DWORD share,
                 BY_HANDLE_FILE_INFORMATION* info)
{
    DWORD pathAttributes = GetFileAttributesA(path.c_str());
    if (pathAttributes == INVALID_FILE_ATTRIBUTES) {
        PlatformSetFileErrorFromSystem();
        return INVALID_HANDLE_VALUE;
    }
    HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        PlatformSetFileErrorFromSystem();
        return INVALID_HANDLE_VALUE;
    }
    if (!GetFileInformationByHandle(h, info)) {
        PlatformSetFileErrorFromSystem();
        CloseHandle(h);
        return INVALID_HANDLE_VALUE;
    }
    // A link opened as itself shows the attribute on its handle; one that
    // shows it only on its name was followed by the open.
    bool itself = (info->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
                  !(pathAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (itself && !folderFinal.empty()) {
        std::string final = FinalPath(h);
        itself = final.empty() || IsItself(final, folderFinal, path);
    }
    if (!itself) {
        CloseHandle(h);
        PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

bool DeleteOpenEntry(HANDLE entry, const BY_HANDLE_FILE_INFORMATION& info)
{
    // Where the system has it (Windows 10 1809 and later), the name goes at
    // once, even while others hold the file open, and a read-only file needs
    // no change of attributes; a folder emptied that way can be deleted
    // straight after. Elsewhere the name goes when the last handle closes.
    const DWORD DELETE_NOW = 0x1 | 0x2 | 0x10;  // delete, POSIX semantics, ignore read-only
    struct {
        DWORD flags;
    } now = {DELETE_NOW};
    const auto DISPOSITION_EX = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);  // FileDispositionInfoEx
    if (SetFileInformationByHandle(entry, DISPOSITION_EX, &now, sizeof now)) return true;
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    if (SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition)) return true;
    DWORD code = GetLastError();
    if (code == ERROR_ACCESS_DENIED && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
        FILE_BASIC_INFO basic = {};  // zero times: left as they are
        basic.FileAttributes = info.dwFileAttributes & ~DWORD(FILE_ATTRIBUTE_READONLY);
        if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (SetFileInformationByHandle(entry, FileBasicInfo, &basic, sizeof basic) &&
            SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition))
            return true;
        code = GetLastError();
    }
    return PlatformSetFileErrorFromCode(code);
}

PLATFORMDIR PlatformOpenDirectory(const char* path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        PlatformSetFileErrorFromCode(length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE);
        return PLATFORM_NO_DIRECTORY;
    }
    // Links are followed here; no delete sharing keeps the folder in place.
    HANDLE h = CreateFileA(full, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        PlatformSetFileErrorFromSystem();
        return PLATFORM_NO_DIRECTORY;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        PlatformSetFileError(PLATFORM_FILE_MISSING, PLATFORM_ERROR_NOT_DIRECTORY);
        CloseHandle(h);
        return PLATFORM_NO_DIRECTORY;
    }
    std::string final = FinalPath(h);
    if (final.empty()) final = full;
    auto* record = new CWINDIRECTORY{h, WithoutTrailingSeparators(final) + "\\"};
    return PLATFORMDIR(reinterpret_cast<intptr_t>(record));
}

void PlatformCloseDirectory(PLATFORMDIR dir)
{
    if (dir == PLATFORM_NO_DIRECTORY || dir == PLATFORM_CURRENT_DIRECTORY) return;
    CWINDIRECTORY* record = Record(dir);
    CloseHandle(record->handle);
    delete record;
}

std::string DirectoryPath(PLATFORMDIR dir)
{
    if (dir == PLATFORM_NO_DIRECTORY || dir == PLATFORM_CURRENT_DIRECTORY) return std::string();
    return WithoutTrailingSeparators(Record(dir)->prefix);
}

HANDLE DirectoryNativeHandle(PLATFORMDIR dir)
{
    if (dir == PLATFORM_NO_DIRECTORY || dir == PLATFORM_CURRENT_DIRECTORY) return INVALID_HANDLE_VALUE;
    return Record(dir)->handle;
}

CPINNEDPATH::~CPINNEDPATH()
{
    for (HANDLE h : held) CloseHandle(h);
}

bool CPINNEDPATH::Open(PLATFORMDIR base, const char* path)
{
    CSPLITPATH split = SplitPath(path);
    if (split.parts.empty() || base == PLATFORM_NO_DIRECTORY)
        return PlatformSetFileError(PLATFORM_FILE_FAILED, ERROR_INVALID_PARAMETER);
    // Each level: the prefix that names it (with a trailing separator, or
    // empty for the current folder) and its final path.
    std::vector<std::pair<std::string, std::string>> levels;
    if (!split.root.empty())
        levels.push_back({split.root, FinalPathOf(split.root)});
    else if (base == PLATFORM_CURRENT_DIRECTORY)
        levels.push_back({std::string(), FinalPathOf(".")});
    else
        levels.push_back({Record(base)->prefix, FinalPath(Record(base)->handle)});
    for (size_t i = 0; i + 1 < split.parts.size(); ++i) {
        const std::string& part = split.parts[i];
        if (part == ".") continue;
        std::string named = levels.back().first + part;
        if (part == ".." && levels.size() > 1) {
            // Back to the folder before, which is still held.
            CloseHandle(held.back());
            held.pop_back();
            levels.pop_back();
            continue;
        }
        if (part == "..") {  // above the start: not held, looked at as it is
            levels.back() = {named + "\\", FinalPathOf(named)};
            continue;
        }
        BY_HANDLE_FILE_INFORMATION info;
        HANDLE h = OpenEntry(named, levels.back().second, FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &info);
        if (h == INVALID_HANDLE_VALUE) return false;
        held.push_back(h);
        if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
        if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return PlatformSetFileError(PLATFORM_FILE_MISSING, PLATFORM_ERROR_NOT_DIRECTORY);
        levels.push_back({named + "\\", FinalPath(h)});
    }
    leaf = split.parts.back();
    leafPath = levels.back().first + leaf;
    folderFinal = levels.back().second;
    return true;
}
