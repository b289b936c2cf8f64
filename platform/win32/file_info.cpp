// Windows implementation of file inspection: the attributes and the file
// index of a handle, and FindFirstFileExA for listings. Windows has no rwx
// bits: a read-only entry reports 0444 (0555 for a folder), any other 0666
// (0777 for a folder).
#include "platform/file_info.h"

#include "platform/win32/entries.h"
#include "platform/win32/file_error.h"

namespace {

void Describe(HANDLE h, const BY_HANDLE_FILE_INFORMATION& info, PLATFORMPATHINFO* out)
{
    DWORD attributes = info.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        out->kind = PLATFORM_PATH_LINK;
    else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        out->kind = PLATFORM_PATH_DIRECTORY;
    else
        out->kind = GetFileType(h) == FILE_TYPE_DISK ? PLATFORM_PATH_REGULAR : PLATFORM_PATH_OTHER;
    out->size =
        out->kind == PLATFORM_PATH_REGULAR ? (uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow : 0;
    out->device = info.dwVolumeSerialNumber;
    out->inode = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    unsigned permissions = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    if (out->kind == PLATFORM_PATH_DIRECTORY) permissions |= 0111;
    out->permissions = permissions;
}

bool IsMissingCode(DWORD code)
{
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY ||
           code == ERROR_INVALID_NAME || code == ERROR_INVALID_DRIVE || code == ERROR_BAD_NETPATH ||
           code == ERROR_BAD_NET_NAME;
}

// The final path of the folder that holds path; "" if it cannot be opened.
std::string FolderFinalOf(const char* path)
{
    char full[MAX_PATH];
    char* name = nullptr;
    DWORD length = GetFullPathNameA(path, MAX_PATH, full, &name);
    if (length == 0 || length >= MAX_PATH || !name || name == full) return std::string();
    name[0] = '\0';
    return FinalPathOf(full);
}

}  // namespace

bool PlatformInspect(const char* path, bool followLinks, PLATFORMPATHINFO* info)
{
    *info = PLATFORMPATHINFO{PLATFORM_PATH_MISSING, 0, 0, 0, 0};
    BY_HANDLE_FILE_INFORMATION details;
    HANDLE h;
    if (followLinks) {
        h = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            DWORD code = GetLastError();
            return IsMissingCode(code) || PlatformSetFileErrorFromCode(code);
        }
        if (GetFileType(h) != FILE_TYPE_DISK) {  // a device such as NUL or CON
            CloseHandle(h);
            info->kind = PLATFORM_PATH_OTHER;
            return true;
        }
        if (!GetFileInformationByHandle(h, &details)) {
            PlatformSetFileErrorFromSystem();
            CloseHandle(h);
            return false;
        }
        details.dwFileAttributes &= ~DWORD(FILE_ATTRIBUTE_REPARSE_POINT);
    } else {
        h = OpenEntry(path, FolderFinalOf(path), FILE_READ_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &details);
        if (h == INVALID_HANDLE_VALUE) {
            if (PlatformLastFileError() == PLATFORM_FILE_SYMLINK) {  // a link the open went through
                info->kind = PLATFORM_PATH_LINK;
                return true;
            }
            DWORD attributes = GetFileAttributesA(path);
            if (attributes != INVALID_FILE_ATTRIBUTES) return false;
            return IsMissingCode(GetLastError()) || PlatformSetFileErrorFromSystem();
        }
    }
    Describe(h, details, info);
    CloseHandle(h);
    return true;
}

bool PlatformInspectFile(PLATFORMFILE file, PLATFORMPATHINFO* info)
{
    HANDLE h = NativeHandle(file);
    BY_HANDLE_FILE_INFORMATION details = {};
    SetLastError(NO_ERROR);
    DWORD type = GetFileType(h);
    if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) return PlatformSetFileErrorFromSystem();
    if (type == FILE_TYPE_DISK && !GetFileInformationByHandle(h, &details))
        return PlatformSetFileErrorFromSystem();
    Describe(h, details, info);
    return true;
}

bool PlatformListDirectory(const char* path, std::vector<std::string>* names)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return PlatformSetFileErrorFromSystem();
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return PlatformSetFileError(PLATFORM_FILE_MISSING, PLATFORM_ERROR_NOT_DIRECTORY);
    std::string pattern = path;
    if (pattern.empty() || !IsSeparator(pattern.back())) pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE search =
        FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || PlatformSetFileErrorFromCode(code);  // an empty drive root
    }
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names->push_back(name);
    } while (FindNextFileA(search, &found));
    DWORD code = GetLastError();
    FindClose(search);
    return code == ERROR_NO_MORE_FILES || PlatformSetFileErrorFromCode(code);
}
