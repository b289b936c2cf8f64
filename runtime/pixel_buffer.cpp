#include "runtime/pixel_buffer.h"

#include <algorithm>
#include <new>

size_t AlignedPixelBytes(int width, int height)
{
    if (width <= 0 || height <= 0) return 0;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    const size_t stride = (rowBytes + 3) & ~static_cast<size_t>(3);
    return stride * static_cast<size_t>(height);
}

unsigned char* NewPixelBuffer(int width, int height)
{
    const size_t bytes = AlignedPixelBytes(width, height);
    if (bytes == 0) return nullptr;
    return new (std::nothrow) unsigned char[bytes]();
}

void FreePixelBuffer(unsigned char* pixels)
{
    delete[] pixels;
}

void FlipRows(unsigned char* pixels, uint16_t rowBytes, uint16_t rows)
{
    if (pixels == nullptr || rowBytes == 0) return;
    for (unsigned i = 0; i < rows / 2u; ++i) {
        unsigned char* top = pixels + static_cast<size_t>(i) * rowBytes;
        unsigned char* bottom = pixels + static_cast<size_t>(rows - 1u - i) * rowBytes;
        std::swap_ranges(top, top + rowBytes, bottom);
    }
}

void SwapRedBlue(unsigned char* pixels, uint32_t pixelCount)
{
    if (pixels == nullptr) return;
    for (uint32_t i = 0; i < pixelCount; ++i) {
        unsigned char* p = pixels + static_cast<size_t>(i) * 3;
        std::swap(p[0], p[2]);
    }
}
