#include "shell/picture_file.h"

#include "scene/pixel_buffer.h"
#include "shell/entry_points.h"

#include <cstdio>
#include <cstring>

namespace {

bool DevilBound()
{
    const CENTRYPOINTS& e = EntryPoints;
    return e.ilGenImages && e.ilBindImage && e.ilLoadImage && e.ilGetData && e.ilDeleteImages &&
           e.ilGetInteger && e.ilConvertImage;
}

// Copies the bound image, converted to RGB, into the picture.
bool CopyImage(CPICTUREFILE* picture)
{
    const CENTRYPOINTS& e = EntryPoints;
    if (e.ilGetInteger(PLM_IL_IMAGE_BYTES_PER_PIXEL) != 3 &&
        !e.ilConvertImage(PLM_IL_RGB, PLM_IL_UNSIGNED_BYTE))
        return false;
    int width = e.ilGetInteger(PLM_IL_IMAGE_WIDTH);
    int height = e.ilGetInteger(PLM_IL_IMAGE_HEIGHT);
    const unsigned char* data = e.ilGetData();
    if (!data || width <= 0 || height <= 0 || width * 3 > 65535 || height > 65535 ||
        e.ilGetInteger(PLM_IL_IMAGE_BYTES_PER_PIXEL) != 3)
        return false;
    picture->width = width;
    picture->height = height;
    picture->pixels.assign(data, data + static_cast<size_t>(width) * height * 3);
    return true;
}

}  // namespace

bool LoadPictureFile(const char* path, CPICTUREFILE* picture)
{
    *picture = CPICTUREFILE();
    if (!DevilBound()) {
        std::fprintf(stderr, "%s: no image library bound\n", path);
        return false;
    }
    const CENTRYPOINTS& e = EntryPoints;
    unsigned int image = 0;
    e.ilGenImages(1, &image);
    e.ilBindImage(image);
    bool ok = e.ilLoadImage(path) && CopyImage(picture);
    e.ilDeleteImages(1, &image);
    if (!ok) {
        *picture = CPICTUREFILE();
        std::fprintf(stderr, "%s: cannot load the picture\n", path);
        return false;
    }
    FlipRows(picture->pixels.data(), static_cast<uint16_t>(picture->width * 3),
             static_cast<uint16_t>(picture->height));
    SwapRedBlue(picture->pixels.data(), static_cast<uint32_t>(picture->width * picture->height));
    return true;
}

bool LoadSetupPicture(const char* path, CPICTUREFILE* picture)
{
    if (EntryPoints.ilInit)
        EntryPoints.ilInit();
    return LoadPictureFile(path, picture);
}
