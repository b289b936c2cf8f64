// Line strips and the credits overlay, checked on the recorded GL calls.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/gl_context.h"
#include "tests/support/gl_recorder.h"
#include "runtime/display_mode.h"
#include "runtime/entry_points.h"
#include "runtime/pixel_buffer.h"
#include "scene/flash.h"
#include "scene/overlays.h"
#include "scene/views.h"

namespace {

// How often the overlay view was set: once per glViewport call.
size_t OverlayViews()
{
    return glrec::Only({"glViewport"}).size();
}

void SmallPicture(const char*, int* width, int* height, int* components, unsigned char** pixels)
{
    *width = 4;
    *height = 4;
    *components = 3;
    *pixels = NewPixelBuffer(4, 4);
    (*pixels)[0] = 200;
}

struct Rect {
    double x, y, w, h;
    bool operator==(const Rect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.x << ", " << r.y << ", " << r.w << " x " << r.h << ")";
}

// The rectangles of the recorded quads whose last bound texture is `texture`.
std::vector<Rect> QuadsOf(unsigned int texture)
{
    std::vector<Rect> rects;
    unsigned int bound = 0;
    std::vector<double> xy;
    for (const glrec::GlCall& call : glrec::Calls()) {
        if (call.name == "glBindTexture") bound = static_cast<unsigned int>(call.args[1]);
        if (call.name == "glBegin") xy.clear();
        if (call.name == "glVertex2d") xy.insert(xy.end(), {call.args[0], call.args[1]});
        if (call.name == "glEnd" && bound == texture && xy.size() == 8)
            rects.push_back(Rect{xy[0], xy[1], xy[2] - xy[0], xy[5] - xy[1]});
    }
    return rects;
}

class Overlays : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plmtest::OpenGlContext(1024, 768));
        Screen(1024, 768);
        lineScroll = creditsScroll = unitX = unitY = 0.0f;
        creditsUnitsSet = false;
        lineTexture.Create("line_01.jpg", 0, SmallPicture);
        greetingsTexture.Create("greetings.jpg", 0, SmallPicture);
        creditsTexture.Create("credits.png", 1, SmallPicture);
    }
    void TearDown() override { glrec::StopRecording(); }
    static void Screen(int w, int h) { DisplayMode = CDISPLAYMODE{w, h, 24, 60}; }
};

}  // namespace

// --- line strips ------------------------------------------------------------------

TEST_F(Overlays, FirstStripsCallStartsAtMinus256WithSixTilesAt1024)
{
    glrec::StartRecording();
    DrawLineStrips(16.0f);
    glrec::StopRecording();
    EXPECT_EQ(lineScroll, -256.0f);
    EXPECT_EQ(OverlayViews(), 1u);
    const std::vector<Rect> tiles = QuadsOf(lineTexture.ColorTexture());
    ASSERT_EQ(tiles.size(), 12u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tiles[2 * i], (Rect{-256.0 + 256 * i, 752, 256, 16})) << "bottom " << i;
        EXPECT_EQ(tiles[2 * i + 1], (Rect{1024.0 - 256 * i, 0, 256, 16})) << "top " << i;
    }
    const auto colour = glrec::Only({"glColor4f"});
    ASSERT_FALSE(colour.empty());
    EXPECT_EQ(colour[0].args[0], 0.0);
    EXPECT_FLOAT_EQ(colour[0].args[1], 0.7f);
    EXPECT_EQ(colour[0].args[3], 0.5);
    const auto blend = glrec::Only({"glBlendFunc"});
    ASSERT_EQ(blend.size(), 1u);
    EXPECT_EQ(blend[0].args[0], GL_SRC_ALPHA);
    EXPECT_EQ(blend[0].args[1], GL_ONE);
}

TEST_F(Overlays, FiveTilesEachAt800)
{
    Screen(800, 600);
    DrawLineStrips(16.0f);  // to -256
    glrec::StartRecording();
    DrawLineStrips(102.0f);  // -256 + 25.5: tiles at the truncated -230
    glrec::StopRecording();
    EXPECT_FLOAT_EQ(lineScroll, -230.5f);
    const std::vector<Rect> tiles = QuadsOf(lineTexture.ColorTexture());
    ASSERT_EQ(tiles.size(), 10u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tiles[2 * i], (Rect{-230.0 + 256 * i, 584, 256, 16})) << "bottom " << i;
        EXPECT_EQ(tiles[2 * i + 1], (Rect{800.0 + 230 - 256 * i - 256, 0, 256, 16})) << "top " << i;
    }
}

// True when the union of the strip's tiles covers [0, width] along x.
bool CoversWidth(std::vector<Rect> tiles, double width)
{
    std::sort(tiles.begin(), tiles.end(), [](const Rect& a, const Rect& b) { return a.x < b.x; });
    double reached = 0.0;
    for (const Rect& r : tiles) {
        if (r.x > reached) return false;
        reached = std::max(reached, r.x + r.w);
    }
    return reached >= width;
}

