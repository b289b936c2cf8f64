// The program's picture loader: decodes "plumora_data/texs/<fileName>"
// through the bound DevIL entry points into a new pixel buffer.
//
// It is also the TEXTURELOADER handed to plm_engine. Precondition: ilInit
// has been called (the setup dialog does it before the scene loads).
#ifndef PLM_RUNTIME_IMAGE_LOADER_H
#define PLM_RUNTIME_IMAGE_LOADER_H

#include "runtime/pixel_buffer.h"

// Size of the path buffer, terminating zero included. With the 18-byte
// prefix "plumora_data/texs/" a file name may have at most 109 characters.
enum { IMAGE_PATH_SIZE = 128 };

// Size of the stand-in picture delivered when a picture cannot be loaded.
enum { EMPTY_PICTURE_SIZE = 4 };

// Fills width, height, components (always 3) and pixels: a new buffer of
// width x height RGB pixels (see pixel_buffer.h; release with
// FreePixelBuffer), rows in the reverse of the decoder's order, so a picture
// decoded top row first arrives bottom row first, as GL wants it.
//
// Pictures of 1, 2, 4 or 6 bytes per pixel (grey, grey + alpha, RGBA,
// 16-bit, palette) are converted to 3-byte RGB. A picture that is missing,
// fails to decode, is 65536 or more bytes per row or rows high, or whose name
// does not fit the path buffer, is reported on stderr with its path and
// replaced by a black EMPTY_PICTURE_SIZE square; the same happens when a
// DevIL entry point is not bound. Null out-pointers make the call do nothing.
void LoadImageFile(const char* fileName, int* width, int* height, int* components, unsigned char** pixels);

#endif
