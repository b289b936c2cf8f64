#include "scene/overlays.h"

#include <GL/gl.h>

#include "runtime/display_mode.h"
#include "scene/views.h"

float lineScroll = 0.0f;
float creditsScroll = 0.0f;
float unitX = 0.0f;
float unitY = 0.0f;
bool creditsUnitsSet = false;

namespace {

const int kTileWidth = 256;
const int kTileHeight = 16;
const float kLineSpeed = 0.25f;           // overlay units per ms
const float kDesignUnit = 0.0009765625f;  // 1 / 1024
const float kCreditsSpeed = 0.06666667f;  // design units per ms (1/15)

void AdvanceLineScroll(float frameDelta)
{
    lineScroll = lineScroll + frameDelta * kLineSpeed;
    if (lineScroll >= 0.0f) lineScroll = -256.0f;
}

void DrawWhiteBars(int screenWidth, int screenHeight)
{
    const double w = screenWidth;
    const double h = screenHeight;
    glBegin(GL_QUADS);
    glVertex2d(550.0f * unitX, 0.0);
    glVertex2d(570.0f * unitX, 0.0);
    glVertex2d(570.0f * unitX, h);
    glVertex2d(550.0f * unitX, h);
    glVertex2d(580.0f * unitX, 0.0);
    glVertex2d(w, 0.0);
    glVertex2d(w, h);
    glVertex2d(580.0f * unitX, h);
    glEnd();
}

void AdvanceCreditsScroll(float frameDelta, int screenHeight)
{
    creditsScroll = creditsScroll + frameDelta * kCreditsSpeed * unitY;
    const float limit = screenHeight + static_cast<float>(4400.0f * unitY);
    if (creditsScroll > limit) creditsScroll = limit;
}

}  // namespace

void DrawLineStrips(float frameDelta)
{
    SetOverlayView();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    AdvanceLineScroll(frameDelta);
    glColor4f(0.0f, 0.7f, 0.0f, 0.5f);
    const int w = DisplayMode.screenWidth;
    const int h = DisplayMode.screenHeight;
    // The offset runs over [-256, 0], so a strip of w / 256 + 1 tiles can end
    // short of the far edge when w is not a multiple of 256; one more tile
    // covers the width at every offset.
    const int n = w / kTileWidth + 2;
    const int s = static_cast<int>(lineScroll);
    for (int i = 0; i < n; ++i) {
        lineTexture.DrawQuad(s + kTileWidth * i, h - kTileHeight, kTileWidth, kTileHeight);
        lineTexture.DrawQuad(w - s - kTileWidth * i - kTileWidth, 0, kTileWidth, kTileHeight);
    }
}

void DrawCreditsOverlay(float frameDelta)
{
    const int w = DisplayMode.screenWidth;
    const int h = DisplayMode.screenHeight;
    if (!creditsUnitsSet) {
        unitX = w * kDesignUnit;
        unitY = h * kDesignUnit;
        creditsUnitsSet = true;
    }
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    DrawWhiteBars(w, h);
    creditsTexture.DrawQuad(static_cast<int>(40.0f * unitX), static_cast<int>(680.0f * unitY),
                            static_cast<int>(280.0f * unitX), static_cast<int>(308.0f * unitY));
    AdvanceCreditsScroll(frameDelta, h);
    greetingsTexture.DrawQuad(static_cast<int>(600.0f * unitX), static_cast<int>(h - creditsScroll),
                              static_cast<int>(400.0f * unitX), static_cast<int>(4700.0f * unitY));
}
