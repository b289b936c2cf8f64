// The flash: decay, clamping and the quad it adds.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/support/gl_context.h"
#include "tests/support/gl_recorder.h"
#include "scene/flash.h"

namespace {

class Flash : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plmtest::OpenGlContext(1024, 768)); }
    void TearDown() override { glrec::StopRecording(); }
    CFLASH flash;
};

double LastAlpha()
{
    const auto colours = glrec::Only({"glColor4f"});
    return colours.empty() ? -1.0 : colours.back().args[3];
}

}  // namespace

TEST_F(Flash, StartsDarkAndTriggerGivesFullWhite)
{
    EXPECT_EQ(flash.Intensity(), 0.0f);
    flash.Trigger();
    EXPECT_EQ(flash.Intensity(), 1.0f);
}

TEST_F(Flash, TriggerFadesOutOverTwoHundredMillisecondsInPipesFlight)
{
    flash.Trigger();
    glrec::StartRecording();
    flash.DrawFlash(1024, 768, 16.0f * 0.005f);
    EXPECT_FLOAT_EQ(LastAlpha(), 1.0f - 16.0f * 0.005f);  // nearly white on the same frame
    for (int frame = 1; frame < 12; ++frame) flash.DrawFlash(1024, 768, 16.0f * 0.005f);
    EXPECT_GT(flash.Intensity(), 0.0f);         // 192 ms
    flash.DrawFlash(1024, 768, 8.0f * 0.005f);  // 200 ms
    EXPECT_NEAR(flash.Intensity(), 0.0f, 1e-6f);
    flash.DrawFlash(1024, 768, 16.0f * 0.005f);
    EXPECT_EQ(flash.Intensity(), 0.0f);
}

TEST_F(Flash, LargeDecayClampsToZeroAndStillDrawsTheQuad)
{
    flash.Trigger();
    glrec::StartRecording();
    flash.DrawFlash(800, 600, 5.0f);
    glrec::StopRecording();
    EXPECT_EQ(flash.Intensity(), 0.0f);
    EXPECT_EQ(LastAlpha(), 0.0);
    const auto primitives = glrec::Primitives();
    ASSERT_EQ(primitives.size(), 1u);
    const auto& q = primitives[0];
    ASSERT_EQ(q.size(), 4u);
    EXPECT_EQ(q[0].x, 0);
    EXPECT_EQ(q[0].y, 0);
    EXPECT_EQ(q[1].x, 800);
    EXPECT_EQ(q[1].y, 0);
    EXPECT_EQ(q[2].x, 800);
    EXPECT_EQ(q[2].y, 600);
    EXPECT_EQ(q[3].x, 0);
    EXPECT_EQ(q[3].y, 600);
}

TEST_F(Flash, AddsWhiteWithAlphaBlendAndTexturingOff)
{
    glViewport(0, 0, 1024, 768);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1024, 768, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    flash.Trigger();
    flash.DrawFlash(1024, 768, 0.5f);
    unsigned char rgb[3];
    plmtest::ReadPixel(512, 384, rgb);
    EXPECT_NEAR(rgb[0], 128, 2);
    EXPECT_NEAR(rgb[1], 128, 2);
    EXPECT_NEAR(rgb[2], 128, 2);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE);
}
