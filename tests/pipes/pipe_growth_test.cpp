// Growth of pipes over frame time.
#include "pipes/pipe.h"
#include "pipes/pipe_map.h"
#include "tests/pipes/script_file.h"
#include "tests/pipes/type_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// --- ordinary growth ---

TEST(PipeGrowth, ProgressGrowsByTheGrowthRatePerMillisecond)
{
    TypeTable table(10);
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2});
    pipe->Update(0.75f);
    EXPECT_FLOAT_EQ(pipe->progress, 0.75f * GROWTH_RATE);
    pipe->Update(0.5f);
    EXPECT_FLOAT_EQ(pipe->progress, 1.25f * GROWTH_RATE);
    EXPECT_EQ(pipe->phase, 0);
}

TEST(PipeGrowth, APhaseEndsOnlyWhenProgressExceedsTheFaceCount)
{
    TypeTable table(4);
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2});
    pipe->progress = 4.0f;
    pipe->Update(1e-9f);  // too small to move a float of 4
    EXPECT_EQ(pipe->phase, 0);
    pipe->Update(0.1f);
    EXPECT_EQ(pipe->phase, 1);
    EXPECT_EQ(pipe->progress, 0.0f);
}

TEST(PipeGrowth, AfterFillingTheNextSegmentGrowsWithItsOwnMeshView)
{
    TypeTable table(4, 2);
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2});
    pipe->Update(1.0f);  // 6.7 faces: tracing done
    pipe->Update(1.0f);  // filling done
    EXPECT_EQ(pipe->grownCount, 1);
    EXPECT_EQ(pipe->phase, 0);
    EXPECT_EQ(pipe->progress, 0.0f);
    EXPECT_EQ(pipe->faceCount, 2);
    EXPECT_EQ(pipe->texture, 12u);
}

// --- long, empty and missing frames ---

TEST(PipeGrowth, AHugeFrameTimeMakesOnePhaseStepAndRestartsProgress)
{
    TypeTable table(4);
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 1, 1});
    pipe->Update(1e6f);
    EXPECT_EQ(pipe->phase, 1);
    EXPECT_EQ(pipe->grownCount, 0);
    EXPECT_EQ(pipe->progress, 0.0f);
    pipe->Update(std::numeric_limits<float>::infinity());
    EXPECT_EQ(pipe->phase, 0);
    EXPECT_EQ(pipe->grownCount, 1);
    EXPECT_EQ(pipe->progress, 0.0f);
}

TEST(PipeGrowth, AFrameTimeOfZeroNegativeOrNotANumberLeavesTheGrowth)
{
    TypeTable table(10);
    std::unique_ptr<CPIPE> pipe = table.Pipe({1});
    pipe->Update(0.3f);
    float before = pipe->progress;
    for (float dt : {0.0f, -5.0f, std::nanf("")}) {
        pipe->Update(dt);
        EXPECT_EQ(pipe->progress, before) << dt;
        EXPECT_EQ(pipe->phase, 0) << dt;
    }
}

TEST(PipeGrowth, APieceOfZeroFacesFillsOnTheFirstUpdateAndIsGrownOnTheNext)
{
    TypeTable table(0);
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2});
    pipe->Update(0.0f);
    EXPECT_EQ(pipe->phase, 0);
    pipe->Update(0.001f);
    EXPECT_EQ(pipe->phase, 1);
    pipe->Update(0.001f);
    EXPECT_EQ(pipe->grownCount, 1);
    EXPECT_EQ(pipe->phase, 0);
}

// --- complete pipes ---

TEST(PipeGrowth, APipeIsCompleteAfterItsLastSegmentAndStaysSo)
{
    TypeTable table(1, 1);
    std::unique_ptr<CPIPE> pipe = table.Pipe({1, 2});
    for (int i = 0; i < 4; ++i) pipe->Update(1.0f);
    EXPECT_EQ(pipe->grownCount, 2);
    for (int i = 0; i < 600; ++i) pipe->Update(1e6f);
    EXPECT_EQ(pipe->grownCount, 2);
    pipe->Advance();
    EXPECT_EQ(pipe->grownCount, 2);
}

TEST(PipeGrowth, TheMapGrowsEveryPipe)
{
    TypeTable table(100, 1);
    ScriptFile script("pipes count 2 p 0 0 0 r 0 0 0 s c 1 1 0 p 0 0 0 r 0 0 0 s c 1 2 0\n");
    CPIPEMAP map;
    map.Load(script.path(), table.data(), table.size());
    ASSERT_EQ(map.pipeCount, 2);
    map.Update(1.0f);
    EXPECT_FLOAT_EQ(map.pipes[0]->progress, GROWTH_RATE);
    EXPECT_EQ(map.pipes[1]->phase, 1);
}

}  // namespace
