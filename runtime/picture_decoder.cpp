#include "runtime/picture_decoder.h"

#include "runtime/entry_points.h"

#include <cstring>

namespace {

// The largest row length in bytes and row count the 16-bit row reversal takes.
const int kMaxRowBytes = 65535;
const int kMaxRows = 65535;

}  // namespace

bool DevilBound()
{
    const CENTRYPOINTS& e = EntryPoints;
    return e.ilGenImages && e.ilBindImage && e.ilLoadImage && e.ilGetData && e.ilDeleteImages &&
           e.ilGetInteger && e.ilConvertImage;
}

namespace {

bool SizeSupported(int width, int height, int bytesPerPixel)
{
    if (width <= 0 || height <= 0 || bytesPerPixel != 3) return false;
    return width <= kMaxRowBytes / 3 && height <= kMaxRows;
}

// Copies the bound image, converted to 3-byte RGB, into a new buffer.
bool CopyBoundImage(CPICTURE* picture)
{
    const CENTRYPOINTS& e = EntryPoints;
    if (!e.ilConvertImage(PLM_IL_RGB, PLM_IL_UNSIGNED_BYTE)) return false;
    const int width = e.ilGetInteger(PLM_IL_IMAGE_WIDTH);
    const int height = e.ilGetInteger(PLM_IL_IMAGE_HEIGHT);
    const int bytesPerPixel = e.ilGetInteger(PLM_IL_IMAGE_BYTES_PER_PIXEL);
    const unsigned char* data = e.ilGetData();
    if (data == nullptr || !SizeSupported(width, height, bytesPerPixel)) return false;
    unsigned char* pixels = NewPixelBuffer(width, height);
    if (pixels == nullptr) return false;
    std::memcpy(pixels, data, static_cast<size_t>(width) * height * 3);
    *picture = CPICTURE{width, height, pixels};
    return true;
}

}  // namespace

bool DecodePicture(const char* path, CPICTURE* picture)
{
    if (!DevilBound()) return false;
    const CENTRYPOINTS& e = EntryPoints;
    unsigned int image = 0;
    e.ilGenImages(1, &image);
    e.ilBindImage(image);
    const bool decoded = e.ilLoadImage(path) && CopyBoundImage(picture);
    e.ilDeleteImages(1, &image);
    return decoded;
}
