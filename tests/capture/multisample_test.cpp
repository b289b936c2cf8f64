// The multisampled picture of --aa against a real Mesa context: the demo's
// drawing lands in it, the read-back resolves it into smooth edges with
// untouched insides, and the window's buffers come back on closing.
#include "frame_readback.h"
#include "multisample_target.h"

#include "tests/support/gl_context.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <string>
#include <vector>

namespace {

const int SIDE = 64;

// White triangle with one slanted edge on black, and its fully covered
// corner at the bottom left.
void DrawWedge()
{
    glViewport(0, 0, SIDE, SIDE);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3ub(255, 255, 255);
    glBegin(GL_TRIANGLES);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(1.0f, -1.0f);
    glVertex2f(-1.0f, 0.63f);
    glEnd();
}

GLint DrawBinding()
{
    GLint binding = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &binding);
    return binding;
}

// Reads the drawn wedge through a depth-2 read-back, with the scissor test
// left on a 1x1 box as the demo might leave it.
std::vector<unsigned char> ReadWedge()
{
    CFRAMEREADBACK readback;
    std::string error;
    EXPECT_TRUE(readback.Open(SIDE, SIDE, 2, &error)) << error;
    DrawWedge();
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
    readback.Start();
    const unsigned char* frame = readback.Take();
    std::vector<unsigned char> pixels;
    if (frame) pixels.assign(frame, frame + SIDE * SIDE * 3);
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));  // left as it was
    glDisable(GL_SCISSOR_TEST);
    readback.Close();
    return pixels;
}

int CountBetween(const std::vector<unsigned char>& pixels)
{
    int count = 0;
    for (unsigned char value : pixels) count += value > 0 && value < 255;
    return count;
}

class MultisampleTarget : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plmtest::OpenGlContext(256, 192));
        maxSamples = MaxPictureSamples();
        if (maxSamples < 2) GTEST_SKIP() << "no multisampled rendering here";
    }
    int maxSamples = 1;
};

TEST_F(MultisampleTarget, EdgesAreSmoothedAndInsidesKept)
{
    std::vector<unsigned char> plain = ReadWedge();
    ASSERT_EQ(plain.size(), static_cast<size_t>(SIDE * SIDE * 3));
    EXPECT_EQ(CountBetween(plain), 0);  // one sample: every pixel in or out

    CMULTISAMPLETARGET target;
    std::string error;
    ASSERT_TRUE(target.Open(SIDE, SIDE, 2, &error)) << error;
    EXPECT_TRUE(target.IsOpen());
    EXPECT_NE(DrawBinding(), 0);
    std::vector<unsigned char> smooth = ReadWedge();
    EXPECT_NE(DrawBinding(), 0);  // the demo goes on drawing into the picture
    target.Close();
    EXPECT_FALSE(target.IsOpen());
    EXPECT_EQ(DrawBinding(), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    ASSERT_EQ(smooth.size(), plain.size());
    EXPECT_GT(CountBetween(smooth), SIDE / 2);  // about one per row along the edge
    // The whole frame was resolved despite the scissor box: a pixel deep
    // inside the wedge, far from the box, and the top corner are as drawn.
    size_t inside = (2 * SIDE + 40) * 3, topLeft = static_cast<size_t>(SIDE - 1) * SIDE * 3;
    EXPECT_EQ(smooth[inside], 255);
    EXPECT_EQ(smooth[topLeft], 0);
    // Away from the edge, the pixels are those of the single-sampled picture.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            size_t at = (static_cast<size_t>(y) * SIDE + static_cast<size_t>(x)) * 3;
            EXPECT_EQ(smooth[at], plain[at]) << x << "," << y;
        }
}

TEST_F(MultisampleTarget, TheMostSamplesOfferedWorkAndMoreAreRefused)
{
    CMULTISAMPLETARGET target;
    std::string error;
    ASSERT_TRUE(target.Open(SIDE, SIDE, maxSamples, &error)) << error;
    EXPECT_GT(CountBetween(ReadWedge()), SIDE / 2);
    // Opening again replaces the picture; too many samples leave none.
    EXPECT_FALSE(target.Open(SIDE, SIDE, maxSamples * 2, &error));
    EXPECT_NE(error.find(std::to_string(maxSamples * 2) + " samples"), std::string::npos) << error;
    EXPECT_FALSE(target.IsOpen());
    EXPECT_EQ(DrawBinding(), 0);
    EXPECT_FALSE(target.Open(SIDE, SIDE, 1, &error));
    EXPECT_FALSE(target.Open(0, SIDE, 2, &error));
    EXPECT_EQ(DrawBinding(), 0);
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

}  // namespace
