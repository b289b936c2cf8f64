// Windows implementation of the file layer: CreateFileA, ReadFile and
// WriteFile on raw handles (binary, no text-mode translation), folders made
// with CreateDirectoryA, and trees removed entry by entry through handles
// that were checked to be the entries themselves, so that a link is removed
// as a link (or refused where the system cannot do that) and its target is
// never touched. Paths take '/' and '\' alike.
#include "platform/files.h"

#include "platform/win32/entries.h"
#include "platform/win32/file_error.h"

#include <string>
#include <vector>

namespace {

thread_local PLATFORMFILEERROR lastError = PLATFORM_FILE_OK;
thread_local DWORD lastCode = 0;
thread_local std::string lastText;

const DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The largest piece one ReadFile or WriteFile call gets.
const size_t IO_CHUNK = 1u << 30;

// Checks that h is an open regular file (not a folder, device or pipe).
bool IsRegularHandle(HANDLE h)
{
    if (GetFileType(h) != FILE_TYPE_DISK)
        return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_NOT_REGULAR);
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info)) return PlatformSetFileErrorFromSystem();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_IS_DIRECTORY);
    return true;
}

// Refuses what may not be replaced by a new file at the pinned path's last
// component; *existing tells whether a regular file is there, *handle is
// then open on it for writing (never through a link). A hard-linked file is
// deleted instead, so that its other names keep their contents.
bool OpenFileSlot(const CPINNEDPATH& pinned, bool* existing, HANDLE* handle)
{
    *existing = false;
    *handle = INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION info;
    HANDLE h = OpenEntry(pinned.LeafPath(), pinned.FolderFinal(),
                         GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, &info);
    if (h == INVALID_HANDLE_VALUE) {
        if (PlatformLastFileError() == PLATFORM_FILE_SYMLINK) return false;
        // Nothing there is fine; a folder cannot be opened for writing.
        DWORD attributes = GetFileAttributesA(pinned.LeafPath().c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return true;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_IS_DIRECTORY);
        return false;
    }
    bool ok = true;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        ok = PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        ok = PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_IS_DIRECTORY);
    else if (GetFileType(h) != FILE_TYPE_DISK)
        ok = PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_NOT_REGULAR);
    else if (info.nNumberOfLinks > 1)
        ok = DeleteOpenEntry(h, info);  // gone once closed below
    if (ok && !(info.nNumberOfLinks > 1)) {
        *existing = true;
        *handle = h;
    } else {
        CloseHandle(h);
    }
    return ok;
}

}  // namespace

bool PlatformSetFileError(PLATFORMFILEERROR kind, DWORD code)
{
    lastError = kind;
    lastCode = code;
    return false;
}

bool PlatformSetFileErrorFromCode(DWORD code)
{
    bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY ||
                   code == ERROR_INVALID_DRIVE || code == ERROR_BAD_NETPATH || code == ERROR_BAD_NET_NAME;
    return PlatformSetFileError(missing ? PLATFORM_FILE_MISSING : PLATFORM_FILE_FAILED, code);
}

bool PlatformSetFileErrorFromSystem()
{
    return PlatformSetFileErrorFromCode(GetLastError());
}

