// Decoding a picture file through the bound DevIL entry points.
#ifndef PLM_RUNTIME_PICTURE_DECODER_H
#define PLM_RUNTIME_PICTURE_DECODER_H

#include "runtime/pixel_buffer.h"

#include <vector>

struct CPICTURE {
    int width;
    int height;
    unsigned char* pixels;  // width * height RGB pixels (pixel_buffer.h), decoder's row order
};

// True when every DevIL entry point the decoder calls is bound.
bool DevilBound();

// Decodes the file at path (DevIL initialised), converting any pixel format
// to 3-byte RGB. Exactly the decoded pixels are copied into a new buffer
// (release with FreePixelBuffer). False, with nothing allocated, when DevIL
// is not bound, the file is missing or does not decode, or a row would be
// 65536 bytes or longer or the picture 65536 rows or higher.
bool DecodePicture(const char* path, CPICTURE* picture);
// DecodePicture into the layout of a bottom-up 24-bit bitmap: rows bottom
// first, each pixel B, G, R; *bitmap becomes width * height * 3 bytes. The
// pixels are rearranged while they are copied out of DevIL's image, in one
// pass (a 1024 x 768 picture is 2.4 MB). False, with *bitmap and the sizes
// left alone, for the same reasons as DecodePicture.
bool DecodePictureAsBitmap(const char* path, int* width, int* height, std::vector<unsigned char>* bitmap);

#endif
