// Encoders for generated pictures: 8-bit RGB pixels, 3 bytes each, rows
// packed. Both are deterministic: the same pixels give the same bytes.
#ifndef PLM_TOOLS_COMMON_IMAGE_FILE_H
#define PLM_TOOLS_COMMON_IMAGE_FILE_H

#include <vector>

namespace tools {

// How a picture is stored as JPEG (baseline, JFIF header, no other metadata).
struct JpegSettings {
    int quality = 95;             // 1 .. 100, with the standard tables
    bool fullChroma = true;       // colour at every pixel; false: halved both ways (4:2:0)
    bool bottomRowFirst = false;  // the pixels hold the picture's bottom row first
};

// The JPEG file of a width x height picture; empty when rgb does not hold
// width * height * 3 bytes or a side is not positive.
std::vector<unsigned char> EncodeJpeg(int width, int height, const std::vector<unsigned char>& rgb,
                                      const JpegSettings& settings);

// The PNG file (8-bit RGB, top row first, no gamma, colour-space or other
// metadata chunks, so decoders deliver the stored values unchanged); empty
// as for EncodeJpeg.
std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char>& rgb);

}  // namespace tools

#endif