std::string PlatformErrorText(DWORD code)
{
    switch (code) {
        case PLATFORM_ERROR_NOT_REGULAR:
            return "not a regular file";
        case PLATFORM_ERROR_IS_DIRECTORY:
            return "Is a directory";
        case PLATFORM_ERROR_NOT_DIRECTORY:
        case ERROR_DIRECTORY:
            return "Not a directory";
        case PLATFORM_ERROR_LINK:
            return "symbolic link in the way";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_MOD_NOT_FOUND:
            return "No such file or directory";
        case ERROR_ACCESS_DENIED:
            return "Permission denied";
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return "File exists";
        case ERROR_BROKEN_PIPE:
        case ERROR_NO_DATA:
            return "Broken pipe";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "No space left on device";
        case ERROR_DIR_NOT_EMPTY:
            return "Directory not empty";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "File in use by another process";
        case ERROR_FILENAME_EXCED_RANGE:
            return "File name too long";
        case ERROR_NOT_SAME_DEVICE:
            return "Invalid cross-device link";
        case ERROR_INVALID_PARAMETER:
        case ERROR_INVALID_NAME:
            return "Invalid argument";
        default:
            break;
    }
    char* buffer = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : "error " + std::to_string(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

PLATFORMFILE PlatformOpenRead(const char* path)
{
    HANDLE h =
        CreateFileA(path, GENERIC_READ, SHARE_ALL, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        DWORD attributes = GetFileAttributesA(path);
        // Opening a folder for reading fails with "access denied".
        if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY))
            PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_IS_DIRECTORY);
        else
            PlatformSetFileErrorFromCode(code);
        return PLATFORM_NO_FILE;
    }
    if (!IsRegularHandle(h)) {
        CloseHandle(h);
        return PLATFORM_NO_FILE;
    }
    return FileHandle(h);
}

int64_t PlatformRead(PLATFORMFILE file, void* buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        DWORD piece = static_cast<DWORD>(size - done < IO_CHUNK ? size - done : IO_CHUNK);
        DWORD got = 0;
        if (!ReadFile(NativeHandle(file), static_cast<char*>(buffer) + done, piece, &got, nullptr)) {
            DWORD code = GetLastError();
            if (code == ERROR_HANDLE_EOF || code == ERROR_BROKEN_PIPE) break;
            return PlatformSetFileErrorFromCode(code), -1;
        }
        if (got == 0) break;
        done += got;
    }
    return static_cast<int64_t>(done);
}

int64_t PlatformFileSize(PLATFORMFILE file)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(NativeHandle(file), &size)) return PlatformSetFileErrorFromSystem(), -1;
    return size.QuadPart;
}

bool PlatformSeek(PLATFORMFILE file, int64_t offset)
{
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(NativeHandle(file), distance, nullptr, FILE_BEGIN))
        return PlatformSetFileErrorFromSystem();
    return true;
}

PLATFORMFILE PlatformCreateFile(const char* path)
{
    return PlatformCreateFileAt(PLATFORM_CURRENT_DIRECTORY, path);
}

PLATFORMFILE PlatformCreateFileAt(PLATFORMDIR base, const char* path)
{
    CPINNEDPATH pinned;
    if (!pinned.Open(base, path)) return PLATFORM_NO_FILE;
    for (int attempt = 0; attempt < 2; ++attempt) {
        bool existing;
        HANDLE h;
        if (!OpenFileSlot(pinned, &existing, &h)) return PLATFORM_NO_FILE;
        if (existing) {
            // Checked through this very handle: truncated, never replaced.
            if (!SetEndOfFile(h)) {
                PlatformSetFileErrorFromSystem();
                CloseHandle(h);
                return PLATFORM_NO_FILE;
            }
            return FileHandle(h);
        }
        // CREATE_NEW never opens what is there, a dangling link included.
        h = CreateFileA(pinned.LeafPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        // A device name (NUL, CON, COM1...) opens the device in any folder.
        if (h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_DISK) {
            CloseHandle(h);
            PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_NOT_REGULAR);
            return PLATFORM_NO_FILE;
        }
        if (h != INVALID_HANDLE_VALUE) return FileHandle(h);
        DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            PlatformSetFileErrorFromCode(code);
            return PLATFORM_NO_FILE;
        }
    }
    // Something is there that can be neither opened nor created: a link
    // that leads nowhere, or a race lost twice.
    PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
    return PLATFORM_NO_FILE;
}

bool PlatformWrite(PLATFORMFILE file, const void* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        DWORD piece = static_cast<DWORD>(size - done < IO_CHUNK ? size - done : IO_CHUNK);
        DWORD written = 0;
        if (!WriteFile(NativeHandle(file), static_cast<const char*>(data) + done, piece, &written, nullptr))
            return PlatformSetFileErrorFromSystem();
        if (written == 0) return PlatformSetFileError(PLATFORM_FILE_FAILED, ERROR_DISK_FULL);
        done += written;
    }
    return true;
}

