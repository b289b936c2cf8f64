#include "il_image.h"

int FormatBytesPerPixel(unsigned int format)
{
    switch (format) {
        case IL_LUMINANCE:
            return 1;
        case IL_LUMINANCE_ALPHA:
            return 2;
        case IL_RGB:
            return 3;
        case IL_RGBA:
            return 4;
        default:
            return 0;
    }
}

int QueryImage(const CILIMAGE& image, unsigned int mode)
{
    switch (mode) {
        case IL_IMAGE_WIDTH:
            return image.width;
        case IL_IMAGE_HEIGHT:
            return image.height;
        case IL_IMAGE_DEPTH:
            return 1;
        case IL_IMAGE_SIZE_OF_DATA:
            return static_cast<int>(image.pixels.size());
        case IL_IMAGE_BYTES_PER_PIXEL:
            return image.bytesPerPixel;
        case IL_IMAGE_BITS_PER_PIXEL:
            return image.bytesPerPixel * 8;
        case IL_IMAGE_FORMAT:
            return static_cast<int>(image.format);
        case IL_IMAGE_TYPE:
            return IL_UNSIGNED_BYTE;
        case IL_IMAGE_ORIGIN:
            return IL_ORIGIN_UPPER_LEFT;
        default:
            return 0;
    }
}
