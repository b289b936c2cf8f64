// The pieces' texture map: a small tiling rusty-steel picture, generated
// from fixed seeds (the same bytes every run).
#ifndef PLM_GEN_PIPES_PIECES_RUST_TEXTURE_H
#define PLM_GEN_PIPES_PIECES_RUST_TEXTURE_H

#include <vector>

namespace pipesgen {

constexpr int kTextureSize = 128;  // width and height, a power of two

// The picture as a JPEG file (quality 92, colour halved both ways). Row y
// of the noise pattern is the picture's row y counted from the bottom.
std::vector<unsigned char> RustTextureJpeg();

}  // namespace pipesgen

#endif
