// Laying a pipe's pieces end to end.
#include "pipes/pipe.h"
#include "tests/pipes/type_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const float PI = 3.14159265f;
const float TOLERANCE = 1e-4f;

void ExpectVector(const CVECTOR& v, float x, float y, float z, const char* what, int segment)
{
    EXPECT_NEAR(v.x, x, TOLERANCE) << what << " of segment " << segment;
    EXPECT_NEAR(v.y, y, TOLERANCE) << what << " of segment " << segment;
    EXPECT_NEAR(v.z, z, TOLERANCE) << what << " of segment " << segment;
}

void ExpectQuaternion(const CQUATERNION& q, float x, float y, float z, float w, int segment)
{
    EXPECT_NEAR(q.x, x, TOLERANCE) << "orientation of segment " << segment;
    EXPECT_NEAR(q.y, y, TOLERANCE) << "orientation of segment " << segment;
    EXPECT_NEAR(q.z, z, TOLERANCE) << "orientation of segment " << segment;
    EXPECT_NEAR(q.w, w, TOLERANCE) << "orientation of segment " << segment;
}

CVECTOR Up()
{
    CVECTOR up;
    up.Set(0.0f, 1.0f, 0.0f);
    return up;
}

// Straight, elbow, straight, elbow twisted a quarter turn, straight.
std::unique_ptr<CPIPE> WorkedPipe(TypeTable& table, float fourthTwist = PI / 2)
{
    return table.Pipe({1, 2, 1, 2, 1}, {0, 0, 0, fourthTwist, 0});
}

// --- the worked example ---

TEST(PipePaths, TheWorkedExamplePlacesAllFiveSegments)
{
    TypeTable table;
    std::unique_ptr<CPIPE> pipe = WorkedPipe(table);
    const float h = 0.70710678f;
    const float expected[5][13] = {
        // position, orientation x y z w, exitDirection, exitOffset
        {0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 10, 0},    {0, 10, 0, 0, 0, 0, 1, 1, 0, 0, 5, 5, 0},
        {5, 15, 0, 0, 0, h, h, 1, 0, 0, 10, 0, 0},   {15, 15, 0, 0.5f, 0.5f, 0.5f, 0.5f, 0, 0, 1, 5, 0, 5},
        {20, 15, 5, -h, 0, 0, h, 0, 0, 1, 0, 0, 10},
    };
    for (int i = 0; i < 5; ++i) {
        const CPIPESEGMENT& s = pipe->segments[i];
        const float* e = expected[i];
        ExpectVector(s.position, e[0], e[1], e[2], "position", i);
        ExpectQuaternion(s.orientation, e[3], e[4], e[5], e[6], i);
        ExpectVector(s.exitDirection, e[7], e[8], e[9], "exitDirection", i);
        ExpectVector(s.exitOffset, e[10], e[11], e[12], "exitOffset", i);
    }
}

TEST(PipePaths, EveryPieceStartsAtThePreviousOutletAlongThePreviousDirection)
{
    TypeTable table;
    std::unique_ptr<CPIPE> pipe = WorkedPipe(table);
    for (int i = 1; i < 5; ++i) {
        const CPIPESEGMENT& p = pipe->segments[i - 1];
        const CPIPESEGMENT& s = pipe->segments[i];
        CVECTOR outlet = p.position.Add(p.exitOffset);
        ExpectVector(s.position, outlet.x, outlet.y, outlet.z, "position", i);
        CVECTOR inlet = s.orientation.Rotate(Up());
        ExpectVector(inlet, p.exitDirection.x, p.exitDirection.y, p.exitDirection.z, "inlet", i);
    }
}

// --- single segments and the straight-down case ---

TEST(PipePaths, AOneSegmentPipeHasOnlyItsTwistAndStandsAtTheOrigin)
{
    TypeTable table;
    std::unique_ptr<CPIPE> pipe = table.Pipe({2}, {PI / 2});
    const CPIPESEGMENT& s = pipe->segments[0];
    ExpectVector(s.position, 0, 0, 0, "position", 0);
    ExpectQuaternion(s.orientation, 0, std::sin(PI / 4), 0, std::cos(PI / 4), 0);
    // The elbow's exit (1, 0, 0) turned a quarter clockwise about +Y seen from above.
    ExpectVector(s.exitDirection, 0, 0, 1, "exitDirection", 0);
}

TEST(PipePaths, APieceAfterAnOutletPointingStraightDownIsTurnedHalfAboutZ)
{
    TypeTable table;
    table.Add(TriangleModel(1), {0, -3, 0}, {0, -1, 0});  // type 3 points down
    std::unique_ptr<CPIPE> pipe = table.Pipe({3, 1});
    const CPIPESEGMENT& s = pipe->segments[1];
    ExpectQuaternion(s.orientation, 0, 0, 1, 0, 1);
    ExpectVector(s.orientation.Rotate(Up()), 0, -1, 0, "inlet", 1);
    ExpectVector(s.position, 0, -3, 0, "position", 1);
    ExpectVector(s.exitOffset, 0, -10, 0, "exitOffset", 1);
}

TEST(PipePaths, AnOutletCloseToStraightDownUsesTheShortestRotation)
{
    TypeTable table;
    CVECTOR d;
    d.Set(0.01f, -1.0f, 0.02f);
    d.Normalize();
    table.Add(TriangleModel(1), {0, 1, 0}, d);  // type 3
    std::unique_ptr<CPIPE> pipe = table.Pipe({3, 1});
    const CPIPESEGMENT& s = pipe->segments[1];
    ExpectVector(s.orientation.Rotate(Up()), d.x, d.y, d.z, "inlet", 1);
    // The shortest rotation's axis (-d.z, 0, d.x) has no Y part.
    EXPECT_NEAR(s.orientation.y, 0.0f, TOLERANCE);
}

// --- twists ---

TEST(PipePaths, ATwistChangesItsSegmentAndEverythingPlacedAfterIt)
{
    TypeTable table;
    std::unique_ptr<CPIPE> twisted = WorkedPipe(table, PI / 2);
    std::unique_ptr<CPIPE> plain = WorkedPipe(table, 0.0f);
    for (int i = 0; i < 3; ++i) {
        const CPIPESEGMENT& a = twisted->segments[i];
        const CPIPESEGMENT& b = plain->segments[i];
        ExpectVector(a.position, b.position.x, b.position.y, b.position.z, "position", i);
        ExpectQuaternion(a.orientation, b.orientation.x, b.orientation.y, b.orientation.z, b.orientation.w,
                         i);
    }
    // Untwisted, the fourth elbow keeps bending within the XY plane.
    ExpectVector(plain->segments[3].exitDirection, 0, -1, 0, "exitDirection", 3);
    ExpectVector(plain->segments[4].position, 20, 10, 0, "position", 4);
    ExpectVector(twisted->segments[4].position, 20, 15, 5, "position", 4);
}

TEST(PipePaths, TwistsAreMeasuredFromTheBendAndNotAccumulated)
{
    TypeTable table;
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 1, 1}, {0.5f, 0.0f, 0.7f});
    // Straight pieces: each orientation is its own twist alone.
    ExpectQuaternion(pipe->segments[1].orientation, 0, 0, 0, 1, 1);
    ExpectQuaternion(pipe->segments[2].orientation, 0, std::sin(0.35f), 0, std::cos(0.35f), 2);
}

}  // namespace
