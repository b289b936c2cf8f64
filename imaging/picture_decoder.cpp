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

bool IsJpeg(const uint8_t* data, size_t size)
{
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

// True when an end-of-image marker follows the first start-of-scan. The
// header segments before the scan are stepped over by their lengths (a
// thumbnail inside one may hold its own end marker); inside the
// entropy-coded data every 0xFF byte is followed by 0x00 or a restart
// marker, so 0xFF 0xD9 there is the real end of the picture.
bool JpegHasEnd(const uint8_t* data, size_t size)
{
    size_t at = 2;  // after the start-of-image marker
    for (;;) {
        while (at < size && data[at] == 0xFF && at + 1 < size && data[at + 1] == 0xFF) ++at;
        if (at + 4 > size || data[at] != 0xFF) return false;
        const uint8_t marker = data[at + 1];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;  // a marker without a segment
            continue;
        }
        if (marker == 0xD9) return false;  // the end before any scan
        const size_t length = (size_t(data[at + 2]) << 8) | data[at + 3];
        if (length < 2 || length > size - at - 2) return false;
        at += 2 + length;
        if (marker == 0xDA) break;
    }
    for (; at + 1 < size; ++at) {
        if (data[at] == 0xFF && data[at + 1] == 0xD9) return true;
    }
    return false;
}

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
    if (IsJpeg(data, size) && !JpegHasEnd(data, size)) return false;
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
