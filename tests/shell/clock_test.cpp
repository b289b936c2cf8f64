// The demo clock against a substituted counter.
#include "platform/clock.h"
#include "runtime/demo_clock.h"

#include <gtest/gtest.h>

namespace {

int64_t fakeTicks = 0;
int64_t FakeCounter()
{
    return fakeTicks;
}

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeTicks = 0;
        PlatformSetCounter(FakeCounter);
    }
    void TearDown() override { PlatformSetCounter(nullptr); }
};

TEST_F(ClockTest, StoppedClockReportsZeroAndOnlyMovesItsReading)
{
    DemoClock clock;
    fakeTicks = 5000000;
    EXPECT_EQ(clock.GetTime(), 0.0f);
    EXPECT_EQ(clock.GetDelta(), 0.0f);
    clock.Start();
    fakeTicks += 1000;
    EXPECT_FLOAT_EQ(clock.GetTime(), 1.0f);
}

TEST_F(ClockTest, StartsAtZeroAndCountsMilliseconds)
{
    DemoClock clock;
    fakeTicks = 123456789;
    clock.Start();
    EXPECT_EQ(clock.GetTime(), 0.0f);
    fakeTicks += 16667;
    EXPECT_FLOAT_EQ(clock.GetTime(), 16.667f);
    fakeTicks += 333;
    EXPECT_FLOAT_EQ(clock.GetTime(), 17.0f);
}

TEST_F(ClockTest, FirstDeltaIsTheTimeSinceStartAndDeltasSumToTheTime)
{
    DemoClock clock;
    clock.Start();
    fakeTicks += 40000;
    EXPECT_FLOAT_EQ(clock.GetDelta(), 40.0f);
    double sum = 40.0;
    for (int frame = 0; frame < 1000; ++frame) {
        fakeTicks += 16000 + frame % 7;
        float t = clock.GetTime();
        sum += clock.GetDelta();
        EXPECT_GE(clock.GetTime(), t);
    }
    EXPECT_NEAR(sum, clock.GetTime(), 0.01);
}

TEST_F(ClockTest, TwoDeltasInARowGiveASmallSecond)
{
    DemoClock clock;
    clock.Start();
    fakeTicks += 20000;
    clock.GetDelta();
    fakeTicks += 3;
    EXPECT_NEAR(clock.GetDelta(), 0.003f, 1e-5);  // float rounding at 20 ms
}

TEST_F(ClockTest, WrapOfTheLow32BitsKeepsTheTickCount)
{
    DemoClock clock;
    fakeTicks = 0xFFFFFF00LL;
    clock.Start();
    fakeTicks = 0x100000100LL;  // 512 ticks later, across the wrap
    EXPECT_FLOAT_EQ(clock.GetTime(), 0.512f);
}

TEST_F(ClockTest, AGapOfMoreThan2To32TicksLosesWholeWraps)
{
    DemoClock clock;
    clock.Start();
    fakeTicks = (1LL << 32) + 2000;
    EXPECT_FLOAT_EQ(clock.GetTime(), 2.0f);
}

TEST_F(ClockTest, TimeAccumulatesInFloatPerReading)
{
    DemoClock clock;
    clock.Start();
    float expected = 0.0f;
    for (int i = 0; i < 960; ++i) {  // 16 s of 60 Hz frames
        fakeTicks += 16667;
        expected = static_cast<float>(expected + 16667 * 1000.0 / 1000000.0f);
        ASSERT_EQ(clock.GetTime(), expected);
    }
    EXPECT_NEAR(expected, 16000.32, 0.05);
}

}  // namespace
