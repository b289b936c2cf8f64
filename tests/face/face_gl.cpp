#include "face_gl.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "scene/scene_init.h"
#include "scene/views.h"
#include "runtime/display_mode.h"
#include "tests/support/gl_context.h"

namespace facetest {

bool MakeContext()
{
    return plmtest::OpenGlContext(SCREEN_WIDTH, SCREEN_HEIGHT);
}

void SetupSceneState()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    SetupLight();
    SetupSphereMap();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glDisable(GL_BLEND);
}

void BeginPerspectiveFrame()
{
    DisplayMode.screenWidth = SCREEN_WIDTH;
    DisplayMode.screenHeight = SCREEN_HEIGHT;
    SetPerspectiveView();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

namespace {

const int TEXTURE_SIZE = 256;

// A studio-like reflection: bright sky above, a dark horizon band, warm
// floor below, with soft streaks so that sphere mapping shows structure.
void ChromeTexel(int x, int y, uint8_t* rgb)
{
    const double v = double(y) / (TEXTURE_SIZE - 1);
    const double u = double(x) / (TEXTURE_SIZE - 1);
    const double streak = 0.5 + 0.5 * std::sin(u * 18.0 + v * 5.0);
    const double sky = 0.35 + 0.6 * v * v;
    const double horizon = std::exp(-std::pow((v - 0.45) / 0.06, 2.0));
    const double level = std::fmax(0.0, sky * (1.0 - 0.8 * horizon) + 0.1 * streak);
    rgb[0] = uint8_t(std::fmin(255.0, 255.0 * level * 0.95));
    rgb[1] = uint8_t(std::fmin(255.0, 255.0 * level * 0.97));
    rgb[2] = uint8_t(std::fmin(255.0, 255.0 * level));
}

void PatternTexel(Pattern pattern, int x, int y, uint8_t* rgb)
{
    switch (pattern) {
        case Pattern::Chrome:
            ChromeTexel(x, y, rgb);
            break;
        case Pattern::White:
            rgb[0] = rgb[1] = rgb[2] = 255;
            break;
        case Pattern::Red:
            rgb[0] = 255, rgb[1] = 0, rgb[2] = 0;
            break;
        case Pattern::LeftBlackRightWhite:
            rgb[0] = rgb[1] = rgb[2] = x < TEXTURE_SIZE / 2 ? 0 : 255;
            break;
    }
}

}  // namespace

unsigned int MakeTexture(Pattern pattern)
{
    std::vector<uint8_t> pixels(TEXTURE_SIZE * TEXTURE_SIZE * 3);
    for (int y = 0; y < TEXTURE_SIZE; ++y)
        for (int x = 0; x < TEXTURE_SIZE; ++x)
            PatternTexel(pattern, x, y, &pixels[(y * TEXTURE_SIZE + x) * 3]);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, TEXTURE_SIZE, TEXTURE_SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

Picture ReadScreen()
{
    Picture picture;
    picture.width = SCREEN_WIDTH;
    picture.height = SCREEN_HEIGHT;
    picture.rgb.resize(size_t(SCREEN_WIDTH) * SCREEN_HEIGHT * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    return picture;
}

bool WritePpm(const Picture& picture, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
    bool ok = true;
    for (int y = picture.height - 1; y >= 0 && ok; --y)
        ok = std::fwrite(picture.At(0, y), 3, size_t(picture.width), file) == size_t(picture.width);
    return std::fclose(file) == 0 && ok;
}

}  // namespace facetest
