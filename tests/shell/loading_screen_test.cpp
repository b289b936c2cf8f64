// Ball geometry and the drawing sequence of the loading screen.
#include "tests/support/gl_context.h"
#include "platform/events.h"
#include "platform/termination.h"
#include "runtime/entry_points.h"
#include "shell/demo_window.h"
#include "shell/loading_screen.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

TEST(LoadingBalls, DesignSizeIsOneGapFreeRow)
{
    CBALLGEOMETRY g = LoadingBallGeometry(1024, 768);
    EXPECT_EQ(g.ballWidth, 20);
    EXPECT_EQ(g.ballHeight, 20);
    EXPECT_EQ(g.top, 676);
    for (int i = 0; i < LOADING_BALL_COUNT; ++i) EXPECT_EQ(LoadingBallLeft(g, i), 300 + 20 * i);
}

TEST(LoadingBalls, ScaledSizesTruncate)
{
    CBALLGEOMETRY g = LoadingBallGeometry(800, 600);
    EXPECT_FLOAT_EQ(g.sx, 0.78125f);
    EXPECT_EQ(g.ballWidth, 15);
    EXPECT_EQ(g.ballHeight, 15);
    EXPECT_EQ(g.top, 528);
    EXPECT_EQ(g.left0, 234);
    for (int i = 0; i < LOADING_BALL_COUNT; ++i)
        EXPECT_EQ(LoadingBallLeft(g, i), 234 + static_cast<int>(15.625 * i));

    g = LoadingBallGeometry(1280, 1024);
    EXPECT_EQ(g.ballWidth, 25);
    EXPECT_EQ(g.ballHeight, 26);
    EXPECT_EQ(g.top, 901);
    EXPECT_EQ(g.left0, 375);
    EXPECT_EQ(LoadingBallLeft(g, 20), 375 + 25 * 20);
}

std::vector<uint32_t> pauses;
bool RecordPause(uint32_t ms)
{
    pauses.push_back(ms);
    return true;
}

TEST(LoadingAnimation, TwentyOnePausesAndBallsWithoutPictures)
{
    // No image library bound: the pictures are reported missing, the
    // background stays black and the balls are drawn plain.
    EntryPoints = CENTRYPOINTS();
    ASSERT_TRUE(plmtest::OpenGlContext(256, 192));
    pauses.clear();
    EXPECT_TRUE(RunLoadingAnimation(256, 192, RecordPause));
    ASSERT_EQ(pauses.size(), 21u);
    for (uint32_t p : pauses) EXPECT_LT(p, 500u);

    CBALLGEOMETRY g = LoadingBallGeometry(256, 192);
    std::vector<unsigned char> row(256 * 3);
    int y = 191 - (g.top + g.ballHeight / 2);  // GL rows count from the bottom
    glReadPixels(0, y, 256, 1, GL_RGB, GL_UNSIGNED_BYTE, row.data());
    int lit = 0;
    for (int x = 0; x < 256; ++x) lit += row[x * 3 + 1] > 100 ? 1 : 0;
    int first = LoadingBallLeft(g, 0), last = LoadingBallLeft(g, 20) + g.ballWidth;
    EXPECT_EQ(lit, last - first);
    EXPECT_LT(row[(first - 1) * 3 + 1], 10);
    EXPECT_GT(row[first * 3 + 1], 100);
    EXPECT_LT(row[last * 3 + 1], 10);
}

int pausesLeft = 0;
bool PauseUntilNoneLeft(uint32_t)
{
    return pausesLeft-- > 0;
}

// Green pixels on the row through the balls' middle.
int LitBallPixels(int width, int height)
{
    CBALLGEOMETRY g = LoadingBallGeometry(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    glReadPixels(0, height - 1 - (g.top + g.ballHeight / 2), width, 1, GL_RGB, GL_UNSIGNED_BYTE, row.data());
    int lit = 0;
    for (int x = 0; x < width; ++x) lit += row[static_cast<size_t>(x) * 3 + 1] > 100 ? 1 : 0;
    return lit;
}

// The pauses handle the window's messages; a resize among them sets the
// demo's perspective projection, which must not skew the later balls.
bool PauseWithResize(uint32_t)
{
    DemoWindowProc(WM_SIZE, 0, static_cast<intptr_t>(256u | (192u << 16)));
    return true;
}

TEST(LoadingAnimation, ResizeDuringAPauseKeepsTheLook)
{
    EntryPoints = CENTRYPOINTS();
    ASSERT_TRUE(plmtest::OpenGlContext(256, 192));
    CBALLGEOMETRY g = LoadingBallGeometry(256, 192);
    EXPECT_TRUE(RunLoadingAnimation(256, 192, PauseWithResize));
    EXPECT_EQ(LitBallPixels(256, 192), LoadingBallLeft(g, 20) + g.ballWidth - LoadingBallLeft(g, 0));
}

TEST(LoadingAnimation, StopsAtThePauseThatEndsTheRun)
{
    EntryPoints = CENTRYPOINTS();
    ASSERT_TRUE(plmtest::OpenGlContext(256, 192));
    CBALLGEOMETRY g = LoadingBallGeometry(256, 192);
    // The fourth pause ends the run: three balls are on screen, no more.
    pausesLeft = 3;
    EXPECT_FALSE(RunLoadingAnimation(256, 192, PauseUntilNoneLeft));
    EXPECT_EQ(pausesLeft, -1);
    EXPECT_EQ(LitBallPixels(256, 192), LoadingBallLeft(g, 3) - LoadingBallLeft(g, 0));
    // The first pause ends it: only the background was presented.
    pausesLeft = 0;
    EXPECT_FALSE(RunLoadingAnimation(256, 192, PauseUntilNoneLeft));
    EXPECT_EQ(LitBallPixels(256, 192), 0);
}

// The pauses' own rules are in frame_loop_test.cpp; these run the real
// loading screen.
TEST(LoadingPause, TapEndsTheLoadingScreenEarly)
{
    EntryPoints = CENTRYPOINTS();
    ASSERT_TRUE(plmtest::OpenGlContext(256, 192));
    for (PLATFORMMSG m; PlatformPeekMessage(&m);) {
    }
    PlatformPostMessage(WM_KEYDOWN, PLATFORM_KEY_ESCAPE, 0);
    PlatformPostMessage(WM_KEYUP, PLATFORM_KEY_ESCAPE, 0);
    PLATFORMMSG last = {};
    EXPECT_FALSE(ShowLoadingScreen(256, 192, &last));
    EXPECT_EQ(last.wParam, 27u);
}

// A signal reaches whichever thread it reaches; the waiting loop still ends
// through a close request, well inside the pause. Run in a child process so
// that the signal state stays there.
TEST(LoadingPause, QuitSignalEndsTheLoadingScreen)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            EntryPoints = CENTRYPOINTS();
            if (!plmtest::OpenGlContext(256, 192)) std::exit(3);
            PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
            std::thread sender([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
                raise(SIGHUP);
            });
            PLATFORMMSG last = {};
            auto start = std::chrono::steady_clock::now();
            // Pauses of up to 0.5 s each: the whole animation takes seconds.
            bool complete = ShowLoadingScreen(256, 192, &last);
            std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
            sender.join();
            bool closed = !complete && last.message == WM_QUIT && last.wParam == 0;
            std::exit(closed && waited.count() < 2.0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
