// The frame read-back against a real Mesa context: frames taken through the
// queue at every depth, through pixel buffer objects or read at once, are
// the pixels glReadPixels gives right after drawing, in the order drawn.
#include "frame_readback.h"

#include "tests/support/gl_context.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

// The capture looks GL functions up through the platform layer; the test
// links with --wrap on that call (C++ name below) so that it can pretend
// the driver has none of them.
namespace {
bool noGLFunctions = false;
}
extern "C" void* __real__Z21PlatformGLProcAddressPKc(const char* name);
extern "C" void* __wrap__Z21PlatformGLProcAddressPKc(const char* name)
{
    return noGLFunctions ? nullptr : __real__Z21PlatformGLProcAddressPKc(name);
}

namespace {

typedef std::vector<unsigned char> FRAME;

const int FRAMES = 7;

// Picture number k: a background and a triangle whose colours and place
// depend on k, so that frames taken out of order or twice do not match.
void DrawPicture(int k, int width, int height)
{
    glViewport(0, 0, width, height);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor((k * 37 % 256) / 255.0f, (k * 91 % 256) / 255.0f, (k * 13 % 256) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    float x = -0.8f + 0.2f * static_cast<float>(k);
    glBegin(GL_TRIANGLES);
    glColor3ub(static_cast<GLubyte>(255 - k * 20), static_cast<GLubyte>(k * 30), 200);
    glVertex2f(x, -0.9f);
    glVertex2f(x + 0.7f, -0.5f);
    glVertex2f(x + 0.2f, 0.9f);
    glEnd();
}

FRAME ReadNow(int width, int height)
{
    FRAME frame(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    return frame;
}

// Draws FRAMES pictures, taking them through the read-back as a capture
// does; *direct gets each picture read at once, for comparison.
std::vector<FRAME> Capture(CFRAMEREADBACK* readback, int width, int height, std::vector<FRAME>* direct)
{
    std::vector<FRAME> taken;
    size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    auto take = [&] {
        const unsigned char* frame = readback->Take();
        if (frame) taken.emplace_back(frame, frame + bytes);
    };
    for (int k = 0; k < FRAMES; ++k) {
        DrawPicture(k, width, height);
        direct->push_back(ReadNow(width, height));
        readback->Start();
        while (readback->Due()) take();
    }
    while (readback->Pending() > 0) take();
    return taken;
}

class FrameReadback : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plmtest::OpenGlContext(256, 192)); }
    void TearDown() override
    {
        noGLFunctions = false;
        unsetenv("PLM_READBACK_DEPTH");
    }

    // Opens at the depth, captures, and checks the frames against the
    // direct reads; returns whether the frames went through buffers.
    bool ExpectSameFrames(int width, int height, int depth)
    {
        CFRAMEREADBACK readback;
        std::string error;
        EXPECT_TRUE(readback.Open(width, height, depth, &error)) << error;
        std::vector<FRAME> direct;
        std::vector<FRAME> taken = Capture(&readback, width, height, &direct);
        bool overlapped = readback.Overlapped();
        readback.Close();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(taken.size(), static_cast<size_t>(FRAMES)) << "depth " << depth;
        for (size_t k = 0; k < taken.size() && k < direct.size(); ++k)
            EXPECT_TRUE(taken[k] == direct[k]) << "frame " << k << " at depth " << depth;
        return overlapped;
    }
};

TEST_F(FrameReadback, EveryDepthGivesTheDrawnFramesInOrder)
{
    // 37 pixels make rows of 111 bytes: no row padding may creep in.
    for (int depth : {1, 2, 3, 8}) {
        EXPECT_EQ(ExpectSameFrames(256, 192, depth), depth > 1) << depth;
        ExpectSameFrames(37, 23, depth);
    }
    // The pictures really differ, so the order is checked.
    std::vector<FRAME> direct;
    CFRAMEREADBACK readback;
    std::string error;
    ASSERT_TRUE(readback.Open(16, 16, 1, &error));
    Capture(&readback, 16, 16, &direct);
    EXPECT_FALSE(direct[0] == direct[1]);
}

TEST_F(FrameReadback, WithoutPixelBufferObjectsTheQueueStaysAndReadsAtOnce)
{
    noGLFunctions = true;
    EXPECT_FALSE(ExpectSameFrames(256, 192, 3));
    EXPECT_FALSE(ExpectSameFrames(37, 23, 2));
    CFRAMEREADBACK readback;
    std::string error;
    ASSERT_TRUE(readback.Open(64, 48, 3, &error));
    readback.Start();
    readback.Start();
    EXPECT_FALSE(readback.Due());
    readback.Start();
    EXPECT_TRUE(readback.Due());
}

TEST_F(FrameReadback, TheEnvironmentCanForceReadingAtOnce)
{
    setenv("PLM_READBACK_DEPTH", "1", 1);
    EXPECT_FALSE(ExpectSameFrames(256, 192, 4));
    CFRAMEREADBACK readback;
    std::string error;
    ASSERT_TRUE(readback.Open(64, 48, 4, &error));
    readback.Start();
    EXPECT_TRUE(readback.Due());
    setenv("PLM_READBACK_DEPTH", "2", 1);  // only 1 means anything
    ASSERT_TRUE(readback.Open(64, 48, 4, &error));
    EXPECT_TRUE(readback.Overlapped());
}

TEST_F(FrameReadback, TheQueueKeepsItsBoundsAndCanBeOpenedAgain)
{
    CFRAMEREADBACK readback;
    std::string error;
    EXPECT_FALSE(readback.Open(0, 48, 2, &error));
    EXPECT_FALSE(readback.Open(64, -1, 2, &error));
    EXPECT_FALSE(readback.Open(64, 48, 0, &error));
    EXPECT_EQ(readback.Take(), nullptr);

    ASSERT_TRUE(readback.Open(64, 48, 2, &error)) << error;
    EXPECT_EQ(readback.Take(), nullptr);  // nothing started
    DrawPicture(1, 64, 48);
    FRAME first = ReadNow(64, 48);
    readback.Start();
    DrawPicture(2, 64, 48);
    readback.Start();
    EXPECT_TRUE(readback.Due());
    DrawPicture(3, 64, 48);
    readback.Start();  // on a full queue: reads nothing
    EXPECT_EQ(readback.Pending(), 2);
    const unsigned char* taken = readback.Take();
    ASSERT_NE(taken, nullptr);
    EXPECT_TRUE(FRAME(taken, taken + first.size()) == first);

    // Opening again starts an empty queue of the new size.
    ASSERT_TRUE(readback.Open(32, 16, 100, &error)) << error;
    EXPECT_EQ(readback.Pending(), 0);
    for (int i = 0; i < CFRAMEREADBACK::MAX_DEPTH; ++i) readback.Start();
    EXPECT_TRUE(readback.Due());  // deeper asks are held to the most
    readback.Close();
    EXPECT_EQ(readback.Pending(), 0);
    EXPECT_EQ(readback.Take(), nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
