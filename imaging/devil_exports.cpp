// The DevIL entry points the program binds from devil.dll by name, with
// DevIL's arguments and results (IL_TRUE 1, IL_FALSE 0). Every call works on
// the bound image, as in DevIL.
#include "convert.h"
#include "image_names.h"
#include "picture_decoder.h"

#define PLM_IL_EXPORT extern "C"
// DevIL's calling convention on Windows; x86_64 has just the one.
#define PLM_IL_CALL __stdcall

// Starts over with only the default image; the program calls it before
// its first picture and may call it again.
PLM_IL_EXPORT void PLM_IL_CALL ilInit(void)
{
    ResetImageNames();
}

PLM_IL_EXPORT void PLM_IL_CALL ilGenImages(int count, unsigned int* images)
{
    GenerateImageNames(count, images);
}

PLM_IL_EXPORT void PLM_IL_CALL ilBindImage(unsigned int image)
{
    BindImageName(image);
}

PLM_IL_EXPORT void PLM_IL_CALL ilDeleteImages(int count, const unsigned int* images)
{
    DeleteImageNames(count, images);
}

// Decodes a JPEG or PNG file into the bound image, top row first. A file
// that cannot be read or decoded returns IL_FALSE and leaves the bound
// image a 1 x 1 grey placeholder.
PLM_IL_EXPORT unsigned char PLM_IL_CALL ilLoadImage(const char* fileName)
{
    CILIMAGE* image = BoundImage();
    if (DecodePictureFile(fileName, image)) return 1;
    *image = CILIMAGE();
    return 0;
}

// The bound image's pixels, valid until it is loaded, converted or deleted.
PLM_IL_EXPORT unsigned char* PLM_IL_CALL ilGetData(void)
{
    return BoundImage()->pixels.data();
}

PLM_IL_EXPORT int PLM_IL_CALL ilGetInteger(unsigned int mode)
{
    return QueryImage(*BoundImage(), mode);
}

PLM_IL_EXPORT unsigned char PLM_IL_CALL ilConvertImage(unsigned int format, unsigned int type)
{
    return ConvertImage(BoundImage(), format, type) ? 1 : 0;
}
