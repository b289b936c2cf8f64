#include "scene/image_loader.h"

#include <cstdio>
#include <cstring>

#include "shell/entry_points.h"

namespace {

const char kTexturePathFormat[] = "plumora_data/texs/%s";

// The largest row length in bytes and row count the 16-bit row reversal takes.
const int kMaxRowBytes = 65535;
const int kMaxRows = 65535;

struct CPICTURE {
    int width;
    int height;
    unsigned char* pixels;
};

bool DevilBound()
{
    const CENTRYPOINTS& e = EntryPoints;
    return e.ilGenImages && e.ilBindImage && e.ilLoadImage && e.ilGetData &&
           e.ilDeleteImages && e.ilGetInteger && e.ilConvertImage;
}

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

// Decodes the file at path; false (nothing allocated) when it cannot.
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

bool FormatTexturePath(const char* fileName, char (&path)[IMAGE_PATH_SIZE])
{
    if (fileName == nullptr) return false;
    const int length = std::snprintf(path, sizeof path, kTexturePathFormat, fileName);
    return length >= 0 && length < IMAGE_PATH_SIZE;
}

void Report(const char* what, const char* name)
{
    std::fprintf(stderr, "plumora: %s %s; using an empty texture\n", what, name ? name : "(null)");
}

}  // namespace

void LoadImageFile(const char* fileName, int* width, int* height, int* components,
                   unsigned char** pixels)
{
    if (!width || !height || !components || !pixels) return;
    char path[IMAGE_PATH_SIZE];
    CPICTURE picture = {EMPTY_PICTURE_SIZE, EMPTY_PICTURE_SIZE, nullptr};
    if (!FormatTexturePath(fileName, path)) {
        Report("picture name too long for plumora_data/texs/:", fileName);
    } else if (!DecodePicture(path, &picture)) {
        Report(DevilBound() ? "cannot load picture" : "DevIL not bound, cannot load picture", path);
    }
    if (picture.pixels == nullptr) {
        picture = CPICTURE{EMPTY_PICTURE_SIZE, EMPTY_PICTURE_SIZE, nullptr};
        picture.pixels = NewPixelBuffer(picture.width, picture.height);
    }
    *width = picture.width;
    *height = picture.height;
    *components = 3;
    *pixels = picture.pixels;
    FlipRows(picture.pixels, static_cast<uint16_t>(picture.width * 3),
             static_cast<uint16_t>(picture.height));
}
