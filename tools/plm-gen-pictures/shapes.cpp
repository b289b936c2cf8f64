#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace {

float Coverage(float distanceOutside)
{
    return std::clamp(0.5f - distanceOutside, 0.0f, 1.0f);
}

// Calls f(x, y, px, py) for every pixel of the box (with pixel centre px, py).
template <typename F>
void ForBox(const CLayer& layer, float x0, float y0, float x1, float y1, F f)
{
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)) - 1);
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)) - 1);
    const int ix1 = std::min(layer.Width() - 1, static_cast<int>(std::ceil(x1)) + 1);
    const int iy1 = std::min(layer.Height() - 1, static_cast<int>(std::ceil(y1)) + 1);
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) f(x, y, x + 0.5f, y + 0.5f);
}

}  // namespace

void DrawSegment(CLayer& layer, float x0, float y0, float x1, float y1, float width, float strength)
{
    const float half = width * 0.5f;
    const float dx = x1 - x0, dy = y1 - y0;
    const float length2 = std::max(dx * dx + dy * dy, 1e-6f);
    ForBox(layer, std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
           std::max(y0, y1) + half, [&](int x, int y, float px, float py) {
               const float t = std::clamp(((px - x0) * dx + (py - y0) * dy) / length2, 0.0f, 1.0f);
               const float d = std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
               layer.Max(x, y, strength * Coverage(d - half));
           });
}

void DrawDisc(CLayer& layer, float cx, float cy, float radius, float strength)
{
    ForBox(layer, cx - radius, cy - radius, cx + radius, cy + radius, [&](int x, int y, float px, float py) {
        layer.Max(x, y, strength * Coverage(std::hypot(px - cx, py - cy) - radius));
    });
}

void DrawRing(CLayer& layer, float cx, float cy, float radius, float width, float strength)
{
    const float outer = radius + width * 0.5f;
    ForBox(layer, cx - outer, cy - outer, cx + outer, cy + outer, [&](int x, int y, float px, float py) {
        const float d = std::fabs(std::hypot(px - cx, py - cy) - radius);
        layer.Max(x, y, strength * Coverage(d - width * 0.5f));
    });
}

void DrawRect(CLayer& layer, float x0, float y0, float x1, float y1, float strength)
{
    ForBox(layer, x0, y0, x1, y1, [&](int x, int y, float px, float py) {
        const float dx = std::max(x0 - px, px - x1);
        const float dy = std::max(y0 - py, py - y1);
        layer.Max(x, y, strength * Coverage(std::max(dx, dy)));
    });
}
