#include "runtime/image_loader.h"

#include <cstdio>
#include <cstring>

#include "runtime/picture_decoder.h"

namespace {

const char kTexturePathFormat[] = "plumora_data/texs/%s";

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

void LoadImageFile(const char* fileName, int* width, int* height, int* components, unsigned char** pixels)
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
    FlipRows(picture.pixels, static_cast<uint16_t>(picture.width * 3), static_cast<uint16_t>(picture.height));
}
