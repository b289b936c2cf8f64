// Anti-aliased shapes rasterised into a layer (coverage kept as the maximum
// of what is already there and the new shape). Coordinates are in pixels
// with pixel centres at integer + 0.5.
#ifndef PLM_GEN_SHAPES_H
#define PLM_GEN_SHAPES_H

#include "canvas.h"

// A line of the given width with round ends from (x0, y0) to (x1, y1).
void DrawSegment(CLayer& layer, float x0, float y0, float x1, float y1, float width, float strength = 1.0f);
// A filled disc.
void DrawDisc(CLayer& layer, float cx, float cy, float radius, float strength = 1.0f);
// A circle outline of the given line width.
void DrawRing(CLayer& layer, float cx, float cy, float radius, float width, float strength = 1.0f);
// An axis-aligned filled rectangle with soft (one pixel) edges.
void DrawRect(CLayer& layer, float x0, float y0, float x1, float y1, float strength = 1.0f);

#endif
