// The credits: the title in chrome over a green rule, then one block per
// role (green label, silver name, green accent bar). Pure black elsewhere:
// anything darker than the floor is written as 0 so the mask cuts it out.
#include "pictures.h"
#include "shapes.h"
#include "style.h"
#include "texts.h"

namespace {

const int kSize = 256;
// Shown 280 x 231 pixels on a 4:3 screen: letters are set narrower by this
// much so that they look right there.
const float kStretch = 0.825f;

void DrawTitle(CCanvas& canvas, CFONTS& fonts)
{
    CLayer title(kSize, kSize), rule(kSize, kSize);
    const CTEXTSTYLE style = {46.0f, kStretch, 1.0f};
    fonts.bold.DrawCentred(title, kSize * 0.5f, 46.0f, kTitle, style);
    DrawSegment(rule, 26.0f, 60.5f, 230.0f, 60.5f, 1.4f);
    DrawDisc(rule, 24.0f, 60.5f, 2.6f);
    DrawDisc(rule, 232.0f, 60.5f, 2.6f);
    AddGlow(canvas, title, kTraceGreen, 3, 0.35f);
    AddGlow(canvas, rule, kTraceGreen, 2, 0.5f);
    canvas.Paint(rule, [](int, int) { return kTraceGreen; });
    canvas.Paint(title, [](int, int y) { return Chrome(y, 14.0f, 47.0f); });
}

void DrawRole(CCanvas& canvas, CFONTS& fonts, const CROLE& role, float top)
{
    CLayer label(kSize, kSize), name(kSize, kSize), bar(kSize, kSize);
    fonts.regular.Draw(label, 30.0f, top + 11.0f, role.role, CTEXTSTYLE{13.0f, kStretch, 1.2f});
    fonts.bold.Draw(name, 30.0f, top + 34.0f, role.name, CTEXTSTYLE{21.0f, kStretch, 0.5f});
    DrawRect(bar, 20.0f, top + 1.0f, 22.5f, top + 35.0f);
    AddGlow(canvas, bar, kTraceGreen, 2, 0.6f);
    canvas.Paint(bar, [](int, int) { return kTraceGreen; });
    canvas.Paint(label, [](int, int) { return kLabelGreen; });
    canvas.Paint(name, [](int, int) { return kSilver; });
}

}  // namespace

CCanvas MakeCredits(CFONTS& fonts)
{
    CCanvas canvas(kSize, kSize, CRGB{0, 0, 0});
    DrawTitle(canvas, fonts);
    float top = 76.0f;
    for (const CROLE& role : CreditRoles()) {
        DrawRole(canvas, fonts, role, top);
        top += 44.0f;
    }
    return canvas;
}
