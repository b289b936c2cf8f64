#include "convert.h"

#include <cstddef>
#include <new>

namespace {

struct CPIXEL {
    uint8_t r, g, b, a;
};

CPIXEL ReadPixel(const uint8_t* p, unsigned int format)
{
    switch (format) {
        case IL_LUMINANCE:
            return {p[0], p[0], p[0], 255};
        case IL_LUMINANCE_ALPHA:
            return {p[0], p[0], p[0], p[1]};
        case IL_RGB:
            return {p[0], p[1], p[2], 255};
        default:
            return {p[0], p[1], p[2], p[3]};
    }
}

uint8_t Grey(const CPIXEL& pixel)
{
    const double grey = pixel.r * 0.212671 + pixel.g * 0.715160 + pixel.b * 0.072169;
    return static_cast<uint8_t>(grey);
}

void WritePixel(uint8_t* p, unsigned int format, const CPIXEL& pixel, bool fromGrey)
{
    switch (format) {
        case IL_LUMINANCE:
            p[0] = fromGrey ? pixel.r : Grey(pixel);
            return;
        case IL_LUMINANCE_ALPHA:
            p[0] = fromGrey ? pixel.r : Grey(pixel);
            p[1] = pixel.a;
            return;
        case IL_RGB:
            p[0] = pixel.r;
            p[1] = pixel.g;
            p[2] = pixel.b;
            return;
        default:
            p[0] = pixel.r;
            p[1] = pixel.g;
            p[2] = pixel.b;
            p[3] = pixel.a;
            return;
    }
}

}  // namespace

bool ConvertImage(CILIMAGE* image, unsigned int format, unsigned int type)
{
    const int toBytes = FormatBytesPerPixel(format);
    const int fromBytes = image->bytesPerPixel;
    if (type != IL_UNSIGNED_BYTE || toBytes == 0 || FormatBytesPerPixel(image->format) != fromBytes)
        return false;
    if (format == image->format) return true;
    const size_t count = size_t(image->width) * size_t(image->height);
    if (image->pixels.size() != count * size_t(fromBytes)) return false;
    const bool fromGrey = image->format == IL_LUMINANCE || image->format == IL_LUMINANCE_ALPHA;
    std::vector<uint8_t> converted;
    try {
        converted.resize(count * size_t(toBytes));
    } catch (const std::bad_alloc&) {
        return false;
    }
    const uint8_t* from = image->pixels.data();
    uint8_t* to = converted.data();
    for (size_t i = 0; i < count; ++i, from += fromBytes, to += toBytes) {
        WritePixel(to, format, ReadPixel(from, image->format), fromGrey);
    }
    image->pixels.swap(converted);
    image->format = format;
    image->bytesPerPixel = toBytes;
    return true;
}