TEST_F(Overlays, BothStripsCoverTheWidthAtEveryOffset)
{
    for (int width : {640, 800, 1024, 1280, 1366, 1920}) {
        Screen(width, 480);
        // Every offset the scroll takes: quarter units from -256 up to 0,
        // where it wraps to -256 again.
        for (int quarter = 0; quarter < 1024; ++quarter) {
            lineScroll = -256.0f + 0.25f * static_cast<float>(quarter);
            glrec::StartRecording();
            DrawLineStrips(0.0f);
            glrec::StopRecording();
            std::vector<Rect> bottom, top;
            for (const Rect& r : QuadsOf(lineTexture.ColorTexture())) (r.y == 0 ? top : bottom).push_back(r);
            ASSERT_TRUE(CoversWidth(bottom, width))
                << "bottom strip, width " << width << ", offset " << lineScroll;
            ASSERT_TRUE(CoversWidth(top, width)) << "top strip, width " << width << ", offset " << lineScroll;
        }
    }
}

TEST_F(Overlays, StripOffsetWrapsWhenItReachesZero)
{
    lineScroll = -10.0f;
    DrawLineStrips(40.0f);  // exactly 0
    EXPECT_EQ(lineScroll, -256.0f);
    lineScroll = -10.0f;
    DrawLineStrips(39.0f);
    EXPECT_FLOAT_EQ(lineScroll, -0.25f);
}

// --- credits overlay --------------------------------------------------------------

TEST_F(Overlays, CreditsLayoutAt1024x768)
{
    glrec::StartRecording();
    DrawCreditsOverlay(15.0f);
    glrec::StopRecording();
    EXPECT_EQ(unitX, 1.0f);
    EXPECT_EQ(unitY, 0.75f);
    const auto primitives = glrec::Primitives();
    ASSERT_FALSE(primitives.empty());
    const auto& bars = primitives[0];
    ASSERT_EQ(bars.size(), 8u);
    const double expected[8][2] = {{550, 0}, {570, 0},  {570, 768},  {550, 768},
                                   {580, 0}, {1024, 0}, {1024, 768}, {580, 768}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(bars[i].x, expected[i][0]) << i;
        EXPECT_EQ(bars[i].y, expected[i][1]) << i;
    }
    const std::vector<Rect> mask = QuadsOf(creditsTexture.MaskTexture());
    const std::vector<Rect> credits = QuadsOf(creditsTexture.ColorTexture());
    ASSERT_EQ(mask.size(), 1u);
    ASSERT_EQ(credits.size(), 1u);
    EXPECT_EQ(credits[0], (Rect{40, 510, 280, 231}));
    EXPECT_EQ(mask[0], credits[0]);
    // 15 ms: 15 / 15 design units = 0.75 overlay units; y = trunc(768 - 0.75).
    EXPECT_FLOAT_EQ(creditsScroll, 0.75f);
    const std::vector<Rect> greetings = QuadsOf(greetingsTexture.ColorTexture());
    ASSERT_EQ(greetings.size(), 1u);
    EXPECT_EQ(greetings[0], (Rect{600, 767, 400, 3525}));
}

TEST_F(Overlays, GreetingsStopAtTheirLimit)
{
    DrawCreditsOverlay(1.0e6f);
    const float limit = 768 + 4400.0f * 0.75f;
    EXPECT_EQ(creditsScroll, limit);
    for (int frame = 0; frame < 100; ++frame) DrawCreditsOverlay(500.0f);
    EXPECT_EQ(creditsScroll, limit);
    glrec::StartRecording();
    DrawCreditsOverlay(16.0f);
    glrec::StopRecording();
    const std::vector<Rect> greetings = QuadsOf(greetingsTexture.ColorTexture());
    ASSERT_EQ(greetings.size(), 1u);
    EXPECT_EQ(greetings[0].y, -3300.0);  // its last 300 design units stay on screen
    EXPECT_EQ(greetings[0].y + greetings[0].h, 225.0);
}

TEST_F(Overlays, DesignUnitsAreFixedOnTheFirstCreditsFrame)
{
    DrawCreditsOverlay(10.0f);
    Screen(800, 600);
    DrawCreditsOverlay(10.0f);
    EXPECT_EQ(unitX, 1.0f);
    EXPECT_EQ(unitY, 0.75f);
}

TEST_F(Overlays, CreditsAt800x600ScaleTheLayout)
{
    Screen(800, 600);
    glrec::StartRecording();
    DrawCreditsOverlay(0.0f);
    glrec::StopRecording();
    EXPECT_EQ(unitX, 800 * 0.0009765625f);
    const std::vector<Rect> credits = QuadsOf(creditsTexture.ColorTexture());
    ASSERT_EQ(credits.size(), 1u);
    // 40 x 0.78125 = 31.25, 680 x 0.5859375 = 398.4, 280 x 0.78125 = 218.75, 308 x 0.5859375 = 180.5
    EXPECT_EQ(credits[0], (Rect{31, 398, 218, 180}));
}
