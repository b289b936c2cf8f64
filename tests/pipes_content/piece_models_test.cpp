// Piece geometry against what the types script promises about it: the inlet
// on the origin along +Y, the exit ring exactly at the stated offset and
// direction, smooth outward normals, and a growth time one can watch.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "growth.h"
#include "pieces/catalog.h"

using namespace pipesgen;

namespace {

const std::vector<PieceType>& Catalog()
{
    static const std::vector<PieceType> catalog = BuildPieceCatalog();
    return catalog;
}

// Vertex normals as the model loader makes them: the normalised sum of the
// unit normals of the faces using the vertex, each face counted once.
std::vector<Vec3> VertexNormals(const TubeMesh& mesh)
{
    std::vector<Vec3> sums(mesh.Positions().size());
    for (const TubeMesh::Face& f : mesh.Faces()) {
        const auto& p = mesh.Positions();
        Vec3 n = Unit(Cross(p[f[1]] - p[f[0]], p[f[2]] - p[f[0]]));
        for (uint16_t corner : std::set<uint16_t>{f[0], f[1], f[2]}) sums[corner] = sums[corner] + n;
    }
    for (Vec3& s : sums) s = Unit(s);
    return sums;
}

// Indices of the vertices lying on a circle of the tube radius around
// `centre` in the plane through it perpendicular to `axis`.
std::vector<size_t> RingAt(const TubeMesh& mesh, Vec3 centre, Vec3 axis)
{
    std::vector<size_t> out;
    for (size_t i = 0; i < mesh.Positions().size(); ++i) {
        Vec3 d = mesh.Positions()[i] - centre;
        if (std::fabs(Dot(d, axis)) < 1e-6 && std::fabs(Length(d) - kTubeRadius) < 1e-6) out.push_back(i);
    }
    return out;
}

}  // namespace

TEST(PieceModels, AtLeastFiveTypesWithDistinctFiles)
{
    std::set<std::string> files;
    for (const PieceType& t : Catalog()) files.insert(t.fileName);
    EXPECT_GE(Catalog().size(), 5u);
    EXPECT_EQ(files.size(), Catalog().size());
}

TEST(PieceModels, InletRingOnTheOriginAndNothingBehindIt)
{
    for (const PieceType& t : Catalog()) {
        EXPECT_EQ(RingAt(t.mesh, {0, 0, 0}, {0, 1, 0}).size(), size_t(kTubeSides)) << t.name;
        for (const Vec3& p : t.mesh.Positions()) ASSERT_GE(p.y, -1e-9) << t.name;
    }
}

TEST(PieceModels, ExitRingAtTheExitOffsetFacingTheExitDirection)
{
    for (const PieceType& t : Catalog()) {
        EXPECT_NEAR(Length(t.exitDirection), 1.0, 1e-12) << t.name;
        std::vector<size_t> ring = RingAt(t.mesh, t.exitOffset, t.exitDirection);
        ASSERT_EQ(ring.size(), size_t(kTubeSides)) << t.name;
        Vec3 centre;
        for (size_t i : ring) centre = centre + t.mesh.Positions()[i] * (1.0 / ring.size());
        EXPECT_LT(Length(centre - t.exitOffset), 1e-6) << t.name;
        for (const Vec3& p : t.mesh.Positions())
            ASSERT_LE(Dot(p - t.exitOffset, t.exitDirection), 1e-9) << t.name;
    }
}

TEST(PieceModels, TubeWallNormalsPointOutwardAtBothJoints)
{
    for (const PieceType& t : Catalog()) {
        std::vector<Vec3> normals = VertexNormals(t.mesh);
        for (size_t i : RingAt(t.mesh, {0, 0, 0}, {0, 1, 0})) {
            Vec3 radial = Unit(t.mesh.Positions()[i]);
            EXPECT_GT(Dot(normals[i], radial), 0.5) << t.name << " inlet vertex " << i;
        }
        for (size_t i : RingAt(t.mesh, t.exitOffset, t.exitDirection)) {
            Vec3 radial = Unit(t.mesh.Positions()[i] - t.exitOffset);
            EXPECT_GT(Dot(normals[i], radial), 0.5) << t.name << " exit vertex " << i;
        }
    }
}

// Shared ring vertices, seam included, make a plain wall's normals exactly
// radial; a duplicated seam would tilt the normals next to it.
TEST(PieceModels, PlainWallIsSmoothAllAround)
{
    const PieceType& straight = Catalog()[0];
    std::vector<Vec3> normals = VertexNormals(straight.mesh);
    int checked = 0;
    for (size_t i = 0; i < normals.size(); ++i) {
        Vec3 p = straight.mesh.Positions()[i];
        Vec3 radial{p.x, 0, p.z};
        if (p.y < 1.5 || p.y > 8.5 || std::fabs(Length(radial) - kTubeRadius) > 1e-6) continue;
        EXPECT_GT(Dot(normals[i], Unit(radial)), 0.9999) << "vertex " << i;
        ++checked;
    }
    EXPECT_GE(checked, 5 * kTubeSides);
}

TEST(PieceModels, EnvelopeHoldsEveryVertex)
{
    for (const PieceType& t : Catalog())
        for (const Vec3& p : t.mesh.Positions()) {
            bool inside = false;
            for (const Capsule& c : t.envelope)
                inside = inside || PointSegmentDistance(p, c.a, c.b) <= c.radius;
            ASSERT_TRUE(inside) << t.name << " vertex at " << p.x << " " << p.y << " " << p.z;
        }
}

// The far piece stands in for the full one where a piece covers few pixels:
// it joins its neighbours on the same rings (half the sides), stays inside
// the same envelope (so the full piece's bounds hold it too), faces
// outwards, and costs a fraction of the faces.
TEST(PieceModels, FarPiecesKeepJointsAndEnvelopeWithAFractionOfTheFaces)
{
    for (const PieceType& t : Catalog()) {
        const TubeMesh& far = t.farMesh;
        EXPECT_EQ(RingAt(far, {0, 0, 0}, {0, 1, 0}).size(), size_t(kTubeSides / 2)) << t.name;
        std::vector<size_t> exit = RingAt(far, t.exitOffset, t.exitDirection);
        EXPECT_EQ(exit.size(), size_t(kTubeSides / 2)) << t.name;
        std::vector<Vec3> normals = VertexNormals(far);
        for (size_t i : exit)
            EXPECT_GT(Dot(normals[i], Unit(far.Positions()[i] - t.exitOffset)), 0.5) << t.name << " " << i;
        for (const Vec3& p : far.Positions()) {
            bool inside = false;
            for (const Capsule& c : t.envelope)
                inside = inside || PointSegmentDistance(p, c.a, c.b) <= c.radius;
            ASSERT_TRUE(inside) << t.name << " far vertex at " << p.x << " " << p.y << " " << p.z;
        }
        EXPECT_GT(far.Faces().size(), 0u) << t.name;
        EXPECT_LE(far.Faces().size() * 5, t.mesh.Faces().size() * 2) << t.name;  // at most 40 %
    }
}

TEST(PieceModels, EachPieceTakesAVisibleFractionOfASecondToGrow)
{
    for (const PieceType& t : Catalog()) {
        double ms = GrowthMs(t.mesh.Faces().size());
        EXPECT_GE(ms, 200) << t.name;
        EXPECT_LE(ms, 1000) << t.name;
    }
}
