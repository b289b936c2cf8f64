#include "tools/common/noise.h"

namespace tools {

uint32_t Hash3(int32_t a, int32_t b, int32_t c)
{
    uint32_t h = static_cast<uint32_t>(a) * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(b) * 0x85EBCA77u + (h << 6) + (h >> 2);
    h ^= static_cast<uint32_t>(c) * 0xC2B2AE3Du + (h << 6) + (h >> 2);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float HashUnit(int32_t a, int32_t b, int32_t c)
{
    return static_cast<float>(Hash3(a, b, c) >> 8) * (1.0f / 16777216.0f);
}

}  // namespace tools
