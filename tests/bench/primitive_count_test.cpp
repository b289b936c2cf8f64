// Primitive counting of the frame-rate benchmark on a real Mesa context:
// filled primitives and lines come apart, whichever way they are drawn,
// and nothing drawn outside a frame is counted.
#include "primitive_count.h"

#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

void Triangles(int count)
{
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < count * 3; ++i) glVertex2f(0.1f * (i % 3), 0.1f * ((i + 1) % 3));
    glEnd();
}

// A strip of n vertices: n - 1 lines.
void LineStrip(int vertices)
{
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < vertices; ++i) glVertex2f(0.01f * i, 0.5f);
    glEnd();
}

class PrimitiveCount : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plmtest::OpenGlContext());
        ASSERT_TRUE(PrimitiveCountStart());
    }
    void TearDown() override { PrimitiveCountStop(); }

    // Counts what draw() draws within one frame.
    void CountFrame(void (*draw)(), uint32_t* filled, uint32_t* lines)
    {
        PrimitiveCountBeginFrame();
        draw();
        PrimitiveCountEndFrame();
        glFinish();
        PrimitiveCountResults(filled, lines);
    }
};

TEST_F(PrimitiveCount, ImmediateModeTrianglesAndLinesComeApart)
{
    uint32_t filled = 0, lines = 0;
    CountFrame(
        [] {
            Triangles(3);
            LineStrip(5);
            Triangles(2);
            LineStrip(2);
        },
        &filled, &lines);
    EXPECT_EQ(filled, 5u);
    EXPECT_EQ(lines, 5u);
    // Outside a frame nothing counts, and the next frame starts from zero.
    Triangles(4);
    CountFrame([] { LineStrip(11); }, &filled, &lines);
    EXPECT_EQ(filled, 0u);
    EXPECT_EQ(lines, 10u);
}

TEST_F(PrimitiveCount, ArraysAndDisplayListsCountToo)
{
    static const float corners[] = {0, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1, 1};
    static GLuint list = 0;
    list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    Triangles(7);
    glEndList();
    uint32_t filled = 0, lines = 0;
    CountFrame(
        [] {
            glEnableClientState(GL_VERTEX_ARRAY);
            glVertexPointer(2, GL_FLOAT, 0, corners);
            glDrawArrays(GL_TRIANGLES, 0, 6);
            glDrawArrays(GL_LINES, 0, 6);
            static const GLubyte order[] = {0, 1, 2, 3};
            glDrawElements(GL_LINE_LOOP, 4, GL_UNSIGNED_BYTE, order);
            glDisableClientState(GL_VERTEX_ARRAY);
            glCallList(list);
        },
        &filled, &lines);
    EXPECT_EQ(filled, 2u + 7u);
    EXPECT_EQ(lines, 3u + 4u);
    glDeleteLists(list, 1);
}

}  // namespace
