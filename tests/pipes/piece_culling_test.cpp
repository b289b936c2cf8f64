// The fast drawing of grown pieces: the view-volume test that leaves whole
// pieces out, the bounds it relies on, and display lists that draw exactly
// what the immediate path sends.
#include "pipes/piece_geometry.h"
#include "pipes/pipe.h"
#include "pipes/view_volume.h"
#include "tests/pipes/feedback.h"
#include "tests/pipes/type_table.h"
#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// A column-major perspective projection like glFrustum(-1, 1, -1, 1, 1, 100):
// a 90 degree view along -Z from the origin, near 1, far 100.
std::vector<float> Perspective()
{
    const float n = 1.0f, f = 100.0f;
    return {n, 0, 0, 0, 0, n, 0, 0, 0, 0, -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n), 0};
}

std::vector<float> Translation(float x, float y, float z, float scale = 1.0f)
{
    return {scale, 0, 0, 0, 0, scale, 0, 0, 0, 0, scale, 0, x, y, z, 1};
}

bool Outside(const std::vector<float>& modelView, CVECTOR centre, float radius,
             const std::vector<float>& projection = Perspective())
{
    CVIEWVOLUME volume = ViewVolumeFromProjection(projection.data());
    const float c[3] = {centre.x, centre.y, centre.z};
    return SphereOutsideView(volume, modelView.data(), c, radius);
}

TEST(ViewVolume, SpheresWhollyBeyondAPlaneAreOutsideAndTouchingOnesAreNot)
{
    const std::vector<float> eye = Translation(0, 0, 0);
    struct Case {
        const char* what;
        CVECTOR centre;
        float radius;
        bool outside;
    } cases[] = {
        {"ahead, in the middle", {0, 0, -50}, 1, false},
        {"behind the eye", {0, 0, 10}, 1, true},
        {"beyond the far plane", {0, 0, -103}, 2, true},
        {"reaching over the far plane", {0, 0, -101}, 2, false},
        {"closer than the near plane", {0, 0, -0.2f}, 0.5f, true},
        {"left of the left plane", {-30, 0, -10}, 5, true},
        {"straddling the left plane", {-12, 0, -10}, 5, false},
        // The plane x = -z is 2 / sqrt(2) = 1.414 away from (12, 0, -10):
        // a radius short of it is outside, one over it is not.
        {"short of the right plane", {12, 0, -10}, 1.38f, true},
        {"over the right plane", {12, 0, -10}, 1.45f, false},
        {"above the top plane", {0, 40, -20}, 10, true},
        {"below the bottom plane, large", {0, -40, -20}, 15, false},
    };
    for (const Case& c : cases) EXPECT_EQ(Outside(eye, c.centre, c.radius), c.outside) << c.what;
}

TEST(ViewVolume, TheModelViewMatrixPlacesAndScalesTheSphere)
{
    // Moved 60 units away along -Z, a sphere at the origin is in view; moved
    // to the side it is not, unless the matrix's scale makes it reach back.
    EXPECT_FALSE(Outside(Translation(0, 0, -60), {0, 0, 0}, 1));
    EXPECT_TRUE(Outside(Translation(0, 0, 60), {0, 0, 0}, 1));
    EXPECT_TRUE(Outside(Translation(-80, 0, -20), {0, 0, 0}, 10));
    EXPECT_FALSE(Outside(Translation(-80, 0, -20, 6.0f), {0, 0, 0}, 10));
    // The centre is a model point: the matrix carries it too.
    EXPECT_TRUE(Outside(Translation(0, 0, -60), {0, 0, 70}, 1));
}

TEST(ViewVolume, OrthographicAndDegenerateProjections)
{
    // glOrtho(-10, 10, -10, 10, -10, 10): a box.
    std::vector<float> box = {0.1f, 0, 0, 0, 0, 0.1f, 0, 0, 0, 0, -0.1f, 0, 0, 0, 0, 1};
    EXPECT_FALSE(Outside(Translation(0, 0, 0), {9, 9, 9}, 0.5f, box));
    EXPECT_TRUE(Outside(Translation(0, 0, 0), {11, 0, 0}, 0.5f, box));
    EXPECT_TRUE(Outside(Translation(0, 0, 0), {0, 0, -12}, 1.0f, box));
    // A projection of zeros has planes with no direction: nothing is excluded.
    std::vector<float> zeros(16, 0.0f);
    EXPECT_FALSE(Outside(Translation(0, 0, 0), {1e6f, 0, 0}, 1, zeros));
}

