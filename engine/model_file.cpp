// The two variants of CMODELFILE: Win32 file handles on Windows, POSIX file
// descriptors elsewhere. This is the engine's only platform difference.
#include "model_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

CMODELFILE::~CMODELFILE()
{
    Close();
}

#ifdef _WIN32

namespace {

HANDLE AsHandle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// The size in bytes of the open file, found by moving to its end, with the
// position put back at the start. False when either move fails.
bool FileSize(HANDLE file, uint64_t* size)
{
    LONG high = 0;
    const DWORD low = SetFilePointer(file, 0, &high, FILE_END);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
    *size = (static_cast<uint64_t>(static_cast<DWORD>(high)) << 32) | low;
    LONG zero = 0;
    const DWORD start = SetFilePointer(file, 0, &zero, FILE_BEGIN);
    return !(start == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

}  // namespace

bool CMODELFILE::Open(const char* fileName)
{
    Close();
    // Without FILE_FLAG_BACKUP_SEMANTICS a directory cannot be opened.
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

std::vector<uint8_t> CMODELFILE::ReadAll()
{
    std::vector<uint8_t> data;
    uint64_t size = 0;
    const HANDLE file = AsHandle(handle_);
    if (file == INVALID_HANDLE_VALUE || !FileSize(file, &size) || size == 0 || size > SIZE_MAX) return data;
    data.resize(static_cast<size_t>(size));
    size_t got = 0;
    while (got < data.size()) {
        const size_t left = data.size() - got;
        const DWORD want = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD n = 0;
        if (!ReadFile(file, data.data() + got, want, &n, nullptr) || n == 0) break;
        got += n;
    }
    data.resize(got);
    return data;
}

void CMODELFILE::Close()
{
    if (AsHandle(handle_) != INVALID_HANDLE_VALUE) CloseHandle(AsHandle(handle_));
    handle_ = -1;
}

#else

bool CMODELFILE::Open(const char* fileName)
{
    Close();
    // Non-blocking, so that opening a FIFO cannot hang before it is refused.
    const int fd = open(fileName, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

std::vector<uint8_t> CMODELFILE::ReadAll()
{
    std::vector<uint8_t> data;
    struct stat st;
    const int fd = static_cast<int>(handle_);
    if (fd < 0 || fstat(fd, &st) != 0 || st.st_size <= 0) return data;
    data.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = read(fd, data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    data.resize(got);
    return data;
}

void CMODELFILE::Close()
{
    if (handle_ >= 0) close(static_cast<int>(handle_));
    handle_ = -1;
}

#endif
