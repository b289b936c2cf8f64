#include "rust_texture.h"

#include <IL/il.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace pipesgen {

namespace {

// Value noise on a wrapping lattice, so that the picture tiles.
double LatticeValue(int x, int y, int period, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>((x % period + period) % period) * 73856093u ^
                 static_cast<uint32_t>((y % period + period) % period) * 19349663u ^ seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffff) / 65535.0;
}

double SmoothNoise(double x, double y, int period, uint32_t seed)
{
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    double a = LatticeValue(x0, y0, period, seed), b = LatticeValue(x0 + 1, y0, period, seed);
    double c = LatticeValue(x0, y0 + 1, period, seed), d = LatticeValue(x0 + 1, y0 + 1, period, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
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

}  // namespace

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

bool SaveJpeg(const std::string& path, const std::vector<unsigned char>& rgb, int size)
{
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilEnable(IL_FILE_OVERWRITE);
    ilSetInteger(IL_JPG_QUALITY, 92);
    bool ok =
        rgb.size() == size_t(size) * size * 3 &&
        ilTexImage(size, size, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, const_cast<unsigned char*>(rgb.data())) &&
        ilSaveImage(path.c_str());
    ilDeleteImages(1, &image);
    if (!ok) std::fprintf(stderr, "plm-gen-pipes: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace pipesgen
