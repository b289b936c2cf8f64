// The finished loading screen against its two pictures, decoded through the
// staged DevIL at the design size: background one to one, balls in a row.
#include "tests/support/gl_context.h"
#include "platform/process.h"
#include "runtime/entry_points.h"
#include "runtime/metal_texture.h"
#include "scene/overlays.h"
#include "scene/scene_init.h"
#include "shell/libraries.h"
#include "shell/loading_screen.h"
#include "shell/picture_file.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdlib>
#include <vector>

#ifndef STAGE_DIR
#error STAGE_DIR must name the staged data tree
#endif

namespace {

bool NoPause(uint32_t)
{
    return true;
}

// Window pixel (x, y), y counted from the top, as R, G, B.
struct Screen {
    std::vector<unsigned char> rgb = std::vector<unsigned char>(1024 * 768 * 3);
    const unsigned char* At(int x, int y) const { return &rgb[((767 - y) * 1024 + x) * 3]; }
};

// Picture pixel (x, y), y from the top, from BGR rows stored bottom first.
const unsigned char* PictureAt(const CPICTUREFILE& p, int x, int y)
{
    return &p.pixels[((p.height - 1 - y) * p.width + x) * 3];
}

void ExpectSame(const unsigned char* screen, const unsigned char* bgr, int x, int y)
{
    EXPECT_NEAR(screen[0], bgr[2], 2) << x << "," << y;
    EXPECT_NEAR(screen[1], bgr[1], 2) << x << "," << y;
    EXPECT_NEAR(screen[2], bgr[0], 2) << x << "," << y;
}

TEST(LoadingPictures, FinishedScreenShowsBackgroundAndTwentyOneBalls)
{
    std::string home = PlatformCurrentDirectory();
    ASSERT_TRUE(PlatformChangeDirectory(STAGE_DIR));
    std::string error;
    ASSERT_TRUE(BindLibraries(&error)) << error;
    ASSERT_TRUE(plmtest::OpenGlContext(1024, 768));
    RunLoadingAnimation(1024, 768, NoPause);
    Screen screen;
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, screen.rgb.data());

    CPICTUREFILE back, ball;
    ASSERT_TRUE(LoadPictureFile("plumora_data/gfx/loader_back.jpg", &back));
    ASSERT_TRUE(LoadPictureFile("plumora_data/gfx/loader_ball.jpg", &ball));
    // The libraries stay loaded until the process ends: once unloaded,
    // DevIL's own allocations could not be told from ours by the leak checker.
    PlatformChangeDirectory(home.c_str());
    ASSERT_EQ(back.width, 1024);
    ASSERT_EQ(ball.width, 20);

    for (int y : {0, 100, 383, 600, 675, 697, 767})
        for (int x : {0, 299, 512, 721, 1023}) ExpectSame(screen.At(x, y), PictureAt(back, x, y), x, y);
    for (int i = 0; i < LOADING_BALL_COUNT; ++i)
        for (int b : {2, 10, 17})
            ExpectSame(screen.At(300 + 20 * i + b, 676 + b), PictureAt(ball, b, b), i, b);
}

// The scene's loads made ahead, as the loading screen's pauses make them:
// seven steps in all, none again in InitScene, which still leaves the metal
// texture bound; the next InitScene loads everything anew.
TEST(SceneLoads, MadeAheadTheyAreNotMadeAgain)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string home = PlatformCurrentDirectory();
    ASSERT_TRUE(PlatformChangeDirectory(STAGE_DIR));
    std::string error;
    ASSERT_TRUE(BindLibraries(&error)) << error;
    ASSERT_TRUE(plmtest::OpenGlContext(64, 64));
    EntryPoints.ilInit();  // as the loading screen does before its pauses
    int steps = 1;
    while (LoadNextSceneAsset()) ++steps;
    EXPECT_EQ(steps, 7);
    EXPECT_FALSE(LoadNextSceneAsset());
    EXPECT_EQ(greetingsTexture.Width(), 512);
    EXPECT_EQ(greetingsTexture.Height(), 4096);
    EXPECT_EQ(creditsTexture.HasMask(), 1);
    ASSERT_NE(metalTexture, 0u);
    const unsigned int metal = metalTexture;

    // Released here, the greetings stay empty unless InitScene loads them again.
    greetingsTexture.Release();
    glBindTexture(GL_TEXTURE_2D, 0);
    InitScene();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), metal);
    EXPECT_EQ(greetingsTexture.Width(), 0);
    EXPECT_EQ(metalTexture, metal);
    EXPECT_TRUE(LoadNextSceneAsset());
    ShutdownScene();
    PlatformChangeDirectory(home.c_str());
}

}  // namespace
