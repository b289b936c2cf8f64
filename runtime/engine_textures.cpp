#include "runtime/engine_textures.h"

#include <vector>

#include "runtime/image_loader.h"
#include "runtime/pixel_buffer.h"

namespace {

// Buffers handed to the engine since the last FreeEngineTextures.
std::vector<unsigned char*>& HandedOut()
{
    static std::vector<unsigned char*> buffers;
    return buffers;
}

}  // namespace

void EngineTextureLoader(const char* fileName, int* width, int* height, int* components,
                         unsigned char** pixels)
{
    if (!width || !height || !components || !pixels) return;
    *pixels = nullptr;
    LoadImageFile(fileName, width, height, components, pixels);
    if (*pixels == nullptr) return;
    // Reserve first, so that a failed push_back cannot lose the buffer.
    std::vector<unsigned char*>& buffers = HandedOut();
    try {
        buffers.reserve(buffers.size() + 1);
    } catch (...) {
        FreePixelBuffer(*pixels);
        *pixels = nullptr;
        *width = *height = 0;
        return;
    }
    buffers.push_back(*pixels);
}

void FreeEngineTextures()
{
    for (unsigned char* buffer : HandedOut()) FreePixelBuffer(buffer);
    HandedOut().clear();
}

size_t EngineTexturesAlive()
{
    return HandedOut().size();
}
