#include "shell/libraries.h"

#include "platform/dynlib.h"
#include "runtime/entry_points.h"

#include <cstdio>

namespace {

// The libraries by name; the platform adds the system's suffix.
const char* const DEVIL_NAME = "plumora_data/dll/devil";
const char* const BASS_NAME = "plumora_data/dll/bass";
const char* const ENGINE_NAME = "plumora_data/dll/plm_engine";

struct Binding {
    const char* name;
    void** slot;
};

// Binds every name of one library; returns the first name that failed.
const char* BindNames(void* library, const char* path, Binding* bindings, int count)
{
    const char* missing = nullptr;
    for (int i = 0; i < count; ++i) {
        *bindings[i].slot = PlatformGetSymbol(library, bindings[i].name);
        if (!*bindings[i].slot && library) {
            std::fprintf(stderr, "%s: %s\n", path, PlatformLibraryError());
            if (!missing) missing = bindings[i].name;
        }
    }
    return missing;
}

template <typename T>
void** Slot(T& pointer)
{
    return reinterpret_cast<void**>(&pointer);
}

void* Load(const char* path, std::string* reason)
{
    void* library = PlatformLoadLibrary(path);
    if (!library) {
        *reason = PlatformLibraryError();
        std::fprintf(stderr, "%s: %s\n", path, reason->c_str());
    }
    return library;
}

// A library the demo needs: failing it is fatal and says why.
bool Required(void* library, const char* path, const char* missing, const std::string& reason,
              std::string* error)
{
    if (!library) {
        *error = std::string("Cannot load ") + path + ": " + reason;
        return false;
    }
    if (missing) {
        *error = std::string(path) + " has no entry point " + missing;
        return false;
    }
    return true;
}

}  // namespace

bool BindLibraries(std::string* error)
{
    CENTRYPOINTS& e = EntryPoints;
    e = CENTRYPOINTS();
    const std::string devilFile = PlatformLibraryFile(DEVIL_NAME);
    const std::string bassFile = PlatformLibraryFile(BASS_NAME);
    const std::string engineFile = PlatformLibraryFile(ENGINE_NAME);
    const char* devilPath = devilFile.c_str();
    const char* bassPath = bassFile.c_str();
    const char* enginePath = engineFile.c_str();
    std::string devilReason, bassReason, engineReason;
    e.devil = Load(devilPath, &devilReason);
    Binding devil[] = {{"ilInit", Slot(e.ilInit)},
                       {"ilGenImages", Slot(e.ilGenImages)},
                       {"ilBindImage", Slot(e.ilBindImage)},
                       {"ilLoadImage", Slot(e.ilLoadImage)},
                       {"ilGetData", Slot(e.ilGetData)},
                       {"ilDeleteImages", Slot(e.ilDeleteImages)},
                       {"ilGetInteger", Slot(e.ilGetInteger)},
                       {"ilConvertImage", Slot(e.ilConvertImage)}};
    const char* devilMissing = BindNames(e.devil, devilPath, devil, 8);

    e.bass = Load(bassPath, &bassReason);
    Binding bass[] = {{"BASS_Init", Slot(e.BASS_Init)},
                      {"BASS_Start", Slot(e.BASS_Start)},
                      {"BASS_StreamCreateFile", Slot(e.BASS_StreamCreateFile)},
                      {"BASS_ChannelPlay", Slot(e.BASS_ChannelPlay)},
                      {"BASS_StreamFree", Slot(e.BASS_StreamFree)}};
    if (BindNames(e.bass, bassPath, bass, 5) || !e.bass)
        std::fprintf(stderr, "%s: audio unavailable; the demo runs silent\n", bassPath);

    e.engine = Load(enginePath, &engineReason);
    Binding engine[] = {{"_Z14CreateObject3dv", Slot(e.CreateObject3d)}};
    const char* engineMissing = BindNames(e.engine, enginePath, engine, 1);

    return Required(e.devil, devilPath, devilMissing, devilReason, error) &&
           Required(e.engine, enginePath, engineMissing, engineReason, error);
}

void FreeLibraries()
{
    PlatformFreeLibrary(EntryPoints.devil);
    PlatformFreeLibrary(EntryPoints.engine);
    PlatformFreeLibrary(EntryPoints.bass);
    EntryPoints = CENTRYPOINTS();
}
