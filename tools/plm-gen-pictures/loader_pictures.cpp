// The loading screen: brushed metal with green traces, the title and the
// authors, and a recessed slot that 21 green beads fill one by one.
#include <algorithm>
#include <cmath>

#include "pictures.h"
#include "shapes.h"
#include "shell/picture_layout.h"
#include "style.h"
#include "texts.h"

namespace {

const int kWidth = LOADING_DESIGN_WIDTH;
const int kHeight = LOADING_DESIGN_HEIGHT;
const int kBall = LOADING_BALL_SIZE;
// The slot is 6 pixels larger all round than the row of beads (at the
// design size x 300..720, y 676..696).
const float kSlotMargin = 6.0f;
const float kSlotX0 = LOADING_BALLS_LEFT - kSlotMargin, kSlotY0 = LOADING_BALLS_TOP - kSlotMargin;
const float kSlotX1 = LOADING_BALLS_LEFT + LOADING_BALL_COUNT * kBall + kSlotMargin;
const float kSlotY1 = LOADING_BALLS_TOP + kBall + kSlotMargin;
// The slot's floor; the bead picture's background has the same colour.
const CRGB kSlotFloor = {0.025f, 0.035f, 0.032f};

void DrawBackdrop(CCanvas& canvas)
{
    CLayer lines(kWidth, kHeight), nodes(kWidth, kHeight);
    tools::Xorshift32 random(0x10ADu);
    DrawTraces(lines, nodes, random, 70, CTRACEBOX{16, 16, kWidth - 16.0f, kHeight - 16.0f}, 24.0f, 1.5f);
    AddGlow(canvas, lines, kTraceGreen, 3, 0.3f);
    canvas.Add(lines, Scale(kTraceGreen, 0.18f));
    canvas.Add(nodes, Scale(kTraceGreen, 0.28f));
}

void DrawSlot(CCanvas& canvas)
{
    CLayer rim(kWidth, kHeight), floor(kWidth, kHeight), light(kWidth, kHeight);
    DrawRect(rim, kSlotX0 - 3.0f, kSlotY0 - 3.0f, kSlotX1 + 3.0f, kSlotY1 + 3.0f);
    DrawRect(floor, kSlotX0, kSlotY0, kSlotX1, kSlotY1);
    DrawRect(light, kSlotX0 - 3.0f, kSlotY1 + 2.0f, kSlotX1 + 3.0f, kSlotY1 + 3.0f);
    AddGlow(canvas, rim, kTraceGreen, 8, 0.18f);
    canvas.Paint(rim, [](int, int) { return CRGB{0.30f, 0.33f, 0.33f}; });
    canvas.Paint(floor, [](int, int) { return kSlotFloor; });
    canvas.Paint(light, [](int, int) { return CRGB{0.55f, 0.62f, 0.60f}; });
}

void DrawLettering(CCanvas& canvas, CFONTS& fonts)
{
    CLayer title(kWidth, kHeight), authors(kWidth, kHeight), loading(kWidth, kHeight);
    fonts.bold.DrawCentred(title, kWidth * 0.5f, 380.0f, kTitle, CTEXTSTYLE{150.0f, 1.0f, 4.0f});
    fonts.regular.DrawCentred(authors, kWidth * 0.5f, 450.0f, kAuthors, CTEXTSTYLE{30.0f, 1.0f, 9.0f});
    fonts.regular.DrawCentred(loading, kWidth * 0.5f, 655.0f, "loading", CTEXTSTYLE{15.0f, 1.0f, 7.0f});
    DropShadow(canvas, title, 4, 6, 6, 0.85f);
    AddGlow(canvas, title, kTraceGreen, 12, 0.3f);
    canvas.Paint(title, [](int, int y) { return Chrome(y, 270.0f, 381.0f); });
    canvas.Paint(authors, [](int, int) { return kLabelGreen; });
    canvas.Paint(loading, [](int, int) { return CRGB{0.55f, 0.66f, 0.60f}; });
}

// The bead seen from the front, lit from the upper left, u and v in [-1, 1].
CRGB Bead(float u, float v)
{
    const float r2 = u * u + v * v;
    if (r2 >= 1.0f) return kSlotFloor;
    const float nz = std::sqrt(1.0f - r2);
    const float diffuse = std::max(0.0f, -0.45f * u + 0.55f * v + 0.70f * nz);
    const float h = std::max(0.0f, -0.25f * u + 0.30f * v + 0.92f * nz);
    const float specular = std::pow(h, 40.0f);
    const float rim = std::pow(1.0f - nz, 3.0f);
    const CRGB body = Scale(CRGB{0.10f, 0.75f, 0.30f}, 0.25f + 0.85f * diffuse);
    return CRGB{body.r + specular + rim * 0.1f, body.g + specular + rim * 0.5f,
                body.b + specular + rim * 0.2f};
}

}  // namespace

CCanvas MakeLoaderBack(CFONTS& fonts)
{
    CCanvas canvas = BrushedMetal(kWidth, kHeight, 0.14f, 23);
    DrawBackdrop(canvas);
    DrawSlot(canvas);
    DrawLettering(canvas, fonts);
    return canvas;
}

CCanvas MakeLoaderBall()
{
    const int samples = 6;
    CCanvas canvas(kBall, kBall, kSlotFloor);
    for (int y = 0; y < kBall; ++y)
        for (int x = 0; x < kBall; ++x) {
            CRGB sum = {0, 0, 0};
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const float u = ((x + (sx + 0.5f) / samples) - 10.0f) / 9.0f;
                    const float v = (10.0f - (y + (sy + 0.5f) / samples)) / 9.0f;
                    const CRGB c = Bead(u, v);
                    sum = CRGB{sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            canvas.Set(x, y, Scale(sum, 1.0f / (samples * samples)));
        }
    return canvas;
}