bool PlatformClose(PLATFORMFILE file)
{
    if (file == PLATFORM_NO_FILE) return true;
    if (!CloseHandle(NativeHandle(file))) return PlatformSetFileErrorFromSystem();
    return true;
}

bool PlatformMakeDirectory(const char* path)
{
    return PlatformMakeDirectoryAt(PLATFORM_CURRENT_DIRECTORY, path, false);
}

bool PlatformMakeDirectoryAt(PLATFORMDIR base, const char* path, bool mustBeNew)
{
    CPINNEDPATH pinned;
    if (!pinned.Open(base, path)) return false;
    if (CreateDirectoryA(pinned.LeafPath().c_str(), nullptr)) return true;
    DWORD code = GetLastError();
    if (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS) return PlatformSetFileErrorFromCode(code);
    if (mustBeNew) return PlatformSetFileError(PLATFORM_FILE_FAILED, ERROR_ALREADY_EXISTS);
    BY_HANDLE_FILE_INFORMATION info;
    HANDLE h = OpenEntry(pinned.LeafPath(), pinned.FolderFinal(), FILE_READ_ATTRIBUTES, SHARE_ALL, &info);
    if (h == INVALID_HANDLE_VALUE) {
        // Taken but not there to open: a link that leads nowhere.
        if (PlatformLastFileError() == PLATFORM_FILE_MISSING)
            return PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
        return false;
    }
    CloseHandle(h);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return PlatformSetFileError(PLATFORM_FILE_SYMLINK, PLATFORM_ERROR_LINK);
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return PlatformSetFileError(PLATFORM_FILE_FAILED, PLATFORM_ERROR_NOT_DIRECTORY);
    return true;
}

