// The chrome sphere map: what a mirror ball reflects in a bright studio. A
// pale sky with soft-box panels and two lights above, a light grey floor
// below, and between them a soft horizon (a wide, smooth dip in brightness)
// rather than an edge, so that a curved surface crossing it shades smoothly
// instead of falling into dark patches.
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

float Bell(float x, float centre, float width)
{
    const float t = (x - centre) / width;
    return std::exp(-t * t);
}

float Light(float rx, float ry, float rz, float lx, float ly, float lz, float size)
{
    const float n = std::sqrt(lx * lx + ly * ly + lz * lz);
    const float d = (rx * lx + ry * ly + rz * lz) / n;
    return Smooth(1.0f - size * 1.5f, 1.0f - size, d);
}

// Brightness of the studio by the height ry of the reflected ray (-1 down,
// 1 up): pale at the zenith, falling gently through a wide horizon to a
// soft darker band below it, the floor light again beneath. Every change is
// spread over a wide range of ry, so that a curved surface shades smoothly.
float Level(float ry)
{
    const float sky = 0.86f + 0.13f * Smooth(0.0f, 0.9f, ry);
    const float floor = 0.80f - 0.10f * Smooth(-0.2f, -0.9f, ry);
    const float level = sky + (floor - sky) * Smooth(0.45f, -0.45f, ry);
    return level - 0.19f * Bell(ry, -0.3f, 0.4f);
}

// Soft-box panels around the upper sky, the brightest part of the studio.
float Panels(float rx, float ry, float rz)
{
    const float azimuth = std::atan2(rx, rz);
    return Smooth(0.80f, 0.95f, std::cos(azimuth * 3.0f)) * Smooth(0.10f, 0.30f, ry) *
           (1.0f - Smooth(0.55f, 0.75f, ry));
}

CRGB Environment(float rx, float ry, float rz)
{
    const float level = Level(ry);
    // Cool above, a touch warmer below; never a strong tint.
    const float cool = Smooth(-0.3f, 0.6f, ry);
    CRGB c = {level * (0.98f - 0.04f * cool), level * (0.99f - 0.01f * cool), level * (0.97f + 0.03f * cool)};
    c = Mix(c, CRGB{1.0f, 1.0f, 1.0f}, Panels(rx, ry, rz) * 0.45f);
    const float lights =
        Light(rx, ry, rz, -0.5f, 0.55f, 0.67f, 0.012f) + Light(rx, ry, rz, 0.65f, 0.35f, -0.3f, 0.03f) * 0.7f;
    return Mix(c, CRGB{1.0f, 1.0f, 1.0f}, std::min(lights, 1.0f));
}

// Colour of one point of the picture, u and v in [-1, 1], v up.
CRGB SpherePoint(float u, float v)
{
    const float r2 = u * u + v * v;
    if (r2 >= 1.0f) return CRGB{0.62f, 0.63f, 0.64f};
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
