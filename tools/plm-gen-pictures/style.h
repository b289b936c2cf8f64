// The look shared by the generated pictures: dark brushed metal, chrome
// lettering and thin glowing green traces like the pipes' construction lines.
#ifndef PLM_GEN_STYLE_H
#define PLM_GEN_STYLE_H

#include "canvas.h"
#include "tools/common/random.h"

const CRGB kTraceGreen = {0.30f, 0.95f, 0.45f};
const CRGB kLabelGreen = {0.42f, 0.92f, 0.55f};
const CRGB kSilver = {0.86f, 0.89f, 0.90f};

// Dark steel with horizontal brush marks, lighter towards the top, darker
// towards the corners. seed varies the marks.
CCanvas BrushedMetal(int width, int height, float brightness, int32_t seed);

// Chrome fill for lettering between y = top and y = bottom: bright sky above
// a sharp dark horizon at two fifths, lighter again below with a green cast.
CRGB Chrome(float y, float top, float bottom);

// Adds a blurred copy of layer in color (a glow), strength times.
void AddGlow(CCanvas& canvas, const CLayer& layer, CRGB color, int radius, float strength);

// Darkens the canvas under a blurred copy of layer (a soft drop shadow).
void DropShadow(CCanvas& canvas, const CLayer& layer, int dx, int dy, int radius, float strength);

// Circuit-like traces: count polylines on a grid of `grid` pixels inside the
// box, with right-angle and 45-degree bends, a dot at the start and a ring
// at the end. Lines go into lines, the dots and rings into nodes.
struct CTRACEBOX {
    float x0, y0, x1, y1;
};
void DrawTraces(CLayer& lines, CLayer& nodes, tools::Xorshift32& random, int count, CTRACEBOX box, float grid,
                float width);

#endif
