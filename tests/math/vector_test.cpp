#include "math/vector.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CVECTOR V(float x, float y, float z)
{
    return CVECTOR{x, y, z};
}

void ExpectVector(CVECTOR v, float x, float y, float z)
{
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(VectorCross, TakesTheArgumentFirst)
{
    ExpectVector(V(1, 0, 0).Cross(V(0, 1, 0)), 0, 0, -1);
    ExpectVector(V(0, 1, 0).Cross(V(1, 0, 0)), 0, 0, 1);
    ExpectVector(V(2, 3, 4).Cross(V(5, 6, 7)), 3, -6, 3);  // (5,6,7) x (2,3,4)
}

TEST(VectorCross, ParallelVectorsGiveZero)
{
    ExpectVector(V(1, 2, 3).Cross(V(2, 4, 6)), 0, 0, 0);
    ExpectVector(V(1, 2, 3).Cross(V(-1, -2, -3)), 0, 0, 0);
}

TEST(VectorNormalize, ZeroVectorStaysZero)
{
    CVECTOR v = V(0, 0, 0);
    v.Normalize();
    EXPECT_EQ(v.x, 0.0f);
    EXPECT_EQ(v.y, 0.0f);
    EXPECT_EQ(v.z, 0.0f);
    EXPECT_FALSE(std::signbit(v.x));
}

TEST(VectorNormalize, GivesUnitLength)
{
    CVECTOR v = V(3, 0, -4);
    v.Normalize();
    ExpectVector(v, 0.6f, 0.0f, -0.8f);
}

TEST(VectorAngleTo, OppositeUnitVectorsGiveFloatPiExactly)
{
    EXPECT_EQ(V(0, 1, 0).AngleTo(V(0, -1, 0)), 3.14159274f);
    EXPECT_EQ(static_cast<float>(3.14159265358979323846), 3.14159274f);
}

TEST(VectorAngleTo, DotProductsPastOneAreClamped)
{
    // Slightly longer than unit: the dot product rounds above 1 or below -1.
    CVECTOR longer = V(0, 1.0000001f, 0);
    EXPECT_GT(longer.Dot(V(0, 1.0000001f, 0)), 1.0f);
    EXPECT_EQ(longer.AngleTo(V(0, 1.0000001f, 0)), 0.0f);
    EXPECT_EQ(longer.AngleTo(V(0, -1.0000001f, 0)), 3.14159274f);
}

}  // namespace
