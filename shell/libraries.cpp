#include "shell/libraries.h"

#include "platform/dynlib.h"
#include "runtime/entry_points.h"

#include <cstdio>

namespace {

const char* const DEVIL_PATH = "plumora_data/dll/devil.so";
const char* const BASS_PATH = "plumora_data/dll/bass.so";
const char* const ENGINE_PATH = "plumora_data/dll/plm_engine.so";

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
    std::string devilReason, bassReason, engineReason;
    e.devil = Load(DEVIL_PATH, &devilReason);
    Binding devil[] = {{"ilInit", Slot(e.ilInit)},
                       {"ilGenImages", Slot(e.ilGenImages)},
                       {"ilBindImage", Slot(e.ilBindImage)},
                       {"ilLoadImage", Slot(e.ilLoadImage)},
                       {"ilGetData", Slot(e.ilGetData)},
                       {"ilDeleteImages", Slot(e.ilDeleteImages)},
                       {"ilGetInteger", Slot(e.ilGetInteger)},
                       {"ilConvertImage", Slot(e.ilConvertImage)}};
    const char* devilMissing = BindNames(e.devil, DEVIL_PATH, devil, 8);

    e.bass = Load(BASS_PATH, &bassReason);
    Binding bass[] = {{"BASS_Init", Slot(e.BASS_Init)},
                      {"BASS_Start", Slot(e.BASS_Start)},
                      {"BASS_StreamCreateFile", Slot(e.BASS_StreamCreateFile)},
                      {"BASS_ChannelPlay", Slot(e.BASS_ChannelPlay)},
                      {"BASS_StreamFree", Slot(e.BASS_StreamFree)}};
    if (BindNames(e.bass, BASS_PATH, bass, 5) || !e.bass)
        std::fprintf(stderr, "%s: audio unavailable; the demo runs silent\n", BASS_PATH);

    e.engine = Load(ENGINE_PATH, &engineReason);
    Binding engine[] = {{"_Z14CreateObject3dv", Slot(e.CreateObject3d)}};
    const char* engineMissing = BindNames(e.engine, ENGINE_PATH, engine, 1);

    return Required(e.devil, DEVIL_PATH, devilMissing, devilReason, error) &&
           Required(e.engine, ENGINE_PATH, engineMissing, engineReason, error);
}

void FreeLibraries()
{
    PlatformFreeLibrary(EntryPoints.devil);
    PlatformFreeLibrary(EntryPoints.engine);
    PlatformFreeLibrary(EntryPoints.bass);
    EntryPoints = CENTRYPOINTS();
}
