// Drawing pipes in a real GL context: what each growth state emits (read
// back in feedback mode) and the model-view matrix left behind.
#include "pipes/pipe.h"
#include "pipes/pipe_map.h"
#include "tests/pipes/feedback.h"
#include "tests/pipes/script_file.h"
#include "tests/pipes/type_table.h"
#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const float PI = 3.14159265f;

class PipeDrawTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SetUpOrthoView()) << "no GL context"; }
    static Feedback DrawPipe(CPIPE& pipe)
    {
        return Capture([&pipe] { pipe.Draw(); });
    }
    static void Grow(CPIPE& pipe, int segments)
    {
        for (int i = 0; i < segments; ++i) pipe.Advance();
    }
    TypeTable table{6, 3};
};

// --- the growing piece ---

TEST_F(PipeDrawTest, TracingShowsTheFacesRevealedAsOneDimGreenStrip)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2});
    pipe->progress = 3.7f;
    Feedback f = DrawPipe(*pipe);
    EXPECT_EQ(f.lines, 8);  // faces 0, 1 and 2: nine corners
    EXPECT_EQ(f.triangles, 0);
    ASSERT_EQ(f.lineColour.size(), 4u);
    EXPECT_FLOAT_EQ(f.lineColour[0], 0.0f);
    EXPECT_NEAR(f.lineColour[1], 0.1f, 1e-3f);
    EXPECT_FLOAT_EQ(f.lineColour[2], 0.0f);
}

TEST_F(PipeDrawTest, TracingBelowOneFaceDrawsAnEmptyStrip)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({1});
    pipe->progress = 0.9f;
    Feedback f = DrawPipe(*pipe);
    EXPECT_EQ(f.lines, 0);
    EXPECT_EQ(f.triangles, 0);
}

TEST_F(PipeDrawTest, FillingShowsTheWholeTraceAndTheFacesRevealed)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({1});
    pipe->phase = 1;
    pipe->progress = 3.7f;
    Feedback f = DrawPipe(*pipe);
    EXPECT_EQ(f.lines, 17);  // six faces: eighteen corners
    EXPECT_EQ(f.triangles, 4);
    pipe->progress = 0.0f;
    f = DrawPipe(*pipe);
    EXPECT_EQ(f.lines, 17);
    EXPECT_EQ(f.triangles, 0);
}

TEST_F(PipeDrawTest, ATraceNeverRunsPastTheMesh)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({2});
    Feedback f = Capture([&pipe] { pipe->DrawTrace(1000); });
    EXPECT_EQ(f.lines, 8);
}

// --- grown pieces ---

TEST_F(PipeDrawTest, GrownPiecesAreSolidAndTheGrowingOneTraced)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2});
    Grow(*pipe, 1);
    pipe->progress = 2.5f;
    Feedback f = DrawPipe(*pipe);
    EXPECT_EQ(f.triangles, 6);
    EXPECT_EQ(f.lines, 5);
}

TEST_F(PipeDrawTest, ACompletePipeDrawsAllItsPiecesSolidAndNothingElse)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2, 1});
    Grow(*pipe, 3);
    pipe->phase = 1;  // stale growth state must not show
    pipe->progress = 2.0f;
    Feedback f = DrawPipe(*pipe);
    EXPECT_EQ(f.triangles, 15);
    EXPECT_EQ(f.lines, 0);
}

TEST_F(PipeDrawTest, PiecesWithoutAUsableModelDrawNothing)
{
    table.AddUndrawable({0, 1, 0}, {0, 1, 0});
    std::unique_ptr<CPIPE> pipe = table.Pipe({3, 3});
    Grow(*pipe, 1);
    pipe->phase = 1;
    pipe->progress = 5.0f;
    Feedback f = DrawPipe(*pipe);
    EXPECT_EQ(f.triangles, 0);
    EXPECT_EQ(f.lines, 0);
}

// --- transforms ---

TEST_F(PipeDrawTest, ASegmentTransformTurnsModelPointsAsItsOrientationDoes)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2, 1, 2, 1}, {0, 0, 0, PI / 2, 0});
    const CPIPESEGMENT& s = pipe->segments[3];
    s.ApplyTransform();
    std::vector<float> m = ModelViewMatrix();
    CVECTOR v{1.0f, 2.0f, 3.0f};
    CVECTOR expected = s.orientation.Rotate(v).Add(s.position);
    EXPECT_NEAR(m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], expected.x, 1e-4f);
    EXPECT_NEAR(m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13], expected.y, 1e-4f);
    EXPECT_NEAR(m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14], expected.z, 1e-4f);
    s.UndoTransform();
    m = ModelViewMatrix();
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-5f) << i;
}

