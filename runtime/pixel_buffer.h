// Pixel buffers: width x height pixels of 3 bytes (red, green, blue), rows
// packed one after the other, each exactly width * 3 bytes long.
//
// Buffers made by NewPixelBuffer carry zeroed slack behind the last row, so
// that a GL upload with the default unpack alignment of 4 bytes per row never
// reads beyond the allocation, whatever the width. Release them with
// FreePixelBuffer.
#ifndef PLM_RUNTIME_PIXEL_BUFFER_H
#define PLM_RUNTIME_PIXEL_BUFFER_H

#include <cstddef>
#include <cstdint>

// Bytes GL reads for width x height RGB pixels at an unpack alignment of 4:
// every row rounded up to a multiple of 4 bytes. 0 for non-positive sizes.
size_t AlignedPixelBytes(int width, int height);

// A zeroed (black) buffer of width x height RGB pixels with alignment slack,
// or null when a size is not positive or memory is short.
unsigned char* NewPixelBuffer(int width, int height);

// Releases a buffer from NewPixelBuffer (and from LoadImageFile); null is ignored.
void FreePixelBuffer(unsigned char* pixels);

// Reverses the order of `rows` rows of `rowBytes` bytes each, in place.
// Touches exactly the first rowBytes * rows bytes; an odd middle row stays.
// Null pixels or a zero size do nothing.
void FlipRows(unsigned char* pixels, uint16_t rowBytes, uint16_t rows);

// Swaps the first and third byte of each of pixelCount 3-byte pixels
// (RGB <-> BGR). Null pixels do nothing.
void SwapRedBlue(unsigned char* pixels, uint32_t pixelCount);

#endif
