#include "tests/support/devil.h"

#include "platform/dynlib.h"
#include "runtime/entry_points.h"

namespace plmtest {

namespace {

template <typename F>
bool Bind(void* library, F& slot, const char* name)
{
    slot = reinterpret_cast<F>(PlatformGetSymbol(library, name));
    return slot != nullptr;
}

}  // namespace

bool BindDevil()
{
    static void* library = PlatformLoadLibrary(PLM_DEVIL_LIBRARY);
    if (!library) return false;
    CENTRYPOINTS& e = EntryPoints;
    e.devil = library;
    bool bound = Bind(library, e.ilInit, "ilInit") & Bind(library, e.ilGenImages, "ilGenImages") &
                 Bind(library, e.ilBindImage, "ilBindImage") & Bind(library, e.ilLoadImage, "ilLoadImage") &
                 Bind(library, e.ilGetData, "ilGetData") & Bind(library, e.ilDeleteImages, "ilDeleteImages") &
                 Bind(library, e.ilGetInteger, "ilGetInteger") &
                 Bind(library, e.ilConvertImage, "ilConvertImage");
    if (!bound) return false;
    e.ilInit();
    return true;
}

void UnbindDevil()
{
    CENTRYPOINTS& e = EntryPoints;
    e.ilInit = nullptr;
    e.ilGenImages = nullptr;
    e.ilBindImage = nullptr;
    e.ilLoadImage = nullptr;
    e.ilGetData = nullptr;
    e.ilDeleteImages = nullptr;
    e.ilGetInteger = nullptr;
    e.ilConvertImage = nullptr;
}

}  // namespace plmtest
