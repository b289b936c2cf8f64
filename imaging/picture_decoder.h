// Decoding a JPEG or PNG file into a CILIMAGE with stb_image.
//
// The picture keeps its own channels (grey, grey and alpha, RGB or RGBA;
// palette pictures arrive expanded to RGB or RGBA, 16-bit channels reduced
// to their high byte) and its rows come top row first, as DevIL delivers
// them. Input is bounded: files above kMaxPictureFileBytes and pictures
// wider or higher than kMaxPictureSide or with more than kMaxPicturePixels
// pixels are refused before any pixel memory is allocated. A picture cut
// short (a JPEG without its end-of-image marker, a PNG without all of its
// image data) is refused.
#ifndef PLM_IMAGING_PICTURE_DECODER_H
#define PLM_IMAGING_PICTURE_DECODER_H

#include "il_image.h"

#include <cstddef>
#include <cstdint>

constexpr size_t kMaxPictureFileBytes = 256u << 20;
constexpr int kMaxPictureSide = 65535;
constexpr int64_t kMaxPicturePixels = int64_t(1) << 26;

// Decodes the size bytes at data. False, leaving image untouched, for
// anything that is not a whole, supported JPEG or PNG within the bounds.
bool DecodePicture(const uint8_t* data, size_t size, CILIMAGE* image);

// Reads the file at path (bytes as stored) and decodes it as above.
bool DecodePictureFile(const char* path, CILIMAGE* image);

#endif
