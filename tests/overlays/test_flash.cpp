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

// The state a flash leaves, drawn or not: additive blending on, texturing,
// depth testing and lighting off.
void ExpectAdditiveOverlayState()
{
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

TEST_F(Flash, QuadCoversTheGivenSize)
{
    flash.Trigger();
    glrec::StartRecording();
    flash.DrawFlash(800, 600, 0.25f);
    glrec::StopRecording();
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

// A spent flash adds nothing, so its quad is left out; the faintest flash
// that is still on is drawn.
TEST_F(Flash, LargeDecayClampsToZeroAndSendsNoQuad)
{
    flash.Trigger();
    glrec::StartRecording();
    flash.DrawFlash(800, 600, 5.0f);
    flash.DrawFlash(800, 600, 0.0f);
    glrec::StopRecording();
    EXPECT_EQ(flash.Intensity(), 0.0f);
    EXPECT_EQ(LastAlpha(), 0.0);
    EXPECT_TRUE(glrec::Primitives().empty());
    flash.Trigger();
    glrec::StartRecording();
    flash.DrawFlash(800, 600, 1.0f - 1e-6f);
    glrec::StopRecording();
    EXPECT_GT(flash.Intensity(), 0.0f);
    EXPECT_EQ(glrec::Primitives().size(), 1u);
}

// Without its quad a spent flash still leaves the state a drawn one leaves,
// and the picture as it was.
TEST_F(Flash, SpentFlashSetsTheStateAndKeepsThePicture)
{
    glViewport(0, 0, 1024, 768);
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    unsigned char before[3], after[3];
    plmtest::ReadPixel(512, 384, before);
    flash.DrawFlash(1024, 768, 0.5f);
    plmtest::ReadPixel(512, 384, after);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(after[2], before[2]);
    ExpectAdditiveOverlayState();
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[3], 0.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
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
    ExpectAdditiveOverlayState();
}
