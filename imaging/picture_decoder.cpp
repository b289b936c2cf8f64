#include "picture_decoder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS kMaxPictureSide
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

unsigned int FormatOfChannels(int channels)
{
    switch (channels) {
        case 1:
            return IL_LUMINANCE;
        case 2:
            return IL_LUMINANCE_ALPHA;
        case 3:
            return IL_RGB;
        default:
            return IL_RGBA;
    }
}

bool WithinBounds(int width, int height, int channels)
{
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
    if (channels < 1 || channels > 4) return false;
    return int64_t(width) * height <= kMaxPicturePixels;
}

}  // namespace

bool DecodePicture(const uint8_t* data, size_t size, CILIMAGE* image)
{
    if (!data || size == 0 || size > kMaxPictureFileBytes || size > size_t(INT32_MAX)) return false;
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) return false;
    if (!WithinBounds(width, height, channels)) return false;
    stbi_uc* decoded = stbi_load_from_memory(data, length, &width, &height, &channels, 0);
    if (!decoded) return false;
    bool ok = WithinBounds(width, height, channels);
    if (ok) {
        const size_t bytes = size_t(width) * size_t(height) * size_t(channels);
        try {
            image->pixels.assign(decoded, decoded + bytes);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    stbi_image_free(decoded);
    if (!ok) return false;
    image->width = width;
    image->height = height;
    image->format = FormatOfChannels(channels);
    image->bytesPerPixel = channels;
    return true;
}

bool DecodePictureFile(const char* path, CILIMAGE* image)
{
    if (!path) return false;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    std::vector<uint8_t> bytes;
    bool ok = false;
    try {
        uint8_t block[65536];
        size_t got = 0;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
            if (bytes.size() + got > kMaxPictureFileBytes) break;
            bytes.insert(bytes.end(), block, block + got);
        }
        ok = !std::ferror(file) && std::feof(file);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    std::fclose(file);
    return ok && DecodePicture(bytes.data(), bytes.size(), image);
}