namespace {

const DWORD REMOVE_ACCESS = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;

struct CLISTED {
    std::string name;
    DWORD attributes;
};

bool IsRealFolder(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The entries of the folder open as folder (with FILE_LIST_DIRECTORY),
// listed through that handle: the folder the handle holds, whatever happens
// to its name meanwhile.
bool ListOpenFolder(HANDLE folder, std::vector<CLISTED>* entries)
{
    std::vector<LONGLONG> buffer(8192);  // 64 KiB, aligned for the records
    const DWORD size = static_cast<DWORD>(buffer.size() * sizeof(LONGLONG));
    for (;;) {
        if (!GetFileInformationByHandleEx(folder, FileFullDirectoryInfo, buffer.data(), size)) {
            DWORD code = GetLastError();
            return code == ERROR_NO_MORE_FILES || PlatformSetFileErrorFromCode(code);
        }
        const char* at = reinterpret_cast<const char*>(buffer.data());
        for (;;) {
            const auto* entry = reinterpret_cast<const FILE_FULL_DIR_INFO*>(at);
            int length = static_cast<int>(entry->FileNameLength / sizeof(WCHAR));
            char name[MAX_PATH * 2];
            int converted =
                WideCharToMultiByte(CP_ACP, 0, entry->FileName, length, name, sizeof name, nullptr, nullptr);
            std::string text(name, converted > 0 ? size_t(converted) : 0);
            if (converted <= 0) return PlatformSetFileError(PLATFORM_FILE_FAILED, ERROR_INVALID_NAME);
            if (text != "." && text != "..") entries->push_back({text, entry->FileAttributes});
            if (entry->NextEntryOffset == 0) break;
            at += entry->NextEntryOffset;
        }
    }
}

// Deletes every entry of the folder open as handle (at folder, with final
// path folderFinal) that is not a folder, links to folders included, and
// returns the name of the first folder found in *subfolder (empty if none).
bool ClearFilesIn(HANDLE handle, const std::string& folder, const std::string& folderFinal,
                  std::string* subfolder)
{
    subfolder->clear();
    std::vector<CLISTED> entries;
    if (!ListOpenFolder(handle, &entries)) return false;
    for (const CLISTED& entry : entries) {
        if (IsRealFolder(entry.attributes)) {
            if (subfolder->empty()) *subfolder = entry.name;
            continue;
        }
        BY_HANDLE_FILE_INFORMATION info;
        HANDLE h = OpenEntry(folder + "\\" + entry.name, folderFinal, REMOVE_ACCESS, SHARE_ALL, &info);
        if (h == INVALID_HANDLE_VALUE) {
            if (PlatformLastFileError() == PLATFORM_FILE_MISSING) continue;  // gone meanwhile
            return false;
        }
        bool ok = true;
        if (IsRealFolder(info.dwFileAttributes)) {  // became one meanwhile
            if (subfolder->empty()) *subfolder = entry.name;
        } else {
            ok = DeleteOpenEntry(h, info);
        }
        CloseHandle(h);
        if (!ok) return false;
    }
    return true;
}

std::string ParentOf(const std::string& path)
{
    size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// Empties and removes the folder at path (in the folder with final path
// folderFinal). Depth first without recursion: one folder is held open at a
// time, opened as itself without delete sharing while it is emptied, and
// deleted through that handle; only the names on the way down are kept.
bool RemoveFolder(const std::string& path, const std::string& folderFinal)
{
    std::string current = path;
    std::vector<std::string> finals = {folderFinal};  // final paths of the folders above current
    for (;;) {
        BY_HANDLE_FILE_INFORMATION info;
        HANDLE h = OpenEntry(current, finals.back(), REMOVE_ACCESS | FILE_LIST_DIRECTORY,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &info);
        if (h == INVALID_HANDLE_VALUE && PlatformLastFileError() != PLATFORM_FILE_MISSING) return false;
        bool ok = true;
        if (h != INVALID_HANDLE_VALUE) {
            std::string sub;
            std::string final = FinalPath(h);
            if (IsRealFolder(info.dwFileAttributes)) ok = ClearFilesIn(h, current, final, &sub);
            if (ok && !sub.empty()) {
                CloseHandle(h);
                finals.push_back(final);
                current += "\\" + sub;
                continue;
            }
            ok = ok && DeleteOpenEntry(h, info);
            CloseHandle(h);
        }
        if (!ok) return false;
        if (finals.size() == 1) return true;
        finals.pop_back();
        current = ParentOf(current);
    }
}

}  // namespace

bool PlatformRemoveTree(const char* path)
{
    return PlatformRemoveTreeAt(PLATFORM_CURRENT_DIRECTORY, path);
}

bool PlatformRemoveTreeAt(PLATFORMDIR base, const char* path)
{
    CPINNEDPATH pinned;
    if (!pinned.Open(base, path)) return PlatformLastFileError() == PLATFORM_FILE_MISSING;
    if (pinned.Leaf() == "." || pinned.Leaf() == "..")
        return PlatformSetFileError(PLATFORM_FILE_FAILED, ERROR_INVALID_PARAMETER);
    DWORD attributes = GetFileAttributesA(pinned.LeafPath().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
               PlatformSetFileErrorFromCode(code);
    }
    if (IsRealFolder(attributes)) return RemoveFolder(pinned.LeafPath(), pinned.FolderFinal());
    BY_HANDLE_FILE_INFORMATION info;
    HANDLE h = OpenEntry(pinned.LeafPath(), pinned.FolderFinal(), REMOVE_ACCESS, SHARE_ALL, &info);
    if (h == INVALID_HANDLE_VALUE) return PlatformLastFileError() == PLATFORM_FILE_MISSING;
    bool ok = IsRealFolder(info.dwFileAttributes) ? (CloseHandle(h), h = INVALID_HANDLE_VALUE,
                                                     RemoveFolder(pinned.LeafPath(), pinned.FolderFinal()))
                                                  : DeleteOpenEntry(h, info);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return ok;
}

PLATFORMFILEERROR PlatformLastFileError()
{
    return lastError;
}

const char* PlatformLastFileErrorText()
{
    lastText = PlatformErrorText(lastCode);
    return lastText.c_str();
}
