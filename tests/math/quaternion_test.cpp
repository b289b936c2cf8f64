#include "math/quaternion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>

namespace {

const float HALF_PI = 1.57079633f;
const CQUATERNION IDENTITY{0.0f, 0.0f, 0.0f, 1.0f};

CQUATERNION AxisAngle(float ax, float ay, float az, float angle)
{
    CQUATERNION q;
    q.FromAxisAngle(ax, ay, az, angle);
    return q;
}

void ExpectNear(CVECTOR v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-6f);
    EXPECT_NEAR(v.y, y, 1e-6f);
    EXPECT_NEAR(v.z, z, 1e-6f);
}

void ExpectSame(CQUATERNION a, CQUATERNION b)
{
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
    EXPECT_EQ(a.w, b.w);
}

TEST(QuaternionLayout, VectorPartThenScalar)
{
    static_assert(sizeof(CQUATERNION) == 4 * sizeof(float), "four floats, nothing else");
    static_assert(offsetof(CQUATERNION, w) == sizeof(CVECTOR), "w follows a CVECTOR");
}

TEST(QuaternionIdentity, MultiplyOnEitherSideReturnsTheOther)
{
    CQUATERNION q{0.1f, -0.2f, 0.3f, 0.9f};
    ExpectSame(q.Multiply(IDENTITY), q);
    ExpectSame(IDENTITY.Multiply(q), q);
}

TEST(QuaternionIdentity, RotateReturnsTheVector)
{
    CVECTOR v = IDENTITY.Rotate(CVECTOR{1.5f, -2.0f, 3.25f});
    EXPECT_EQ(v.x, 1.5f);
    EXPECT_EQ(v.y, -2.0f);
    EXPECT_EQ(v.z, 3.25f);
}

TEST(QuaternionIdentity, ZeroAxisGivesIdentity)
{
    for (float angle : {1.0f, -3.0f, 0.0f}) {
        CQUATERNION q = AxisAngle(0, 0, 0, angle);
        EXPECT_EQ(q.x, 0.0f);
        EXPECT_EQ(q.y, 0.0f);
        EXPECT_EQ(q.z, 0.0f);
        EXPECT_FLOAT_EQ(q.w, 1.0f);
    }
}

// The identity, and a scalar just above one, count as no rotation.
TEST(QuaternionIdentity, ToAxisAngleLeavesTheAxisUnwritten)
{
    for (CQUATERNION q : {IDENTITY, CQUATERNION{0.0f, 0.0f, 0.0f, 1.0000001f}}) {
        SCOPED_TRACE(q.w == 1.0f ? "identity" : "scalar just above one");
        CVECTOR axis{7.0f, 8.0f, 9.0f};
        float angle = -1.0f;
        q.ToAxisAngle(axis, angle);
        EXPECT_EQ(angle, 0.0f);
        EXPECT_EQ(axis.x, 7.0f);
        EXPECT_EQ(axis.y, 8.0f);
        EXPECT_EQ(axis.z, 9.0f);
    }
}

TEST(QuaternionNormalize, ZeroStaysZero)
{
    CQUATERNION q{0.0f, 0.0f, 0.0f, 0.0f};
    q.Normalize();
    ExpectSame(q, CQUATERNION{0.0f, 0.0f, 0.0f, 0.0f});
}

TEST(QuaternionNormalize, AxisIsNotNormalisedFirst)
{
    // (0, 0, 5 sin 45deg, cos 45deg) scaled to unit length: a longer axis
    // means a larger turn.
    CQUATERNION q = AxisAngle(0, 0, 5, HALF_PI);
    EXPECT_EQ(q.x, 0.0f);
    EXPECT_NEAR(q.z, 5.0f / std::sqrt(26.0f), 1e-6f);
    EXPECT_NEAR(q.w, 1.0f / std::sqrt(26.0f), 1e-6f);
}

TEST(QuaternionRotate, TurnsClockwiseSeenFromTheAxisTip)
{
    ExpectNear(AxisAngle(0, 0, 1, HALF_PI).Rotate(CVECTOR{0, 1, 0}), 1, 0, 0);
    ExpectNear(AxisAngle(0, 1, 0, HALF_PI).Rotate(CVECTOR{1, 0, 0}), 0, 0, 1);
    ExpectNear(AxisAngle(1, 0, 0, HALF_PI).Rotate(CVECTOR{0, 0, 1}), 0, 1, 0);
}

TEST(QuaternionMultiply, IsArgumentTimesReceiver)
{
    // Hamilton: i (x) j = k. The receiver j times argument i is i (x) j.
    CQUATERNION i{1, 0, 0, 0}, j{0, 1, 0, 0};
    CQUATERNION product = j.Multiply(i);
    ExpectSame(product, CQUATERNION{0, 0, 1, 0});
    ExpectSame(i.Multiply(j), CQUATERNION{0, 0, -1, 0});
}

TEST(QuaternionMultiply, ComposesArgumentFirst)
{
    CQUATERNION a = AxisAngle(0, 0, 1, HALF_PI);
    CQUATERNION b = AxisAngle(0, 1, 0, HALF_PI);
    CVECTOR v{1, 0, 0};
    // b turns (1,0,0) to (0,0,1); a leaves that alone.
    ExpectNear(a.Multiply(b).Rotate(v), 0, 0, 1);
    CVECTOR twice = a.Rotate(b.Rotate(v));
    ExpectNear(a.Multiply(b).Rotate(v), twice.x, twice.y, twice.z);
    // The other order: a turns (1,0,0) to (0,-1,0); b leaves that alone.
    ExpectNear(b.Multiply(a).Rotate(v), 0, -1, 0);
}

TEST(QuaternionAxisAngle, RoundTrip)
{
    CVECTOR axis{0, 0, 0};
    float angle = 0.0f;
    AxisAngle(0, 0.6f, 0.8f, 1.25f).ToAxisAngle(axis, angle);
    EXPECT_NEAR(angle, 1.25f, 1e-6f);
    ExpectNear(axis, 0.0f, 0.6f, 0.8f);
}

TEST(QuaternionConjugate, UndoesTheRotation)
{
    CQUATERNION q = AxisAngle(1, 2, 3, 0.7f);
    ExpectSame(q.Conjugate(), CQUATERNION{-q.x, -q.y, -q.z, q.w});
    CVECTOR v = q.Conjugate().Rotate(q.Rotate(CVECTOR{0.3f, -0.4f, 2.0f}));
    ExpectNear(v, 0.3f, -0.4f, 2.0f);
}

}  // namespace
