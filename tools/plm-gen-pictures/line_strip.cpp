// The strip tile: a bright rail with a soft glow, ticks every 16 pixels, a
// marker block every 64 and dotted guide lines; tiles seamlessly at 256.
#include <cmath>

#include "pictures.h"
#include "shapes.h"

namespace {

const int kWidth = 256;
const int kHeight = 16;

}  // namespace

CCanvas MakeLineStrip()
{
    CLayer rail(kWidth, kHeight), glow(kWidth, kHeight), marks(kWidth, kHeight);
    DrawRect(rail, 0.0f, 7.0f, kWidth, 9.0f, 0.85f);
    DrawRect(glow, 0.0f, 6.0f, kWidth, 10.0f, 1.0f);
    for (int x = 0; x < kWidth; x += 16) DrawRect(marks, x + 0.0f, 4.0f, x + 1.0f, 12.0f, 0.55f);
    for (int x = 24; x < kWidth; x += 64) DrawRect(marks, x + 0.0f, 5.0f, x + 14.0f, 11.0f, 1.0f);
    for (int x = 2; x < kWidth; x += 4) {
        DrawRect(marks, x + 0.0f, 1.0f, x + 1.0f, 2.0f, 0.35f);
        DrawRect(marks, x + 0.0f, 14.0f, x + 1.0f, 15.0f, 0.35f);
    }
    glow.Blur(1);
    CCanvas canvas(kWidth, kHeight, CRGB{0, 0, 0});
    canvas.Add(glow, CRGB{0.25f, 0.25f, 0.25f});
    canvas.Paint(rail, [](int, int) { return CRGB{0.9f, 0.9f, 0.9f}; });
    canvas.Paint(marks, [](int, int) { return CRGB{1.0f, 1.0f, 1.0f}; });
    return canvas;
}
