// Run-time libraries bound by name: the stand-in for LoadLibrary,
// GetProcAddress and FreeLibrary.
#ifndef PLM_PLATFORM_DYNLIB_H
#define PLM_PLATFORM_DYNLIB_H

#include <string>

// The file name of the library `name` (a path without the system's suffix):
// "dll/devil" is "dll/devil.so" on POSIX.
std::string PlatformLibraryFile(const char* name);
// Loads the library file at path (resolving every symbol now, keeping its
// symbols local). Null on failure; PlatformLibraryError then says why.
void* PlatformLoadLibrary(const char* path);
// The address of an exported symbol, or null (PlatformLibraryError says why).
void* PlatformGetSymbol(void* library, const char* name);
// Unloads a library; null is ignored.
void PlatformFreeLibrary(void* library);
// The loader's message for the last failure of the two calls above.
const char* PlatformLibraryError();

#endif
