#include "scene/flash.h"

#include <GL/gl.h>

CFLASH::CFLASH() : intensity(0.0f) {}

void CFLASH::Trigger()
{
    intensity = 1.0f;
}

void CFLASH::DrawFlash(uint32_t width, uint32_t height, float decay)
{
    intensity = intensity - decay;
    if (intensity < 0.0f) intensity = 0.0f;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, intensity);
    // At alpha 0 the blend adds 0 x white to every pixel: the quad would
    // change nothing but would still cost a full-screen blend. The state
    // above is set all the same, as later drawing may rely on it.
    if (intensity <= 0.0f) return;
    glBegin(GL_QUADS);
    glVertex2d(0.0, 0.0);
    glVertex2d(width, 0.0);
    glVertex2d(width, height);
    glVertex2d(0.0, height);
    glEnd();
}
