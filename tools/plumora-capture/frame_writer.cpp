#include "frame_writer.h"

#include <cstring>

void FlipRows(const unsigned char* bottomFirst, int width, int height, unsigned char* topFirst)
{
    size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::memcpy(topFirst + static_cast<size_t>(y) * row,
                    bottomFirst + static_cast<size_t>(height - 1 - y) * row, row);
}
