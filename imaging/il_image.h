// One image of devil.dll: its size, pixel layout and pixels, with the DevIL
// constants that describe them. Pixels are rows of width * bytesPerPixel
// bytes, packed, in the order the decoder delivers them (top row first).
#ifndef PLM_IMAGING_IL_IMAGE_H
#define PLM_IMAGING_IL_IMAGE_H

#include <cstdint>
#include <vector>

// DevIL's names for pixel formats, channel types, image queries and origins.
enum : unsigned int {
    IL_COLOUR_INDEX = 0x1900,
    IL_RGB = 0x1907,
    IL_RGBA = 0x1908,
    IL_LUMINANCE = 0x1909,
    IL_LUMINANCE_ALPHA = 0x190A,

    IL_UNSIGNED_BYTE = 0x1401,

    IL_IMAGE_WIDTH = 0x0DE4,
    IL_IMAGE_HEIGHT = 0x0DE5,
    IL_IMAGE_DEPTH = 0x0DE6,
    IL_IMAGE_SIZE_OF_DATA = 0x0DE7,
    IL_IMAGE_BYTES_PER_PIXEL = 0x0DE8,
    IL_IMAGE_BITS_PER_PIXEL = 0x0DE9,
    IL_IMAGE_FORMAT = 0x0DEA,
    IL_IMAGE_TYPE = 0x0DEB,
    IL_IMAGE_ORIGIN = 0x0DFE,

    IL_ORIGIN_UPPER_LEFT = 0x0602,
};

struct CILIMAGE {
    int width = 1;
    int height = 1;
    unsigned int format = IL_LUMINANCE;  // IL_LUMINANCE, _ALPHA, IL_RGB or IL_RGBA
    int bytesPerPixel = 1;               // channels; every channel is one unsigned byte
    std::vector<uint8_t> pixels = std::vector<uint8_t>(1, 0);
};

// The bytes per pixel of an 8-bit format above, or 0 for any other format.
int FormatBytesPerPixel(unsigned int format);

// The answer to ilGetInteger(mode) for image; 0 for a mode it does not know.
int QueryImage(const CILIMAGE& image, unsigned int mode);

#endif
