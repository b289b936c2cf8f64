// Letterboxed views and the scene windows of the timeline.
#include "tests/support/gl_context.h"
#include "runtime/display_mode.h"
#include "scene/timeline.h"
#include "scene/views.h"
#include "shell/demo_window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Letterbox, BandsForCommonHeights)
{
    struct {
        uint32_t h;
        int32_t y, height;
    } cases[] = {
        {480, 24, 431},  {600, 30, 539}, {768, 38, 691}, {1024, 51, 921},
        {1080, 54, 971}, {1, 0, 0},      {0, 0, 0},
    };
    for (const auto& c : cases) {
        CVIEWPORT v = LetterboxViewport(1024, c.h);
        EXPECT_EQ(v.x, 0) << c.h;
        EXPECT_EQ(v.width, 1024) << c.h;
        EXPECT_EQ(v.y, c.y) << c.h;
        EXPECT_EQ(v.height, c.height) << c.h;
    }
}

TEST(Timeline, SceneWindowsUseTheExactComparisons)
{
    EXPECT_EQ(SceneAt(0.0f), SCENE_PIPES_FLIGHT);
    EXPECT_EQ(SceneAt(10700.0f), SCENE_PIPES_FLIGHT);
    EXPECT_EQ(SceneAt(10700.01f), SCENE_FACE_FLIGHT);
    EXPECT_EQ(SceneAt(14749.999f), SCENE_FACE_FLIGHT);
    EXPECT_EQ(SceneAt(14750.0f), SCENE_NONE);
    EXPECT_EQ(SceneAt(14750.001f), SCENE_TURNTABLE);
    EXPECT_EQ(SceneAt(1.0e7f), SCENE_TURNTABLE);
}

class ViewsGL : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plmtest::OpenGlContext());
        DisplayMode = {800, 600, 32, 60};
    }
    static void Project(double x, double y, double z, double* wx, double* wy)
    {
        GLfloat m[16], p[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        glGetFloatv(GL_PROJECTION_MATRIX, p);
        GLint v[4];
        glGetIntegerv(GL_VIEWPORT, v);
        double e[4], c[4];
        for (int r = 0; r < 4; ++r) e[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
        for (int r = 0; r < 4; ++r) c[r] = p[r] * e[0] + p[4 + r] * e[1] + p[8 + r] * e[2] + p[12 + r] * e[3];
        *wx = v[0] + (c[0] / c[3] + 1.0) * v[2] / 2.0;
        *wy = v[1] + (c[1] / c[3] + 1.0) * v[3] / 2.0;
    }
};

TEST_F(ViewsGL, PerspectiveViewUsesTheBandAndWholeScreenAspect)
{
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5, 5, 5);
    SetPerspectiveView();
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], 30);
    EXPECT_EQ(v[2], 800);
    EXPECT_EQ(v[3], 539);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat m[16], p[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    double f = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
    EXPECT_NEAR(p[0], f / (800.0 / 600.0), 1e-5);
    EXPECT_NEAR(p[5], f, 1e-5);
    // Far plane 1000: a point at z = -999 still lies inside the depth range.
    double near = 0.1f, far = 1000.0;
    EXPECT_NEAR(p[10], -(far + near) / (far - near), 1e-6);
}

TEST_F(ViewsGL, OverlayViewIsWindowUnitsWithYDown)
{
    glEnable(GL_DEPTH_TEST);
    SetOverlayView();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    double x, y;
    Project(0, 0, 0, &x, &y);
    EXPECT_NEAR(x, 0, 1e-3);
    EXPECT_NEAR(y, 30 + 539, 1e-3);  // top of the band (GL y grows upwards)
    Project(800, 600, 0, &x, &y);
    EXPECT_NEAR(x, 800, 1e-3);
    EXPECT_NEAR(y, 30, 1e-3);
}

TEST(WindowProcSize, HeightZeroGivesViewportHeightOne)
{
    ASSERT_TRUE(plmtest::OpenGlContext());
    DemoWindowProc(WM_SIZE, 0, static_cast<intptr_t>(640u | (0u << 16)));
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[2], 640);
    EXPECT_EQ(v[3], 1);
    glMatrixMode(GL_PROJECTION);
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glMatrixMode(GL_MODELVIEW);
    EXPECT_NEAR(p[5] / p[0], 640.0, 1e-2);  // aspect width / 1
}

}  // namespace
