#include "runtime/picture_decoder.h"

#include "runtime/entry_points.h"

#include <cstring>
#include <exception>

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

// The bound image converted to 3-byte RGB, rows in DevIL's order; pixels
// stays DevIL's until the image is deleted.
bool ConvertBoundImage(CPICTURE* image)
{
    const CENTRYPOINTS& e = EntryPoints;
    if (!e.ilConvertImage(PLM_IL_RGB, PLM_IL_UNSIGNED_BYTE)) return false;
    const int width = e.ilGetInteger(PLM_IL_IMAGE_WIDTH);
    const int height = e.ilGetInteger(PLM_IL_IMAGE_HEIGHT);
    const int bytesPerPixel = e.ilGetInteger(PLM_IL_IMAGE_BYTES_PER_PIXEL);
    unsigned char* data = e.ilGetData();
    if (data == nullptr || !SizeSupported(width, height, bytesPerPixel)) return false;
    *image = CPICTURE{width, height, data};
    return true;
}

// Copies the bound image, converted to 3-byte RGB, into a new buffer.
bool CopyBoundImage(CPICTURE* picture)
{
    CPICTURE image;
    if (!ConvertBoundImage(&image)) return false;
    const int width = image.width;
    const int height = image.height;
    const unsigned char* data = image.pixels;
    unsigned char* pixels = NewPixelBuffer(width, height);
    if (pixels == nullptr) return false;
    std::memcpy(pixels, data, static_cast<size_t>(width) * height * 3);
    *picture = CPICTURE{width, height, pixels};
    return true;
}

// Copies the bound image, converted to 3-byte RGB, into bitmap: rows
// reversed, red and blue exchanged.
bool CopyBoundImageAsBitmap(int* width, int* height, std::vector<unsigned char>* bitmap)
{
    CPICTURE image;
    if (!ConvertBoundImage(&image)) return false;
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    try {
        bitmap->resize(rowBytes * static_cast<size_t>(image.height));
    } catch (const std::exception&) {  // out of memory: a failed decode
        return false;
    }
    for (size_t row = 0; row < static_cast<size_t>(image.height); ++row) {
        const unsigned char* from = image.pixels + row * rowBytes;
        unsigned char* to = bitmap->data() + (static_cast<size_t>(image.height) - 1 - row) * rowBytes;
        for (size_t i = 0; i < rowBytes; i += 3) {
            to[i] = from[i + 2];
            to[i + 1] = from[i + 1];
            to[i + 2] = from[i];
        }
    }
    *width = image.width;
    *height = image.height;
    return true;
}

// Loads path into a new DevIL image, runs copy on it while it is bound, and
// deletes the image again.
template <typename COPY>
bool DecodeWith(const char* path, COPY copy)
{
    if (!DevilBound()) return false;
    const CENTRYPOINTS& e = EntryPoints;
    unsigned int image = 0;
    e.ilGenImages(1, &image);
    e.ilBindImage(image);
    const bool decoded = e.ilLoadImage(path) && copy();
    e.ilDeleteImages(1, &image);
    return decoded;
}

}  // namespace

bool DecodePicture(const char* path, CPICTURE* picture)
{
    return DecodeWith(path, [picture] { return CopyBoundImage(picture); });
}

bool DecodePictureAsBitmap(const char* path, int* width, int* height, std::vector<unsigned char>* bitmap)
{
    return DecodeWith(path, [=] { return CopyBoundImageAsBitmap(width, height, bitmap); });
}
