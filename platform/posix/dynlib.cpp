// The dynamic loader: dlopen, dlsym and dlclose.
#include "platform/dynlib.h"

#include <dlfcn.h>

#include <string>

namespace {
std::string lastError;

void RememberError(const char* fallback)
{
    const char* message = dlerror();
    lastError = message ? message : fallback;
}
}  // namespace

std::string PlatformLibraryFile(const char* name)
{
    return std::string(name) + ".so";
}

void* PlatformLoadLibrary(const char* path)
{
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library) RememberError("cannot load library");
    return library;
}

void* PlatformGetSymbol(void* library, const char* name)
{
    if (!library) {
        lastError = "library not loaded";
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(library, name);
    if (!symbol) RememberError("symbol not found");
    return symbol;
}

void PlatformFreeLibrary(void* library)
{
    if (library) dlclose(library);
}

const char* PlatformLibraryError()
{
    return lastError.c_str();
}
