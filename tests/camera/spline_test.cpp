#include "scene/spline.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A spline with keys at the given times and x positions (y = z = 0).
void Fill(CSPLINE& spline, const std::vector<uint32_t>& times, const std::vector<float>& xs)
{
    ASSERT_TRUE(spline.Allocate(static_cast<uint32_t>(times.size())));
    for (size_t i = 0; i < times.size(); ++i) {
        spline.SetKey(static_cast<uint32_t>(i), CVECTOR{xs[i], 0.0f, 0.0f}, times[i]);
    }
}

struct Segment {
    int32_t prev2, prev, cur, next;
};

Segment Find(const CSPLINE& spline, uint32_t t)
{
    Segment s;
    spline.FindSegment(t, s.prev2, s.prev, s.cur, s.next);
    return s;
}

void ExpectSegment(Segment s, int32_t prev2, int32_t prev, int32_t cur, int32_t next)
{
    EXPECT_EQ(s.prev2, prev2);
    EXPECT_EQ(s.prev, prev);
    EXPECT_EQ(s.cur, cur);
    EXPECT_EQ(s.next, next);
}

TEST(SplineFindSegment, OutsideAndOnKeys)
{
    CSPLINE spline;
    Fill(spline, {100, 200, 300, 400}, {0, 1, 2, 3});
    ExpectSegment(Find(spline, 99), -1, -1, 0, -1);
    ExpectSegment(Find(spline, 401), -1, -1, 3, -1);
    ExpectSegment(Find(spline, 100), -1, -1, 0, -1);
    ExpectSegment(Find(spline, 300), -1, -1, 2, -1);
    ExpectSegment(Find(spline, 400), -1, -1, 3, -1);
}

TEST(SplineFindSegment, InsideSegments)
{
    CSPLINE spline;
    Fill(spline, {100, 200, 300, 400}, {0, 1, 2, 3});
    ExpectSegment(Find(spline, 150), -1, 0, 1, 2);
    ExpectSegment(Find(spline, 250), 0, 1, 2, 3);
    ExpectSegment(Find(spline, 399), 1, 2, 3, -1);
}

TEST(SplineFindSegment, NoKeysNeverGivesAnIndexToRead)
{
    CSPLINE spline;
    ExpectSegment(Find(spline, 5), -1, -1, -1, -1);
    EXPECT_EQ(spline.LastKeyTime(), 0u);
    CVECTOR p = spline.Evaluate(5);
    EXPECT_EQ(p.x, 0.0f);
}

TEST(SplineEvaluate, InnerSegmentUsesCatmullRomTangents)
{
    CSPLINE spline;
    Fill(spline, {0, 1000, 2000, 3000}, {0, 10, 20, 30});
    EXPECT_EQ(spline.Evaluate(1500).x, 15.0f);
    EXPECT_EQ(spline.Evaluate(1500).y, 0.0f);
}

TEST(SplineEvaluate, NaturalEndsOfAThreeKeyTrack)
{
    CSPLINE spline;
    Fill(spline, {0, 1000, 2000}, {0, 10, 0});
    EXPECT_EQ(spline.Evaluate(250).x, 3.671875f);
    EXPECT_EQ(spline.Evaluate(500).x, 6.875f);
    EXPECT_EQ(spline.Evaluate(1500).x, 6.875f);
    EXPECT_EQ(spline.Evaluate(1750).x, 3.671875f);
}

TEST(SplineEvaluate, TwoKeysMoveInAStraightLineAtConstantSpeed)
{
    CSPLINE spline;
    ASSERT_TRUE(spline.Allocate(2));
    spline.SetKey(0, CVECTOR{0.0f, 4.0f, -8.0f}, 1000);
    spline.SetKey(1, CVECTOR{40.0f, 0.0f, 8.0f}, 2000);
    for (uint32_t t = 1000; t <= 2000; t += 125) {
        float s = (t - 1000) / 1000.0f;
        CVECTOR p = spline.Evaluate(t);
        EXPECT_NEAR(p.x, 40.0f * s, 1e-4f) << t;
        EXPECT_NEAR(p.y, 4.0f - 4.0f * s, 1e-4f) << t;
        EXPECT_NEAR(p.z, -8.0f + 16.0f * s, 1e-4f) << t;
    }
}

TEST(SplineEvaluate, KeysAreHeldOutsideTheTrackAndMetExactly)
{
    CSPLINE spline;
    Fill(spline, {500, 1000, 2000}, {0.1f, 10.3f, -7.7f});
    EXPECT_EQ(spline.Evaluate(0).x, 0.1f);
    EXPECT_EQ(spline.Evaluate(1000).x, 10.3f);
    EXPECT_EQ(spline.Evaluate(2000).x, -7.7f);
    EXPECT_EQ(spline.Evaluate(4000000000u).x, -7.7f);
}

TEST(SplineEvaluate, SingleKeyHoldsItsPointAtAllTimes)
{
    CSPLINE spline;
    Fill(spline, {700}, {3.5f});
    for (uint32_t t : {0u, 699u, 700u, 701u, 0xFFFFFFFFu}) {
        EXPECT_EQ(spline.Evaluate(t).x, 3.5f) << t;
    }
}

TEST(SplineKeys, AllocateReplacesAndFreeEmpties)
{
    CSPLINE spline;
    Fill(spline, {0, 1}, {1, 2});
    Fill(spline, {5, 6, 7}, {1, 2, 3});  // must not leak the first arrays
    EXPECT_EQ(spline.keyCount, 3u);
    EXPECT_EQ(spline.LastKeyTime(), 7u);
    spline.FreeKeys();
    EXPECT_EQ(spline.keyCount, 0u);
    EXPECT_EQ(spline.keyPoints, nullptr);
    EXPECT_EQ(spline.keyTimes, nullptr);
}

}  // namespace
