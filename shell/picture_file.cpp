#include "shell/picture_file.h"

#include "runtime/entry_points.h"
#include "runtime/picture_decoder.h"

#include <cstdio>

bool LoadPictureFile(const char* path, CPICTUREFILE* picture)
{
    *picture = CPICTUREFILE();
    CPICTURE decoded;
    if (!DecodePicture(path, &decoded)) {
        std::fprintf(stderr, "%s: cannot load the picture\n", path);
        return false;
    }
    picture->width = decoded.width;
    picture->height = decoded.height;
    picture->pixels.assign(decoded.pixels,
                           decoded.pixels + static_cast<size_t>(decoded.width) * decoded.height * 3);
    FreePixelBuffer(decoded.pixels);
    FlipRows(picture->pixels.data(), static_cast<uint16_t>(picture->width * 3),
             static_cast<uint16_t>(picture->height));
    SwapRedBlue(picture->pixels.data(), static_cast<uint32_t>(picture->width * picture->height));
    return true;
}

bool LoadSetupPicture(const char* path, CPICTUREFILE* picture)
{
    if (EntryPoints.ilInit) EntryPoints.ilInit();
    return LoadPictureFile(path, picture);
}
