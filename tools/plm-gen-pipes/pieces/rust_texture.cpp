#include "pieces/rust_texture.h"

#include "tools/common/image_file.h"
#include "tools/common/noise.h"

#include <cmath>
#include <cstdint>

namespace pipesgen {

namespace {

// The noise value at lattice point (x, y), repeating every `period` points so
// that the picture tiles.
double LatticeValue(int x, int y, int period, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>((x % period + period) % period) * 73856093u ^
                 static_cast<uint32_t>((y % period + period) % period) * 19349663u ^ seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffff) / 65535.0;
}

// Smooth noise at (x, y) in lattice cells.
double SmoothNoise(double x, double y, int period, uint32_t seed)
{
    return tools::ValueNoise(x, y,
                             [&](int32_t ix, int32_t iy) { return LatticeValue(ix, iy, period, seed); });
}

// Four octaves, 0..1.
double Fractal(int px, int py, uint32_t seed)
{
    double sum = 0, weight = 0, amp = 1;
    for (int octave = 0, cells = 4; octave < 4; ++octave, cells *= 2, amp *= 0.5) {
        double s = double(cells) / kTextureSize;
        sum += amp * SmoothNoise(px * s, py * s, cells, seed + octave);
        weight += amp;
    }
    return sum / weight;
}

unsigned char Byte(double v)
{
    return static_cast<unsigned char>(std::lround(std::fmin(255.0, std::fmax(0.0, v))));
}

// kTextureSize x kTextureSize pixels, 3 bytes (R, G, B) each.
std::vector<unsigned char> RustPixels()
{
    std::vector<unsigned char> rgb;
    rgb.reserve(size_t(kTextureSize) * kTextureSize * 3);
    for (int y = 0; y < kTextureSize; ++y)
        for (int x = 0; x < kTextureSize; ++x) {
            double grain = 0.85 + 0.15 * std::sin(x * 0.35 + 3 * Fractal(x, y, 7));  // brushed steel
            double rust = std::fmax(0.0, Fractal(x, y, 21) * 2.2 - 1.1);             // patches
            double steel = 120 + 70 * Fractal(x, y, 3) * grain;
            rgb.push_back(Byte(steel * (1 - rust) + 150 * rust));
            rgb.push_back(Byte(steel * (1 - rust) + 70 * rust));
            rgb.push_back(Byte((steel + 10) * (1 - rust) + 35 * rust));
        }
    return rgb;
}

}  // namespace

std::vector<unsigned char> RustTextureJpeg()
{
    return tools::EncodeJpeg(kTextureSize, kTextureSize, RustPixels(), {92, false, true});
}

}  // namespace pipesgen
