// The face generator: the shape of the mesh (size, closed surface, shared
// vertices, outward winding, 16-bit limits), its sampling helpers, and the
// 3D Studio model it is written as.
#include "face_model.h"
#include "face_shape.h"
#include "head_mesh.h"
#include "warped_angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

namespace {

using face::HeadMesh;
using face::Vec3;

const HeadMesh& Face()
{
    static const HeadMesh mesh = face::BuildHeadMesh(face::GridSize{});
    return mesh;
}

struct Box {
    Vec3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
};

Box BoundsOf(const HeadMesh& mesh)
{
    Box b;
    for (const Vec3& v : mesh.vertices) {
        b.lo = {std::fmin(b.lo.x, v.x), std::fmin(b.lo.y, v.y), std::fmin(b.lo.z, v.z)};
        b.hi = {std::fmax(b.hi.x, v.x), std::fmax(b.hi.y, v.y), std::fmax(b.hi.z, v.z)};
    }
    return b;
}

// --- size and placement --------------------------------------------------------

TEST(FaceMesh, CountsFitOne16BitMeshAndTheTriangleBudget)
{
    const face::GridSize size;
    EXPECT_EQ(Face().vertices.size(), size_t((size.rows - 1) * size.columns + 2));
    EXPECT_EQ(Face().triangles.size(), size_t(2 * size.columns * (size.rows - 1)));
    EXPECT_LE(Face().vertices.size(), 65535u);
    EXPECT_GE(Face().triangles.size(), 10000u);
    EXPECT_LE(Face().triangles.size(), 40000u);
}

TEST(FaceMesh, StandsOnTheOriginCentredOnTheTurntableAxis)
{
    const Box b = BoundsOf(Face());
    EXPECT_NEAR(b.lo.y, 0.0, 1.0);
    EXPECT_GT(b.hi.y, 700.0);
    EXPECT_LT(b.hi.y, 800.0);
    EXPECT_NEAR(b.lo.x + b.hi.x, 0.0, 2.0);
    EXPECT_NEAR(b.lo.z + b.hi.z, 0.0, 10.0);
    EXPECT_GT(b.hi.x - b.lo.x, 380.0);
    EXPECT_LT(b.hi.z - b.lo.z, 650.0);
}

TEST(FaceMesh, NoseTipIsTheForemostPoint)
{
    const Box b = BoundsOf(Face());
    for (const Vec3& v : Face().vertices)
        if (v.z == b.hi.z) {
            EXPECT_NEAR(v.x, 0.0, 10.0);
            EXPECT_GT(v.y, 420.0);
            EXPECT_LT(v.y, 500.0);
        }
}

// --- surface -------------------------------------------------------------------

// Every edge is met once in each direction: a closed surface of shared
// vertices, consistently wound.
TEST(FaceMesh, IsClosedWithSharedVerticesAndConsistentWinding)
{
    std::map<std::pair<uint32_t, uint32_t>, int> directed;
    for (const face::Triangle& t : Face().triangles) {
        ++directed[{t.a, t.b}];
        ++directed[{t.b, t.c}];
        ++directed[{t.c, t.a}];
    }
    for (const auto& [edge, count] : directed) {
        ASSERT_EQ(count, 1) << edge.first << "-" << edge.second;
        ASSERT_EQ(directed.count({edge.second, edge.first}), 1u) << edge.first << "-" << edge.second;
    }
}

// (b - a) x (c - a) points away from the centre the mesh was cast from: the
// normals the engine computes face outwards.
TEST(FaceMesh, TrianglesFaceOutwards)
{
    const HeadMesh& m = Face();
    double volume = 0;
    size_t inward = 0;
    for (const face::Triangle& t : m.triangles) {
        const Vec3 a = m.vertices[t.a], b = m.vertices[t.b], c = m.vertices[t.c];
        const Vec3 n = Cross(b - a, c - a);
        volume += Dot(a, Cross(b, c)) / 6.0;
        if (Dot(n, a - face::HeadCentre()) < 0) ++inward;
    }
    EXPECT_GT(volume, 0.0);
    EXPECT_LT(inward, m.triangles.size() / 50);
}

TEST(FaceMesh, EveryVertexLiesOnTheSkin)
{
    for (const Vec3& v : Face().vertices)
        ASSERT_NEAR(face::HeadField(v), 0.0, 0.5) << v.x << " " << v.y << " " << v.z;
}

TEST(FaceMesh, RaysThatMissTheHeadFindNoSkin)
{
    EXPECT_EQ(face::CastToSkin({2000, 0, 0}, {1, 0, 0}, 600), 0.0);
    EXPECT_GT(face::CastToSkin(face::HeadCentre(), {0, 1, 0}, 600), 300.0);
}

// --- sampling --------------------------------------------------------------------

TEST(WarpedAngles, SpansTheRangeAndCrowdsAtTheCentre)
{
    const std::vector<double> a = face::WarpedAngles(40, -3.0, 3.0, {0.0, 0.8, 2.5});
    ASSERT_EQ(a.size(), 41u);
    EXPECT_EQ(a.front(), -3.0);
    EXPECT_EQ(a.back(), 3.0);
    for (size_t i = 1; i < a.size(); ++i) ASSERT_GT(a[i], a[i - 1]);
    EXPECT_LT(a[21] - a[20], (a[1] - a[0]) / 2);
    EXPECT_NEAR(a[20], 0.0, 1e-9);
}

// Several crowdings add up: the samples crowd at each centre, and one
// crowding given alone or in a list gives the same angles.
TEST(WarpedAngles, SeveralCrowdingsEachCrowdTheirCentre)
{
    const std::vector<double> a = face::WarpedAngles(60, -3.0, 3.0, {{-1.5, 0.3, 3.0}, {1.5, 0.3, 3.0}});
    ASSERT_EQ(a.size(), 61u);
    for (size_t i = 1; i < a.size(); ++i) ASSERT_GT(a[i], a[i - 1]);
    auto spacingAt = [&](double angle) {
        size_t i = 1;
        while (i + 1 < a.size() && a[i] < angle) ++i;
        return a[i] - a[i - 1];
    };
    EXPECT_LT(spacingAt(-1.5), spacingAt(0.0) / 2);
    EXPECT_LT(spacingAt(1.5), spacingAt(0.0) / 2);
    EXPECT_NEAR(spacingAt(-1.5), spacingAt(1.5), 1e-6);
    EXPECT_EQ(face::WarpedAngles(10, 0.0, 1.0, face::Crowding{0.5, 0.2, 2.0}),
              face::WarpedAngles(10, 0.0, 1.0, std::vector<face::Crowding>{{0.5, 0.2, 2.0}}));
}

TEST(WarpedAngles, WithoutGainSpacingIsEven)
{
    const std::vector<double> a = face::WarpedAngles(4, 0.0, 2.0, {1.0, 0.5, 0.0});
    for (int i = 0; i <= 4; ++i) EXPECT_NEAR(a[i], 0.5 * i, 1e-9);
}

// --- 3D Studio model --------------------------------------------------------------

TEST(FaceModel, OneObjectInFileAxesWithEveryFaceInItsMaterial)
{
    tds::Model model;
    std::string error;
    ASSERT_TRUE(face::ToModel(Face(), &model, &error)) << error;
    ASSERT_EQ(model.objects.size(), 1u);
    const tds::Mesh& mesh = model.objects[0].mesh;
    ASSERT_EQ(mesh.vertices.size(), Face().vertices.size());
    const Vec3& v = Face().vertices[1];
    EXPECT_FLOAT_EQ(mesh.vertices[1].x, float(v.x));
    EXPECT_FLOAT_EQ(mesh.vertices[1].y, float(-v.z));
    EXPECT_FLOAT_EQ(mesh.vertices[1].z, float(v.y));
    ASSERT_EQ(mesh.groups.size(), 1u);
    EXPECT_EQ(mesh.groups[0].faces.size(), Face().triangles.size());
    EXPECT_FALSE(tds::Write(model, &error).empty()) << error;
}

TEST(FaceModel, RefusesMoreVerticesThan16BitIndicesReach)
{
    HeadMesh big;
    big.vertices.resize(65536);
    tds::Model model;
    std::string error;
    EXPECT_FALSE(face::ToModel(big, &model, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(model.objects.empty());
}

}  // namespace
