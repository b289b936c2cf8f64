// Writes 8-bit RGB pictures (rows top first, packed) as baseline JPEG or
// PNG. Both encoders are deterministic: the same pixels give the same bytes.
#ifndef PLM_GEN_IMAGE_WRITER_H
#define PLM_GEN_IMAGE_WRITER_H

#include <string>
#include <vector>

// JPEG, quality 95, no chroma subsampling (sharp coloured lines), no
// metadata. False (with a message on stderr) when the file cannot be written.
bool WriteJpeg(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);

// PNG, 8-bit RGB, no metadata chunks.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);

#endif
