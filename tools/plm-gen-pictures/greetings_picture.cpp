// The greetings column: a chrome heading, sections of greetings in white
// under green headings joined by a trace down the left edge, and the
// sign-off in the last 260 rows, which stay on screen once the scroll stops.
// Drawn additively over the grey panel, so the background is black.
#include <algorithm>

#include "pictures.h"
#include "shapes.h"
#include "style.h"
#include "texts.h"

namespace {

const int kWidth = 512;
const int kHeight = 4096;
// Shown 400 x 3525 pixels on a 4:3 screen: letters are set wider by this
// much so that they look right there.
const float kStretch = 1.10f;
const float kTextLeft = 56.0f;
const float kTextRight = 492.0f;
const float kTraceX = 30.0f;
const float kSignOffTop = kHeight - 260.0f;

// The largest size up to `size` at which text fits between the margins.
CTEXTSTYLE Fit(CFONT& font, const char* text, float size, float tracking)
{
    CTEXTSTYLE style = {size, kStretch, tracking};
    while (style.pixelSize > 12.0f && font.Measure(text, style) > kTextRight - kTextLeft)
        style.pixelSize -= 1.0f;
    return style;
}

struct CLAYERS {
    CLayer chrome{kWidth, kHeight};
    CLayer heading{kWidth, kHeight};
    CLayer body{kWidth, kHeight};
    CLayer trace{kWidth, kHeight};
};

float SectionHeight(const CGREETINGSECTION& section)
{
    return 150.0f + 118.0f * section.lines.size();
}

// One size for every greeting: the largest at which the longest one fits.
float BodySize(CFONT& font)
{
    float size = 38.0f;
    for (const CGREETINGSECTION& s : GreetingSections())
        for (const char* line : s.lines) size = std::min(size, Fit(font, line, size, 0.5f).pixelSize);
    return size;
}

void DrawSection(CLAYERS& layers, CFONTS& fonts, const CGREETINGSECTION& section, float top, float bodySize)
{
    fonts.bold.Draw(layers.heading, kTextLeft, top + 40.0f, section.heading,
                    Fit(fonts.bold, section.heading, 34.0f, 2.0f));
    DrawSegment(layers.trace, kTraceX, top + 28.0f, kTextLeft - 10.0f, top + 28.0f, 2.0f);
    DrawDisc(layers.trace, kTraceX, top + 28.0f, 6.0f);
    float y = top + 150.0f;
    for (const char* line : section.lines) {
        fonts.regular.Draw(layers.body, kTextLeft, y, line, CTEXTSTYLE{bodySize, kStretch, 0.5f});
        DrawRing(layers.trace, kTraceX, y - 13.0f, 4.0f, 2.0f, 0.8f);
        y += 118.0f;
    }
}

void DrawHeader(CLAYERS& layers, CFONTS& fonts)
{
    fonts.bold.DrawCentred(layers.chrome, kWidth * 0.5f, 150.0f, "greetings",
                           CTEXTSTYLE{72.0f, kStretch, 2.0f});
    DrawSegment(layers.trace, 40.0f, 190.0f, kWidth - 40.0f, 190.0f, 2.5f);
    DrawSegment(layers.trace, kTraceX, 190.0f, kTraceX, kSignOffTop - 40.0f, 2.0f, 0.55f);
}

void DrawSignOff(CLAYERS& layers, CFONTS& fonts)
{
    DrawSegment(layers.trace, 40.0f, kSignOffTop + 20.0f, kWidth - 40.0f, kSignOffTop + 20.0f, 2.5f);
    fonts.bold.DrawCentred(layers.chrome, kWidth * 0.5f, kSignOffTop + 130.0f, kTitle,
                           CTEXTSTYLE{84.0f, kStretch, 2.0f});
    fonts.regular.DrawCentred(layers.heading, kWidth * 0.5f, kSignOffTop + 190.0f, kAuthors,
                              CTEXTSTYLE{30.0f, kStretch, 5.0f});
}

}  // namespace

CCanvas MakeGreetings(CFONTS& fonts)
{
    CLAYERS layers;
    DrawHeader(layers, fonts);
    float total = 0.0f;
    for (const CGREETINGSECTION& s : GreetingSections()) total += SectionHeight(s);
    const float start = 300.0f, room = kSignOffTop - 80.0f - start;
    const float gap = std::max(0.0f, (room - total) / GreetingSections().size());
    const float bodySize = BodySize(fonts.regular);
    float top = start + gap * 0.5f;
    for (const CGREETINGSECTION& s : GreetingSections()) {
        DrawSection(layers, fonts, s, top, bodySize);
        top += SectionHeight(s) + gap;
    }
    DrawSignOff(layers, fonts);
    CCanvas canvas(kWidth, kHeight, CRGB{0, 0, 0});
    AddGlow(canvas, layers.trace, kTraceGreen, 4, 0.6f);
    AddGlow(canvas, layers.chrome, kTraceGreen, 6, 0.5f);
    canvas.Paint(layers.trace, [](int, int) { return kTraceGreen; });
    canvas.Paint(layers.heading, [](int, int) { return kLabelGreen; });
    canvas.Paint(layers.body, [](int, int) { return CRGB{0.95f, 0.97f, 0.96f}; });
    canvas.Paint(layers.chrome, [](int, int y) {
        const float top = y < kHeight / 2 ? 95.0f : kSignOffTop + 68.0f;
        return Chrome(y, top, top + 64.0f);
    });
    return canvas;
}
