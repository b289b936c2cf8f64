// The Windows loader: LoadLibraryExA, GetProcAddress and FreeLibrary. A path
// with a folder in it is made absolute first, so that exactly that file is
// loaded (LoadLibrary would otherwise try a relative path below the
// program's own folder and the system's first), and its dependencies are
// looked for next to it.
#include "platform/dynlib.h"

#include "platform/win32/file_error.h"

#include <windows.h>

#include <string>

namespace {

std::string lastError;

void RememberError(const std::string& what)
{
    lastError = what + ": " + PlatformErrorText(GetLastError());
}

bool HasFolder(const std::string& path)
{
    return path.find_first_of("/\\:") != std::string::npos;
}

}  // namespace

std::string PlatformLibraryFile(const char* name)
{
    return std::string(name) + ".dll";
}

void* PlatformLoadLibrary(const char* path)
{
    std::string file(path);
    HMODULE library = nullptr;
    if (HasFolder(file)) {
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
        if (length == 0 || length >= MAX_PATH) {
            if (length != 0) SetLastError(ERROR_FILENAME_EXCED_RANGE);
            RememberError(file);
            return nullptr;
        }
        library = LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    } else {
        library = LoadLibraryA(path);
    }
    if (!library) RememberError(file);
    return reinterpret_cast<void*>(library);
}

void* PlatformGetSymbol(void* library, const char* name)
{
    if (!library) {
        lastError = "library not loaded";
        return nullptr;
    }
    FARPROC symbol = GetProcAddress(reinterpret_cast<HMODULE>(library), name);
    if (!symbol) RememberError(name);
    return reinterpret_cast<void*>(symbol);
}

void PlatformFreeLibrary(void* library)
{
    if (library) FreeLibrary(reinterpret_cast<HMODULE>(library));
}

const char* PlatformLibraryError()
{
    return lastError.c_str();
}
