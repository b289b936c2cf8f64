// The sculpted features of the face, measured on the skin the generator
// casts its mesh onto, and the quality of the mesh over them: open eyes with
// a sunken pupil, a lower face without a second lip under the mouth, ears
// standing off the head, and a mesh without folds, slivers or asymmetry.
#include "face_shape.h"
#include "head_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

namespace {

using face::HeadMesh;
using face::Vec3;

const double PI = 3.14159265358979323846;
// The head looks 12 degrees upwards: its gaze and the up direction of its
// face, in model axes.
const double RAISE = 12.0 * PI / 180.0;
const Vec3 GAZE{0, std::sin(RAISE), std::cos(RAISE)};
const Vec3 FACE_UP{0, std::cos(RAISE), -std::sin(RAISE)};
// The middle of the right pupil's surface (the left one is its mirror image).
const Vec3 PUPIL{62, 535.5, 208};

const HeadMesh& Face()
{
    static const HeadMesh mesh = face::BuildHeadMesh(face::GridSize{});
    return mesh;
}

// How far in front of p (along dir) the foremost skin on that line lies;
// negative when it lies behind p. Searched from 300 units in front.
double SkinAlong(Vec3 p, Vec3 dir)
{
    for (double t = 300; t > -300; t -= 0.1)
        if (face::HeadField(p + dir * t) <= 0) return t;
    return -1e9;
}

// The highest skin over a circle of radius r round the pupil, across the face.
double HighestOnRing(Vec3 centre, double r)
{
    double highest = -1e9;
    for (int k = 0; k < 16; ++k) {
        const double a = k * PI / 8;
        const Vec3 p = centre + Vec3{r * std::cos(a), 0, 0} + FACE_UP * (r * std::sin(a));
        highest = std::fmax(highest, SkinAlong(p, GAZE));
    }
    return highest;
}

// --- features ----------------------------------------------------------------------

// An open eye shows the ball: a pupil sunk below the iris round it. A lid
// drawn over the eye would leave a smooth dome with its top in the middle.
TEST(FaceFeatures, EachEyeShowsAPupilSunkBelowTheIris)
{
    for (double side : {1.0, -1.0}) {
        SCOPED_TRACE(side > 0 ? "right eye" : "left eye");
        const Vec3 pupil{side * PUPIL.x, PUPIL.y, PUPIL.z};
        const double middle = SkinAlong(pupil, GAZE);
        EXPECT_GT(std::fmax(HighestOnRing(pupil, 10), HighestOnRing(pupil, 12)), middle + 2.5);
        EXPECT_NEAR(middle, 0.0, 8.0);  // the eye is where the face's design puts it
    }
    EXPECT_NEAR(SkinAlong(PUPIL, GAZE), SkinAlong({-PUPIL.x, PUPIL.y, PUPIL.z}, GAZE), 1e-9);
}

// Seen from the side, the face falls away from the lower lip to the edge of
// the chin without rising again: no second lip-like bulge under the mouth.
// Below the chin the underside of the jaw turns sharply back.
TEST(FaceFeatures, LowerFaceFallsFromTheLipToADefinedChin)
{
    double lipY = 0, lipZ = -1e9;
    for (double y = 260; y <= 300; y += 1) {
        const double z = SkinAlong({0, y, 0}, {0, 0, 1});
        if (z > lipZ) lipZ = z, lipY = y;
    }
    double previous = lipZ, chinEdge = 0;
    for (double y = lipY - 1; y >= 200; y -= 1) {
        const double z = SkinAlong({0, y, 0}, {0, 0, 1});
        if (previous - z > 20) {  // a step back: the underside of the chin
            chinEdge = y;
            break;
        }
        ASSERT_LE(z, previous + 0.3) << "the profile rises again at y = " << y;
        previous = z;
    }
    EXPECT_GT(chinEdge, 200.0);
    EXPECT_GT(lipZ - previous, 15.0);  // the chin sits well behind the lip
    EXPECT_LT(lipZ - previous, 45.0);  // but is not lost under it
}

// Each ear stands off the side of the head: the head is wider at the ear
// than the skull just behind it and above it.
TEST(FaceFeatures, EarsStandOffTheSideOfTheHead)
{
    for (double side : {1.0, -1.0}) {
        SCOPED_TRACE(side > 0 ? "right ear" : "left ear");
        const Vec3 out{side, 0, 0};
        const double ear = SkinAlong({0, 480, -70}, out);
        EXPECT_GT(ear, SkinAlong({0, 480, -115}, out) + 20);
        EXPECT_GT(ear, SkinAlong({0, 570, -70}, out) + 5);
        EXPECT_LT(ear, 216.0);
    }
}

// --- mesh quality --------------------------------------------------------------------

TEST(FaceMeshQuality, StaysWithinTheTriangleBudgetOfTheFaceScenes)
{
    EXPECT_LE(Face().triangles.size(), 35000u);
}

// Every triangle has three distinct corners and a real area, and faces away
// from the centre the rays were cast from: no slivers, no folds.
TEST(FaceMeshQuality, NoDegenerateOrFoldedTriangles)
{
    const HeadMesh& m = Face();
    for (const face::Triangle& t : m.triangles) {
        ASSERT_TRUE(t.a != t.b && t.b != t.c && t.c != t.a);
        const Vec3 a = m.vertices[t.a], b = m.vertices[t.b], c = m.vertices[t.c];
        const Vec3 n = Cross(b - a, c - a);
        ASSERT_GT(0.5 * Length(n), 0.5) << a.x << " " << a.y << " " << a.z;
        ASSERT_GT(Dot(n, a - face::HeadCentre()), 0.0) << a.x << " " << a.y << " " << a.z;
    }
}

// The head is sampled symmetrically: every vertex has its mirror image in x.
TEST(FaceMeshQuality, IsMirrorSymmetric)
{
    std::set<std::tuple<long, long, long>> points;
    auto key = [](double x, double y, double z) {
        return std::make_tuple(std::lround(x * 100), std::lround(y * 100), std::lround(z * 100));
    };
    for (const Vec3& v : Face().vertices) points.insert(key(v.x, v.y, v.z));
    size_t unmatched = 0;
    for (const Vec3& v : Face().vertices) unmatched += points.count(key(-v.x, v.y, v.z)) == 0;
    EXPECT_EQ(unmatched, 0u);
}

// The scenes' framings (the turntable and the flight round the face) were
// set up for a head of this size and place.
TEST(FaceMeshQuality, KeepsTheSizeAndPlaceTheScenesFrame)
{
    Vec3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    for (const Vec3& v : Face().vertices) {
        lo = {std::fmin(lo.x, v.x), std::fmin(lo.y, v.y), std::fmin(lo.z, v.z)};
        hi = {std::fmax(hi.x, v.x), std::fmax(hi.y, v.y), std::fmax(hi.z, v.z)};
    }
    EXPECT_NEAR(hi.y, 782.0, 4.0);
    EXPECT_NEAR(hi.x, 208.0, 6.0);
    EXPECT_NEAR(hi.z, 304.5, 4.0);
    EXPECT_NEAR(lo.z, -304.5, 4.0);
}

}  // namespace