TEST(PieceBounds, TheSphereHoldsEveryCornerAndAnEmptyMeshIsAPoint)
{
    FakeModel model = TriangleModel(5);
    FakeMesh& mesh = model.meshes[0];
    const float far[3] = {-7.0f, 3.0f, 11.0f}, up[3] = {0, 0, 1};
    unsigned short v = mesh.AddVertex(far, up);
    mesh.faces.push_back(CFACE{0, 1, v, 0, nullptr});
    FakeObject object(model);
    CPIECEMESH piece{};
    object.GetMeshData(0, &piece.vertexCount, &piece.faceCount, &piece.vertices, &piece.faces,
                       &piece.texture);
    CPIECEGEOMETRY g = MeasurePiece(piece);
    EXPECT_TRUE(g.bounded);
    for (uint16_t i = 0; i < piece.vertexCount; ++i) {
        const float* p = piece.vertices[i].position;
        float dx = p[0] - g.centre[0], dy = p[1] - g.centre[1], dz = p[2] - g.centre[2];
        EXPECT_LE(std::sqrt(dx * dx + dy * dy + dz * dz), g.radius) << "vertex " << i;
    }
    EXPECT_GT(g.radius, 6.0f);  // the far corner is included

    CPIECEMESH empty{};
    CPIECEGEOMETRY none = MeasurePiece(empty);
    EXPECT_TRUE(none.bounded);
    EXPECT_EQ(none.radius, 0.0f);
    EXPECT_EQ(none.list, 0u);
}

// --- in a GL context ---

class PieceDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetUpOrthoView()) << "no GL context";
        saved = pipeDrawing;
    }
    void TearDown() override
    {
        pipeDrawing = saved;
        for (uint16_t i = 0; i < table.size(); ++i) ReleasePiece(table.data()[i].geometry);
    }
    // Gives every type of the table its display list.
    void Compile()
    {
        for (uint16_t i = 0; i < table.size(); ++i) {
            CPIPETYPE& type = table.data()[i];
            type.geometry = CompilePiece(GetPieceMesh(&type));
            ASSERT_NE(type.geometry.list, 0u) << "type " << type.number;
        }
    }
    // How many grown pieces asked the engine for their mesh while drawn in
    // immediate mode: the pieces that were not left out.
    static int PiecesSent(CPIPE& pipe)
    {
        engineCalls.clear();
        pipe.Draw();
        return static_cast<int>(std::count(engineCalls.begin(), engineCalls.end(), "GetMeshData 0"));
    }
    TypeTable table{6, 3};
    CPIPEDRAWING saved{};
};

TEST_F(PieceDrawTest, ADisplayListDrawsExactlyWhatTheImmediatePathSends)
{
    Compile();
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2, 1, 2}, {0.3f, 0.0f, 1.0f, 2.0f});
    pipe->position = CVECTOR{-5.0f, -20.0f, 3.0f};
    pipe->rotation = CVECTOR{30.0f, 45.0f, 60.0f};
    for (int i = 0; i < 4; ++i) pipe->Advance();
    pipeDrawing = CPIPEDRAWING{false, false, false};
    Feedback immediate = Capture([&pipe] { pipe->Draw(); });
    pipeDrawing = CPIPEDRAWING{false, true, false};
    Feedback compiled = Capture([&pipe] { pipe->Draw(); });
    EXPECT_EQ(immediate.triangles, 2 * 6 + 2 * 3);
    EXPECT_EQ(compiled.triangles, immediate.triangles);
    // Same corners in the same order. Feedback mode may round a list's depth
    // one unit in the last place apart from immediate mode's; rendered
    // frames of both paths are compared pixel for pixel elsewhere.
    ASSERT_EQ(compiled.triangleCorners.size(), immediate.triangleCorners.size());
    for (size_t i = 0; i < immediate.triangleCorners.size(); ++i) {
        EXPECT_NEAR(compiled.triangleCorners[i], immediate.triangleCorners[i], 1e-5f) << "value " << i;
    }
}

