// The two projections every scene uses, both inside the letterboxed band
// that leaves black bars of 5 % of the screen height above and below.
#ifndef PLM_SCENE_VIEWS_H
#define PLM_SCENE_VIEWS_H

#include <cstdint>

struct CVIEWPORT {
    int32_t x, y, width, height;
};

// The band for a screen of width x height pixels (taken as unsigned):
// y = trunc(H * 0.05f), height = trunc(H - H * 0.1f), both single-precision
// constants widened to double, so a multiple of 10 loses one pixel.
CVIEWPORT LetterboxViewport(uint32_t width, uint32_t height);

// Letterboxed viewport, 45-degree perspective over the whole screen's
// aspect, identity model-view, depth test on.
void SetPerspectiveView();
// Letterboxed viewport, 2D window units with the origin top left (y down),
// identity model-view, depth test off.
void SetOverlayView();

#endif
