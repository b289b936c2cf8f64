// The credits: the title in chrome over a green rule, then one block per
// role (green label, silver name, green accent bar). Pure black elsewhere:
// anything darker than the floor is written as 0 so the mask cuts it out.
//
// The picture is shown 280 x 308 design units, squeezed into the letterbox
// band: on a 640 x 480 screen that is 175 x 130 pixels, about half a pixel
// per picture row. Lowercase ascenders reach 0.76 of the pixel size, so a
// label of 24 pixels stands 9 screen pixels tall there, and the four role
// blocks fill the rows below the title down to the bottom margin.
#include "pictures.h"
#include "shapes.h"
#include "style.h"
#include "texts.h"

namespace {

const int kSize = 256;
// Shown 280 x 231 pixels on a 4:3 screen: letters are set narrower by this
// much so that they look right there.
const float kStretch = 0.825f;
const float kNarrowest = 0.65f;

const float kTitleBaseline = 31.0f;
const float kRuleY = 42.5f;
const float kFirstRoleTop = 50.0f;  // top of the first label's ascenders
const float kRoleStep = 52.0f;
const float kTextLeft = 30.0f;
const float kTextRight = 252.0f;
const float kLabelSize = 24.0f;
const float kNameSize = 25.0f;
const float kLabelAscent = 18.5f;   // label top to its baseline
const float kNameBaseline = 45.0f;  // below the role's top
const float kBarBottom = 46.0f;     // below the role's top

// The style of size at which text fits between the text margins: a text too
// wide is set with narrower letters (down to kNarrowest), never lower ones.
CTEXTSTYLE Fit(CFONT& font, const char* text, float size, float tracking)
{
    CTEXTSTYLE style = {size, kStretch, tracking};
    while (style.stretchX > kNarrowest && kTextLeft + font.Measure(text, style) > kTextRight)
        style.stretchX -= 0.025f;
    return style;
}

void DrawTitle(CCanvas& canvas, CFONTS& fonts)
{
    CLayer title(kSize, kSize), rule(kSize, kSize);
    const CTEXTSTYLE style = {34.0f, kStretch, 1.0f};
    fonts.bold.DrawCentred(title, kSize * 0.5f, kTitleBaseline, kTitle, style);
    DrawSegment(rule, 26.0f, kRuleY, 230.0f, kRuleY, 1.4f);
    DrawDisc(rule, 24.0f, kRuleY, 2.6f);
    DrawDisc(rule, 232.0f, kRuleY, 2.6f);
    AddGlow(canvas, title, kTraceGreen, 3, 0.35f);
    AddGlow(canvas, rule, kTraceGreen, 2, 0.5f);
    canvas.Paint(rule, [](int, int) { return kTraceGreen; });
    canvas.Paint(title, [](int, int y) { return Chrome(y, 5.0f, 32.0f); });
}

void DrawRole(CCanvas& canvas, CFONTS& fonts, const CROLE& role, float top)
{
    CLayer label(kSize, kSize), name(kSize, kSize), bar(kSize, kSize);
    fonts.regular.Draw(label, kTextLeft, top + kLabelAscent, role.role,
                       Fit(fonts.regular, role.role, kLabelSize, 0.6f));
    fonts.bold.Draw(name, kTextLeft, top + kNameBaseline, role.name,
                    Fit(fonts.bold, role.name, kNameSize, 0.3f));
    DrawRect(bar, 20.0f, top, 22.5f, top + kBarBottom);
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
    float top = kFirstRoleTop;
    for (const CROLE& role : CreditRoles()) {
        DrawRole(canvas, fonts, role, top);
        top += kRoleStep;
    }
    return canvas;
}
