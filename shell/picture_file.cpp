#include "shell/picture_file.h"

#include "runtime/entry_points.h"
#include "runtime/picture_decoder.h"

#include <cstdio>

bool LoadPictureFile(const char* path, CPICTUREFILE* picture)
{
    *picture = CPICTUREFILE();
    // One copy out of DevIL's image, rearranged on the way: the start-up
    // path decodes the 1024 x 768 loading picture here.
    if (!DecodePictureAsBitmap(path, &picture->width, &picture->height, &picture->pixels)) {
        *picture = CPICTUREFILE();
        std::fprintf(stderr, "%s: cannot load the picture\n", path);
        return false;
    }
    return true;
}

bool LoadSetupPicture(const char* path, CPICTUREFILE* picture)
{
    if (EntryPoints.ilInit) EntryPoints.ilInit();
    return LoadPictureFile(path, picture);
}