TEST_F(PipeDrawTest, ThePipeIsTurnedAboutXThenYThenZAndMoved)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({1});
    Grow(*pipe, 1);
    pipe->position = CVECTOR{10.0f, -5.0f, 3.0f};
    pipe->rotation = CVECTOR{90.0f, 90.0f, 0.0f};
    Feedback f = DrawPipe(*pipe);
    ASSERT_GE(f.triangleCorners.size(), 6u);
    // Corner (0.1, 0, 0): turned about Y to (0, 0, -0.1), about X to (0, 0.1, 0).
    CVECTOR scene{10.0f, -4.9f, 3.0f};
    const float* corner = &f.triangleCorners[3];
    EXPECT_NEAR(corner[0], (scene.x / HALF_VIEW + 1.0f) * VIEW_SIZE / 2, 1e-3f);
    EXPECT_NEAR(corner[1], (scene.y / HALF_VIEW + 1.0f) * VIEW_SIZE / 2, 1e-3f);
    EXPECT_NEAR(corner[2], (-scene.z / HALF_VIEW + 1.0f) / 2, 1e-5f);
}

TEST_F(PipeDrawTest, DrawingLeavesTheModelViewMatrixAsItFoundIt)
{
    glTranslatef(1.0f, -2.0f, -30.0f);
    glRotatef(25.0f, 0.3f, 1.0f, 0.2f);
    std::vector<float> camera = ModelViewMatrix();
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2, 1, 2, 1}, {0.3f, 0, 1.0f, PI / 2, -2.0f});
    pipe->position = CVECTOR{10.0f, -5.0f, 3.0f};
    pipe->rotation = CVECTOR{30.0f, 45.0f, 60.0f};
    for (int grown = 0; grown <= 5; ++grown) {
        for (uint8_t phase = 0; phase < 2; ++phase) {
            pipe->phase = phase;
            pipe->progress = 2.5f;
            pipe->Draw();
            std::vector<float> after = ModelViewMatrix();
            for (int i = 0; i < 16; ++i) {
                EXPECT_NEAR(after[i], camera[i], 1e-4f) << "grown " << grown << ", entry " << i;
            }
        }
        pipe->Advance();
    }
}

// --- a network with a pipe far out of the scene ---

// A map of straight pipes at the given x positions (script text), loaded,
// every pipe grown complete.
void LoadGrownMap(CPIPEMAP& map, TypeTable& table, const std::vector<std::string>& xs)
{
    std::string text = "pipes count " + std::to_string(xs.size()) + "\n";
    for (const std::string& x : xs) {
        text += "position " + x + " 0 0 rotation 0 0 0 segment count 1 1 0\n";
    }
    ScriptFile script(text);
    testing::internal::CaptureStderr();
    map.Load(script.path(), table.data(), table.size());
    testing::internal::GetCapturedStderr();
    for (uint16_t i = 0; i < map.pipeCount; ++i) map.pipes[i]->Advance();
}

// Window x of the scene point x on the axis of the orthographic view.
float WindowX(float x)
{
    return (x / HALF_VIEW + 1.0f) * VIEW_SIZE / 2;
}

TEST_F(PipeDrawTest, APipeAtAnAbsurdPositionIsLeftOutAndTheOthersStillShow)
{
    std::vector<float> camera = ModelViewMatrix();
    CPIPEMAP map;
    LoadGrownMap(map, table, {"-20", "3e38", "20"});
    ASSERT_EQ(map.pipeCount, 2);
    Feedback f = Capture([&map] { map.Draw(); });
    EXPECT_EQ(f.triangles, 12);
    ASSERT_EQ(f.triangleCorners.size(), 12u * 3 * 3);  // x, y, z of three corners each
    int left = 0, right = 0;
    for (size_t c = 0; c < f.triangleCorners.size(); c += 3) {
        float x = f.triangleCorners[c];
        left += std::fabs(x - WindowX(-20.0f)) < 2.0f;
        right += std::fabs(x - WindowX(20.0f)) < 2.0f;
    }
    EXPECT_EQ(left, 18);
    EXPECT_EQ(right, 18);
    std::vector<float> after = ModelViewMatrix();
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(after[i], camera[i], 1e-5f) << i;
}

// The largest accepted position keeps the matrix finite, so a pipe drawn
// after it still lands where it belongs.
TEST_F(PipeDrawTest, APipeOnTheSceneBoundsLeavesThePipesAfterItInPlace)
{
    CPIPEMAP map;
    LoadGrownMap(map, table, {"1e6", "-1e6", "20"});
    ASSERT_EQ(map.pipeCount, 3);
    Feedback f = Capture([&map] { map.Draw(); });
    EXPECT_EQ(f.triangles, 6);  // the first two lie outside the view
    for (size_t c = 0; c < f.triangleCorners.size(); c += 3) {
        EXPECT_NEAR(f.triangleCorners[c], WindowX(20.0f), 2.0f) << c;
    }
    for (float entry : ModelViewMatrix()) EXPECT_TRUE(std::isfinite(entry));
}

}  // namespace
