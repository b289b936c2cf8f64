// The view transform as OpenGL builds it, read back from a real context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "scene/camera.h"
#include "tests/support/gl_context.h"

namespace {

class CameraView : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plmtest::OpenGlContext(64, 64)) << "no GL context";
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // A point through the model-view matrix that ApplyView built.
    static CVECTOR ViewOf(const CCAMERA& camera, CVECTOR p)
    {
        const_cast<CCAMERA&>(camera).ApplyView();
        float m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        glLoadIdentity();
        return CVECTOR{m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                       m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                       m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
    }
};

void ExpectNear(CVECTOR v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-4f);
    EXPECT_NEAR(v.y, y, 1e-4f);
    EXPECT_NEAR(v.z, z, 1e-4f);
}

TEST_F(CameraView, EyeGoesToTheOrigin)
{
    CCAMERA camera;
    camera.eye = CVECTOR{3.0f, -4.0f, 12.0f};
    camera.yaw = 33.0f;
    camera.pitch = -20.0f;
    ExpectNear(ViewOf(camera, camera.eye), 0, 0, 0);
}

TEST_F(CameraView, AimedTargetLiesStraightAhead)
{
    const CVECTOR offsets[] = {{0, 0, -5}, {5, 0, 0},  {-5, 0, 0},  {0, 0, 5},
                               {3, -4, 0}, {-2, 6, 3}, {1, -1, -1}, {-7, 2, 9}};
    for (CVECTOR offset : offsets) {
        CCAMERA camera;
        camera.eye = CVECTOR{10.0f, 20.0f, -30.0f};
        camera.AimAt(camera.eye.Add(offset));
        float distance = std::sqrt(offset.Dot(offset));
        ExpectNear(ViewOf(camera, camera.eye.Add(offset)), 0, 0, -distance);
    }
}

TEST_F(CameraView, RollTurnsTheViewLast)
{
    CCAMERA camera;
    camera.roll = 90.0f;
    camera.yaw = 90.0f;
    // yaw 90 looks along +X, so +Z is to the right; roll 90 then turns the
    // picture a quarter turn: right becomes up.
    ExpectNear(ViewOf(camera, CVECTOR{0, 0, 1}), 0, 1, 0);
    ExpectNear(ViewOf(camera, CVECTOR{1, 0, 0}), 0, 0, -1);
}

TEST_F(CameraView, MultipliesTheCurrentMatrix)
{
    CCAMERA camera;
    camera.eye = CVECTOR{0.0f, 0.0f, 5.0f};
    glScalef(0.5f, 0.5f, 0.5f);
    ExpectNear(ViewOf(camera, CVECTOR{2, 0, 5}), 1, 0, 0);
}

}  // namespace
