#include "canvas.h"

#include <algorithm>
#include <cmath>

CRGB Mix(CRGB a, CRGB b, float t)
{
    return CRGB{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

CRGB Scale(CRGB c, float k)
{
    return CRGB{c.r * k, c.g * k, c.b * k};
}

CLayer::CLayer(int width, int height)
    : width(width), height(height), values(static_cast<size_t>(width) * height, 0.0f)
{
}

float CLayer::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return values[static_cast<size_t>(y) * width + x];
}

void CLayer::Max(int x, int y, float value)
{
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    float& v = values[static_cast<size_t>(y) * width + x];
    v = std::max(v, value);
}

namespace {

// One box pass over count samples spaced step apart, edges clamped.
void BoxPass(float* data, int count, int step, int radius, std::vector<float>& scratch)
{
    scratch.resize(count);
    for (int i = 0; i < count; ++i) scratch[i] = data[static_cast<size_t>(i) * step];
    double sum = 0.0;
    for (int k = -radius; k <= radius; ++k) sum += scratch[std::clamp(k, 0, count - 1)];
    const double scale = 1.0 / (2 * radius + 1);
    for (int i = 0; i < count; ++i) {
        data[static_cast<size_t>(i) * step] = static_cast<float>(sum * scale);
        sum += scratch[std::min(i + radius + 1, count - 1)];
        sum -= scratch[std::max(i - radius, 0)];
    }
}

}  // namespace

void CLayer::Blur(int radius)
{
    if (radius <= 0) return;
    std::vector<float> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y) BoxPass(Row(y), width, 1, radius, scratch);
        for (int x = 0; x < width; ++x) BoxPass(&values[x], height, width, radius, scratch);
    }
}

CCanvas::CCanvas(int width, int height, CRGB fill)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height, fill)
{
}

CRGB CCanvas::Get(int x, int y) const
{
    return pixels[static_cast<size_t>(y) * width + x];
}

void CCanvas::Set(int x, int y, CRGB c)
{
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<size_t>(y) * width + x] = c;
}

void CCanvas::Add(const CLayer& layer, CRGB color)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float a = layer.Row(y)[x];
            CRGB& p = pixels[static_cast<size_t>(y) * width + x];
            p = CRGB{p.r + color.r * a, p.g + color.g * a, p.b + color.b * a};
        }
}

std::vector<unsigned char> CCanvas::ToBytes(float floor) const
{
    std::vector<unsigned char> bytes;
    bytes.reserve(pixels.size() * 3);
    for (const CRGB& p : pixels) {
        const bool dark = p.r < floor && p.g < floor && p.b < floor;
        for (float v : {p.r, p.g, p.b}) {
            const float c = dark ? 0.0f : std::clamp(v, 0.0f, 1.0f);
            bytes.push_back(static_cast<unsigned char>(std::lround(c * 255.0f)));
        }
    }
    return bytes;
}
