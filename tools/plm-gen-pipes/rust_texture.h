// The pieces' texture map: a small rusty-steel picture, generated from a
// fixed seed (same bytes every run) and saved as JPEG through DevIL.
#ifndef PLM_GEN_PIPES_RUST_TEXTURE_H
#define PLM_GEN_PIPES_RUST_TEXTURE_H

#include <string>
#include <vector>

namespace pipesgen {

constexpr int kTextureSize = 128;  // width and height, a power of two

// kTextureSize x kTextureSize pixels, 3 bytes (R, G, B) each, rows top first.
std::vector<unsigned char> RustPixels();

// Writes the pixels as a JPEG file; false (and a line on stderr) on failure.
bool SaveJpeg(const std::string& path, const std::vector<unsigned char>& rgb, int size);

}  // namespace pipesgen

#endif
