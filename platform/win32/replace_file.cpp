// Windows implementation of whole-file replacement: the temporary file is
// made with CREATE_NEW in the held-open folder of the final path, flushed
// with FlushFileBuffers, and moved over the final name with MoveFileExA
// (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). Permissions: the new
// file gets the folder's inherited access list, as a new file there would.
#include "platform/replace_file.h"

#include "platform/file_info.h"
#include "platform/win32/entries.h"
#include "platform/win32/file_error.h"

#include <cstdint>

namespace {

const int CREATE_ATTEMPTS = 100;

bool LastIsSeparator(const std::string& path)
{
    return !path.empty() && IsSeparator(path.back());
}

// Splits path into its folder and last component; false for a path that
// names a folder ("", "x/", ".", "..", "C:").
bool SplitFinal(const std::string& path, std::string* folder, std::string* leaf)
{
    size_t cut = path.find_last_of("/\\:");
    *leaf = cut == std::string::npos ? path : path.substr(cut + 1);
    if (cut == std::string::npos)
        *folder = ".";
    else
        *folder = path.substr(0, cut + 1);  // keeps "C:\" and "\" whole
    return !leaf->empty() && *leaf != "." && *leaf != "..";
}

// The path itself, or for a link the file it leads to.
bool ResolveFinal(const char* path, std::string* final)
{
    PLATFORMPATHINFO info;
    *final = path;
    if (!PlatformInspect(path, false, &info) || info.kind != PLATFORM_PATH_LINK) return true;
    std::string target = FinalPathOf(path);
    if (target.empty()) return PlatformSetFileErrorFromSystem();
    *final = target;
    return true;
}

// The path of leaf inside the replacement's folder.
std::string InFolder(const PLATFORMREPLACEMENT& r, const std::string& leaf)
{
    std::string folder = DirectoryPath(r.folder);
    return folder + (LastIsSeparator(folder) ? "" : "\\") + leaf;
}

// Refuses anything at the final name that is not a regular file.
bool CheckFinalSlot(const PLATFORMREPLACEMENT& r)
{
    BY_HANDLE_FILE_INFORMATION info;
    HANDLE h = OpenEntry(InFolder(r, r.finalLeaf), FinalPath(DirectoryNativeHandle(r.folder)),
                         FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &info);
    if (h == INVALID_HANDLE_VALUE) return PlatformLastFileError() == PLATFORM_FILE_MISSING;
    DWORD type = GetFileType(h);
    CloseHandle(h);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_IS_DIRECTORY);
    if (type != FILE_TYPE_DISK) return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_NOT_REGULAR);
    return true;
}

std::string RandomSuffix(unsigned attempt)
{
    static const char LETTERS[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    uint64_t seed = uint64_t(now.QuadPart) ^ (uint64_t(GetCurrentProcessId()) << 32) ^
                    (uint64_t(attempt) * 0x9E3779B97F4A7C15ull);
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        suffix += LETTERS[(seed >> 33) % (sizeof LETTERS - 1)];
    }
    return suffix;
}

// Creates the temporary file next to the final one; never opens an existing
// file.
HANDLE CreateTemporary(PLATFORMREPLACEMENT* r)
{
    std::string folder = DirectoryPath(r->folder);
    for (int attempt = 0; attempt < CREATE_ATTEMPTS; ++attempt) {
        std::string leaf = "." + r->finalLeaf + "." + RandomSuffix(unsigned(attempt));
        HANDLE h = CreateFileA((folder + "\\" + leaf).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            DWORD code = GetLastError();
            if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) continue;
            PlatformSetFileErrorFromCode(code);
            return INVALID_HANDLE_VALUE;
        }
        r->temporaryLeaf = leaf;
        size_t cut = r->finalPath.find_last_of("/\\:");
        r->temporaryPath = cut == std::string::npos ? leaf : r->finalPath.substr(0, cut + 1) + leaf;
        return h;
    }
    PlatformSetFileError(PLATFORM_FILE_FAILED, ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool PlatformBeginReplacement(const char* path, PLATFORMREPLACEMENT* r)
{
    std::string folder;
    if (!ResolveFinal(path, &r->finalPath)) return false;
    if (!SplitFinal(r->finalPath, &folder, &r->finalLeaf))
        return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_IS_DIRECTORY);
    r->folder = PlatformOpenDirectory(folder.c_str());
    if (r->folder == PLATFORM_NO_DIRECTORY) return false;
    if (CheckFinalSlot(*r)) r->file = FileHandle(CreateTemporary(r));
    if (r->file == PLATFORM_NO_FILE) {
        PlatformCloseDirectory(r->folder);
        r->folder = PLATFORM_NO_DIRECTORY;
        return false;
    }
    return true;
}

bool PlatformCommitReplacement(PLATFORMREPLACEMENT* r)
{
    HANDLE h = NativeHandle(r->file);
    bool ok = FlushFileBuffers(h) || PlatformSetFileErrorFromSystem();
    ok = (CloseHandle(h) || PlatformSetFileErrorFromSystem()) && ok;
    r->file = PLATFORM_NO_FILE;
    // Checked again just before the move: a folder or device put there
    // meanwhile is not replaced.
    ok = ok && CheckFinalSlot(*r);
    ok = ok && (MoveFileExA(InFolder(*r, r->temporaryLeaf).c_str(), InFolder(*r, r->finalLeaf).c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
                PlatformSetFileErrorFromSystem());
    if (!ok) {
        PlatformAbandonReplacement(r);
        return false;
    }
    r->temporaryPath.clear();
    r->temporaryLeaf.clear();
    PlatformCloseDirectory(r->folder);
    r->folder = PLATFORM_NO_DIRECTORY;
    return true;
}

void PlatformAbandonReplacement(PLATFORMREPLACEMENT* r)
{
    if (r->file != PLATFORM_NO_FILE) CloseHandle(NativeHandle(r->file));
    r->file = PLATFORM_NO_FILE;
    if (!r->temporaryLeaf.empty() && r->folder != PLATFORM_NO_DIRECTORY)
        DeleteFileA(InFolder(*r, r->temporaryLeaf).c_str());
    r->temporaryPath.clear();
    r->temporaryLeaf.clear();
    PlatformCloseDirectory(r->folder);
    r->folder = PLATFORM_NO_DIRECTORY;
}
