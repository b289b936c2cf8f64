#include "scene/views.h"

#include "runtime/display_mode.h"

#include <GL/gl.h>
#include <GL/glu.h>

CVIEWPORT LetterboxViewport(uint32_t width, uint32_t height)
{
    const double top = 0.05f;
    const double bands = 0.1f;
    CVIEWPORT viewport;
    viewport.x = 0;
    viewport.width = static_cast<int32_t>(width);
    viewport.y = static_cast<int32_t>(static_cast<double>(height) * top);
    viewport.height = static_cast<int32_t>(static_cast<double>(height) - static_cast<double>(height) * bands);
    return viewport;
}

namespace {

uint32_t ScreenWidth()
{
    return static_cast<uint32_t>(DisplayMode.screenWidth);
}

uint32_t ScreenHeight()
{
    return static_cast<uint32_t>(DisplayMode.screenHeight);
}

void SetLetterboxViewport()
{
    CVIEWPORT v = LetterboxViewport(ScreenWidth(), ScreenHeight());
    glViewport(v.x, v.y, v.width, v.height);
}

}  // namespace

void SetPerspectiveView()
{
    SetLetterboxViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double aspect = static_cast<double>(ScreenWidth()) / static_cast<double>(ScreenHeight());
    gluPerspective(45.0, aspect, static_cast<double>(0.1f), 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
}

void SetOverlayView()
{
    SetLetterboxViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, static_cast<double>(ScreenWidth()), static_cast<double>(ScreenHeight()), 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
}
