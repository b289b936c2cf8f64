// The setup dialog's banner: the title in chrome on brushed metal with
// faint green traces behind it, the authors in green, a green rule below.
#include "pictures.h"
#include "shapes.h"
#include "shell/picture_layout.h"
#include "style.h"
#include "texts.h"

namespace {

// The picture spans the dialog's width above its list and buttons.
const int kWidth = SETUP_DIALOG_WIDTH;
const int kHeight = SETUP_PICTURE_HEIGHT;

void DrawBackdrop(CCanvas& canvas)
{
    CLayer lines(kWidth, kHeight), nodes(kWidth, kHeight);
    tools::Xorshift32 random(0x5E7u);
    DrawTraces(lines, nodes, random, 14, CTRACEBOX{6, 6, kWidth - 6.0f, kHeight - 10.0f}, 12.0f, 1.0f);
    AddGlow(canvas, lines, kTraceGreen, 2, 0.25f);
    canvas.Add(lines, Scale(kTraceGreen, 0.22f));
    canvas.Add(nodes, Scale(kTraceGreen, 0.3f));
    CLayer rule(kWidth, kHeight);
    DrawRect(rule, 0.0f, kHeight - 3.0f, kWidth, kHeight - 1.0f);
    AddGlow(canvas, rule, kTraceGreen, 3, 0.5f);
    canvas.Paint(rule, [](int, int) { return kTraceGreen; });
}

}  // namespace

CCanvas MakeSetupBanner(CFONTS& fonts)
{
    CCanvas canvas = BrushedMetal(kWidth, kHeight, 0.16f, 11);
    DrawBackdrop(canvas);
    CLayer title(kWidth, kHeight), authors(kWidth, kHeight);
    fonts.bold.DrawCentred(title, kWidth * 0.5f, 80.0f, kTitle, CTEXTSTYLE{66.0f, 1.0f, 2.0f});
    fonts.regular.DrawCentred(authors, kWidth * 0.5f, 110.0f, kAuthors, CTEXTSTYLE{15.0f, 1.0f, 4.0f});
    DropShadow(canvas, title, 2, 3, 3, 0.8f);
    AddGlow(canvas, title, kTraceGreen, 5, 0.35f);
    canvas.Paint(title, [](int, int y) { return Chrome(y, 32.0f, 81.0f); });
    canvas.Paint(authors, [](int, int) { return kLabelGreen; });
    return canvas;
}
