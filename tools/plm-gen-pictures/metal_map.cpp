// The chrome sphere map: what a mirror ball reflects in a dim studio with a
// bright sky, a sharp horizon, a dark floor with a green glow and two lights.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

const int kSize = 256;
const int kSamples = 4;  // per axis, per pixel

float Smooth(float e0, float e1, float x)
{
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float Light(float rx, float ry, float rz, float lx, float ly, float lz, float size)
{
    const float n = std::sqrt(lx * lx + ly * ly + lz * lz);
    const float d = (rx * lx + ry * ly + rz * lz) / n;
    return Smooth(1.0f - size * 1.5f, 1.0f - size, d);
}

CRGB Sky(float rx, float ry, float rz)
{
    const float azimuth = std::atan2(rx, rz);
    const float panels = Smooth(0.80f, 0.92f, std::cos(azimuth * 3.0f)) * Smooth(0.05f, 0.2f, ry) *
                         (1.0f - Smooth(0.55f, 0.7f, ry));
    const CRGB base = Mix(CRGB{0.46f, 0.52f, 0.56f}, CRGB{0.90f, 0.94f, 0.97f}, std::pow(ry, 0.5f));
    return Mix(base, CRGB{1.0f, 1.0f, 1.0f}, panels * 0.55f);
}

CRGB Floor(float ry)
{
    const float depth = -ry;
    const CRGB base = Mix(CRGB{0.05f, 0.07f, 0.065f}, CRGB{0.24f, 0.27f, 0.26f}, std::pow(depth, 0.8f));
    const float glow = std::exp(-std::pow((depth - 0.18f) / 0.06f, 2.0f));
    return CRGB{base.r + 0.03f * glow, base.g + 0.30f * glow, base.b + 0.12f * glow};
}

CRGB Environment(float rx, float ry, float rz)
{
    CRGB c = ry >= 0.0f ? Sky(rx, ry, rz) : Floor(ry);
    const float horizon = std::exp(-std::pow(ry / 0.018f, 2.0f));
    c = Mix(c, CRGB{0.97f, 0.98f, 1.0f}, horizon * 0.8f);
    const float lights =
        Light(rx, ry, rz, -0.5f, 0.55f, 0.67f, 0.012f) + Light(rx, ry, rz, 0.65f, 0.35f, -0.3f, 0.03f) * 0.7f;
    return Mix(c, CRGB{1.0f, 1.0f, 1.0f}, std::min(lights, 1.0f));
}

// Colour of one point of the picture, u and v in [-1, 1], v up.
CRGB SpherePoint(float u, float v)
{
    const float r2 = u * u + v * v;
    if (r2 >= 1.0f) return CRGB{0.30f, 0.33f, 0.33f};
    const float nz = std::sqrt(1.0f - r2);
    return Environment(2.0f * nz * u, 2.0f * nz * v, 2.0f * nz * nz - 1.0f);
}

}  // namespace

CCanvas MakeMetalMap()
{
    CCanvas canvas(kSize, kSize, CRGB{0, 0, 0});
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            CRGB sum = {0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float u = (x + (sx + 0.5f) / kSamples) / kSize * 2.0f - 1.0f;
                    const float v = 1.0f - (y + (sy + 0.5f) / kSamples) / kSize * 2.0f;
                    const CRGB c = SpherePoint(u, v);
                    sum = CRGB{sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            canvas.Set(x, y, Scale(sum, 1.0f / (kSamples * kSamples)));
        }
    return canvas;
}