TEST_F(PieceDrawTest, PiecesOutOfViewAreLeftOutAndThePiecesAfterThemStayInPlace)
{
    // Small pieces every 10 units up +Y from y = -75: the first three lie
    // below the view (y < -50), the last three inside it.
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 1, 1, 1, 1, 1});
    pipe->position = CVECTOR{0.0f, -75.0f, 0.0f};
    for (int i = 0; i < 6; ++i) pipe->Advance();
    pipeDrawing = CPIPEDRAWING{false, false, false};
    EXPECT_EQ(PiecesSent(*pipe), 6);
    Feedback all = Capture([&pipe] { pipe->Draw(); });
    pipeDrawing = CPIPEDRAWING{true, false, false};
    EXPECT_EQ(PiecesSent(*pipe), 3);
    Feedback culled = Capture([&pipe] { pipe->Draw(); });
    EXPECT_GT(culled.triangles, 0);
    EXPECT_EQ(culled.triangleCorners, all.triangleCorners);
}

TEST_F(PieceDrawTest, APieceWithoutMeasuredBoundsIsNeverLeftOut)
{
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 1});
    pipe->position = CVECTOR{0.0f, -500.0f, 0.0f};
    for (int i = 0; i < 2; ++i) pipe->Advance();
    pipeDrawing = CPIPEDRAWING{true, false, false};
    EXPECT_EQ(PiecesSent(*pipe), 0);
    table.data()[0].geometry = CPIECEGEOMETRY{};
    EXPECT_EQ(PiecesSent(*pipe), 2);
}

// --- far pieces ---

// A type whose full piece has 6 faces and whose far piece (mesh 1) has 2,
// drawn through a 90 degree perspective 64 pixels high: a model unit spans
// 32 / distance pixels.
class FarPieceTest : public PieceDrawTest {
protected:
    void SetUp() override
    {
        PieceDrawTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-1, 1, -1, 1, 1, 1000);
        glMatrixMode(GL_MODELVIEW);
    }
    // Adds type 3 with the given far mesh and compiles it as loading does.
    CPIPETYPE& AddTwoMeshType(const FakeMesh& far)
    {
        FakeModel model = TriangleModel(6);
        model.meshes.push_back(far);
        table.Add(model, {0, 10, 0}, {0, 1, 0});
        CPIPETYPE& type = table.data()[table.size() - 1];
        type.geometry = CompilePiece(GetPieceMesh(&type));
        CPIECEMESH farMesh = GetFarPieceMesh(type.object);
        if (farMesh.faceCount > 0) type.far = CompilePiece(farMesh);
        return type;
    }
    // Triangles drawn for one grown piece of type 3 at distance units ahead.
    int TrianglesAt(float distance)
    {
        std::unique_ptr<CPIPE> pipe = table.Pipe({3});
        pipe->position = CVECTOR{0.0f, 0.0f, -distance};
        pipe->Advance();
        return Capture([&pipe] { pipe->Draw(); }).triangles;
    }
    void TearDown() override
    {
        for (uint16_t i = 0; i < table.size(); ++i) ReleasePiece(table.data()[i].far);
        PieceDrawTest::TearDown();
    }
};

TEST_F(FarPieceTest, ASmallPieceIsDrawnFromItsFarPieceAndALargeOneInFull)
{
    CPIPETYPE& type = AddTwoMeshType(TriangleModel(2).meshes[0]);
    ASSERT_NE(type.far.list, 0u);
    EXPECT_EQ(TrianglesAt(3.0f), 6);   // about 11 pixels per unit
    EXPECT_EQ(TrianglesAt(20.0f), 2);  // about 1.6 pixels per unit
    pipeDrawing.farPieces = false;
    EXPECT_EQ(TrianglesAt(20.0f), 6);
}

TEST_F(FarPieceTest, AFarMeshThatCannotBeDrawnIsIgnored)
{
    FakeMesh broken = TriangleModel(2).meshes[0];
    broken.faces[1].c = 99;  // names a vertex that does not exist
    CPIPETYPE& type = AddTwoMeshType(broken);
    EXPECT_EQ(type.far.list, 0u);
    EXPECT_EQ(TrianglesAt(20.0f), 6);
}

}  // namespace
