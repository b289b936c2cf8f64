#include "style.h"

#include <algorithm>
#include <cmath>

#include "shapes.h"
#include "tools/common/noise.h"

namespace {

// Value noise on a lattice of cell x cell pixels, in [0, 1).
float PixelNoise(float x, float y, float cell, int32_t seed)
{
    return tools::ValueNoise(x / cell, y / cell,
                             [seed](int32_t ix, int32_t iy) { return tools::HashUnit(ix, iy, seed); });
}

}  // namespace

CCanvas BrushedMetal(int width, int height, float brightness, int32_t seed)
{
    CCanvas canvas(width, height, CRGB{0, 0, 0});
    const float cx = width * 0.5f, cy = height * 0.45f;
    const float reach = std::hypot(cx, cy);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float streak = PixelNoise(x, y * 40.0f, 60.0f, seed) * 0.6f +
                                 PixelNoise(x, y * 12.0f, 9.0f, seed + 1) * 0.4f;
            const float grain = tools::HashUnit(x, y, seed + 2) * 0.02f;
            const float light = 1.0f - 0.35f * y / height;
            const float vignette = 1.0f - 0.6f * std::pow(std::hypot(x - cx, y - cy) / reach, 2.0f);
            const float v = brightness * light * vignette * (0.75f + 0.5f * streak) + grain;
            canvas.Set(x, y, CRGB{v * 0.92f, v * 1.0f, v * 1.02f});
        }
    return canvas;
}

CRGB Chrome(float y, float top, float bottom)
{
    const float t = std::clamp((y - top) / std::max(bottom - top, 1.0f), 0.0f, 1.0f);
    const float horizon = 0.42f;
    if (t < horizon) return Mix(CRGB{1.0f, 1.0f, 1.0f}, CRGB{0.55f, 0.60f, 0.66f}, t / horizon);
    const float u = (t - horizon) / (1.0f - horizon);
    return Mix(CRGB{0.16f, 0.20f, 0.19f}, CRGB{0.80f, 0.92f, 0.84f}, std::pow(u, 0.7f));
}

void AddGlow(CCanvas& canvas, const CLayer& layer, CRGB color, int radius, float strength)
{
    CLayer glow = layer;
    glow.Blur(radius);
    canvas.Add(glow, Scale(color, strength));
}

void DropShadow(CCanvas& canvas, const CLayer& layer, int dx, int dy, int radius, float strength)
{
    CLayer shadow(layer.Width(), layer.Height());
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x) shadow.Max(x + dx, y + dy, layer.At(x, y));
    shadow.Blur(radius);
    for (int y = 0; y < shadow.Height(); ++y)
        for (int x = 0; x < shadow.Width(); ++x) shadow.Row(y)[x] *= strength;
    canvas.Paint(shadow, [](int, int) { return CRGB{0, 0, 0}; });
}

namespace {

// Unit steps for the eight directions, clockwise from east.
const int kStepX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
const int kStepY[8] = {0, 1, 1, 1, 0, -1, -1, -1};

int NextDirection(tools::Xorshift32& random, int direction)
{
    const int turn = random.Below(5);  // straight, 45 or 90 degrees either way
    static const int kTurns[5] = {0, 1, -1, 2, -2};
    return (direction + kTurns[turn] + 8) % 8;
}

}  // namespace

void DrawTraces(CLayer& lines, CLayer& nodes, tools::Xorshift32& random, int count, CTRACEBOX box, float grid,
                float width)
{
    const int columns = std::max(1, static_cast<int>((box.x1 - box.x0) / grid));
    const int rows = std::max(1, static_cast<int>((box.y1 - box.y0) / grid));
    for (int t = 0; t < count; ++t) {
        float x = box.x0 + grid * random.Below(columns + 1);
        float y = box.y0 + grid * random.Below(rows + 1);
        int direction = random.Below(4) * 2;
        DrawDisc(nodes, x, y, width * 1.6f);
        const int segments = 2 + random.Below(4);
        for (int s = 0; s < segments; ++s) {
            const float length = grid * (1 + random.Below(5));
            const float nx = std::clamp(x + kStepX[direction] * length, box.x0, box.x1);
            const float ny = std::clamp(y + kStepY[direction] * length, box.y0, box.y1);
            DrawSegment(lines, x, y, nx, ny, width);
            x = nx;
            y = ny;
            direction = NextDirection(random, direction);
        }
        DrawRing(nodes, x, y, width * 2.2f, width);
    }
}
