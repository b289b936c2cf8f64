// Decoding a picture file through the bound DevIL entry points.
#ifndef PLM_RUNTIME_PICTURE_DECODER_H
#define PLM_RUNTIME_PICTURE_DECODER_H

#include "runtime/pixel_buffer.h"

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

#endif
