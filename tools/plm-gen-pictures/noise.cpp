#include "noise.h"

#include <cmath>

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

float ValueNoise(float x, float y, float cell, int32_t seed)
{
    const float fx = x / cell, fy = y / cell;
    const int32_t ix = static_cast<int32_t>(std::floor(fx));
    const int32_t iy = static_cast<int32_t>(std::floor(fy));
    float tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    const float a = HashUnit(ix, iy, seed), b = HashUnit(ix + 1, iy, seed);
    const float c = HashUnit(ix, iy + 1, seed), d = HashUnit(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

uint32_t CRANDOM::Next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

int CRANDOM::Below(int n)
{
    return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n));
}

float CRANDOM::Unit()
{
    return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f);
}
