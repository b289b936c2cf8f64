// The 2D overlays over the 3D scenes: the scrolling line strips along the
// top and bottom edges, and the credits overlay of the turntable (white bars,
// the masked credits picture, the greetings picture scrolling up).
//
// Both draw in the y-down overlay space of W x H units (W, H = the display
// mode's screen size), additively; GL context current. They allocate nothing.
#ifndef PLM_SCENE_OVERLAYS_H
#define PLM_SCENE_OVERLAYS_H

#include "scene/texture.h"

// The overlay pictures, created by the scene set-up.
extern CTEXTURE lineTexture;       // "line_01.jpg", no mask
extern CTEXTURE greetingsTexture;  // "greetings.jpg", no mask
extern CTEXTURE creditsTexture;    // "credits.png", with mask

// Scroll state, carried from frame to frame and never reset during a run.
extern float lineScroll;      // strip offset in overlay units, in [-256, 0) after the first call
extern float creditsScroll;   // how far the greetings have risen, overlay units
extern float unitX;           // W / 1024, fixed on the first credits frame
extern float unitY;           // H / 1024, fixed on the first credits frame
extern bool creditsUnitsSet;  // true once unitX and unitY are fixed

// Sets the overlay view, moves the strips on by frameDelta (ms) x 0.25
// units (the offset jumps to -256 when it reaches 0), and draws
// W / 256 + 1 tiles of 256 x 16 along each edge, green at half strength:
// the bottom row moving right, the top row moving left.
void DrawLineStrips(float frameDelta);

// Draws the two translucent white bars, the credits picture and the
// greetings picture, laid out in a 1024 x 1024 design space; the greetings
// rise by frameDelta (ms) / 15 design units and stop when their top edge is
// 4400 design units above the screen. Expects the overlay view to be set.
void DrawCreditsOverlay(float frameDelta);

#endif
