#include "shell/loading_screen.h"

#include "platform/window.h"
#include "runtime/entry_points.h"
#include "shell/frame_loop.h"
#include "shell/picture_file.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>

namespace {

const char* const BACKGROUND_PICTURE = "plumora_data/gfx/loader_back.jpg";
const char* const BALL_PICTURE = "plumora_data/gfx/loader_ball.jpg";

// Where the pauses of ShowLoadingScreen record the last message taken.
PLATFORMMSG* lastMessage = nullptr;
// The work that the pauses run step by step; null once none is left.
bool (*pauseWork)() = nullptr;

bool PauseOnMessages(uint32_t milliseconds)
{
    return PumpMessagesWorking(milliseconds, &pauseWork, lastMessage);
}

// A picture as a texture; 0 when the picture could not be loaded.
GLuint MakeTexture(const char* path)
{
    CPICTUREFILE picture;
    if (!LoadPictureFile(path, &picture)) return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, picture.width, picture.height, 0, GL_BGR, GL_UNSIGNED_BYTE,
                 picture.pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return texture;
}

// Window pixels, y down; rows of the pictures are bottom-up.
void DrawRect(GLuint texture, int x, int y, int width, int height)
{
    if (texture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glColor3f(1.0f, 1.0f, 1.0f);
    } else {
        glDisable(GL_TEXTURE_2D);
        glColor3f(0.2f, 0.8f, 0.3f);
    }
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2i(x, y);
    glTexCoord2f(1, 1);
    glVertex2i(x + width, y);
    glTexCoord2f(1, 0);
    glVertex2i(x + width, y + height);
    glTexCoord2f(0, 0);
    glVertex2i(x, y + height);
    glEnd();
}

void SetWindowProjection(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
}

// Background and the first `balls` balls: the whole picture, so that each
// presented buffer shows every ball drawn so far. The projection is set
// each time: a resize handled during a pause sets the demo's own.
void DrawStep(GLuint background, GLuint ball, const CBALLGEOMETRY& g, int width, int height, int balls)
{
    SetWindowProjection(width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (background) DrawRect(background, 0, 0, width, height);
    for (int i = 0; i < balls; ++i) DrawRect(ball, LoadingBallLeft(g, i), g.top, g.ballWidth, g.ballHeight);
    glDisable(GL_TEXTURE_2D);
    glFlush();
    PlatformSwapBuffers();
}

}  // namespace

CBALLGEOMETRY LoadingBallGeometry(uint32_t width, uint32_t height)
{
    CBALLGEOMETRY g;
    // Both reciprocals are the floats nearest 1/1024 and 1/768.
    g.sx = static_cast<float>(width) * (1.0f / LOADING_DESIGN_WIDTH);
    g.sy = static_cast<float>(height) * (1.0f / LOADING_DESIGN_HEIGHT);
    g.ballHeight = static_cast<int>(g.sy * LOADING_BALL_SIZE);
    g.ballWidth = static_cast<int>(g.sx * LOADING_BALL_SIZE);
    g.top = static_cast<int>(g.sy * LOADING_BALLS_TOP);
    g.left0 = static_cast<int>(g.sx * LOADING_BALLS_LEFT);
    return g;
}

int LoadingBallLeft(const CBALLGEOMETRY& g, int ball)
{
    return g.left0 + static_cast<int>(static_cast<float>(ball) * g.sx * LOADING_BALL_SIZE);
}

bool RunLoadingAnimation(int width, int height, bool (*pause)(uint32_t milliseconds))
{
    CBALLGEOMETRY g = LoadingBallGeometry(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    if (EntryPoints.ilInit) EntryPoints.ilInit();
    GLuint background = MakeTexture(BACKGROUND_PICTURE);
    GLuint ball = MakeTexture(BALL_PICTURE);
    DrawStep(background, ball, g, width, height, 0);
    bool complete = true;
    for (int i = 0; i < LOADING_BALL_COUNT && complete; ++i) {
        complete = pause(static_cast<uint32_t>(std::rand() % 500));
        if (complete) DrawStep(background, ball, g, width, height, i + 1);
    }
    if (background) glDeleteTextures(1, &background);
    if (ball) glDeleteTextures(1, &ball);
    return complete;
}

bool ShowLoadingScreen(int width, int height, PLATFORMMSG* last, bool (*work)())
{
    lastMessage = last;
    pauseWork = work;
    bool complete = RunLoadingAnimation(width, height, PauseOnMessages);
    lastMessage = nullptr;
    pauseWork = nullptr;
    return complete;
}
