// Reading the pipes map script into pipes and segments.
#include "pipes/pipe.h"
#include "pipes/pipe_map.h"
#include "pipes/pipe_types.h"
#include "tests/pipes/script_file.h"
#include "tests/pipes/type_table.h"

#include <gtest/gtest.h>

namespace {

const char* const TWO_PIPES =
    "pipes count 2\n"
    "position 1 2 3\n"
    "rotation 10 20 30\n"
    "segment count 3\n"
    "1 0.0\n2 1.5\n1 -0.25\n"
    "position -4 5 -6\n"
    "rotation 0 90 0\n"
    "segment count 1\n"
    "2 0.5\n";

class PipeMapTest : public ::testing::Test {
protected:
    // Loads text as the script and returns what went to stderr.
    std::string LoadScript(const std::string& text, int expected)
    {
        ScriptFile script(text);
        testing::internal::CaptureStderr();
        EXPECT_EQ(map.Load(script.path(), table.data(), table.size()), expected);
        return testing::internal::GetCapturedStderr();
    }
    // A pipe with one segment of the given type token, to build scripts with.
    static std::string OnePipe(const std::string& segments, const std::string& count = "1")
    {
        return "position 0 0 0 rotation 0 0 0 segment count " + count + " " + segments + "\n";
    }
    TypeTable table;
    CPIPEMAP map;
};

// --- well-formed maps ---

TEST_F(PipeMapTest, EveryPipeGetsItsPlacementSegmentsAndTypesByNumber)
{
    EXPECT_EQ(LoadScript(TWO_PIPES, 1), "");
    ASSERT_EQ(map.pipeCount, 2);
    const CPIPE& first = *map.pipes[0];
    EXPECT_FLOAT_EQ(first.position.z, 3.0f);
    EXPECT_FLOAT_EQ(first.rotation.y, 20.0f);
    ASSERT_EQ(first.segmentCount, 3);
    EXPECT_EQ(first.segments[0].type, &table.data()[0]);
    EXPECT_EQ(first.segments[1].type, &table.data()[1]);
    EXPECT_FLOAT_EQ(first.segments[1].twist, 1.5f);
    EXPECT_FLOAT_EQ(first.segments[2].twist, -0.25f);
    const CPIPE& second = *map.pipes[1];
    EXPECT_FLOAT_EQ(second.position.x, -4.0f);
    ASSERT_EQ(second.segmentCount, 1);
    EXPECT_EQ(second.segments[0].type->number, 2);
}

TEST_F(PipeMapTest, EveryPipeStartsGrowingWithTheMeshViewOfItsFirstSegment)
{
    LoadScript(TWO_PIPES, 1);
    for (uint16_t i = 0; i < map.pipeCount; ++i) {
        const CPIPE& pipe = *map.pipes[i];
        EXPECT_EQ(pipe.grownCount, 0);
        EXPECT_EQ(pipe.progress, 0.0f);
        EXPECT_EQ(pipe.phase, 0);
    }
    EXPECT_EQ(map.pipes[0]->faceCount, 4);  // straight piece
    EXPECT_EQ(map.pipes[0]->vertexCount, 12);
    EXPECT_EQ(map.pipes[0]->texture, 11u);
    EXPECT_NE(map.pipes[0]->faces, nullptr);
    EXPECT_EQ(map.pipes[1]->faceCount, 2);  // elbow
    EXPECT_EQ(map.pipes[1]->texture, 12u);
}

TEST_F(PipeMapTest, AMapOfZeroPipesLoadsNothingAndGrowsAndDrawsNothing)
{
    EXPECT_EQ(LoadScript("pipes count 0\n", 1), "");
    EXPECT_EQ(map.pipeCount, 0);
    map.Update(100.0f);
    map.Draw();  // no pipe, so no GL call is made
}

TEST_F(PipeMapTest, LabelsAreAnyWordsAndLineBreaksDoNotMatter)
{
    EXPECT_EQ(LoadScript("a b 1 c 1 2\n3 d 4 5 6 e f 2 1 0.5 2\n0.25", 1), "");
    ASSERT_EQ(map.pipeCount, 1);
    EXPECT_FLOAT_EQ(map.pipes[0]->rotation.z, 6.0f);
    EXPECT_FLOAT_EQ(map.pipes[0]->segments[1].twist, 0.25f);
}

TEST_F(PipeMapTest, TheGlobalLoadUsesTheGlobalTypeTable)
{
    ScriptFile script(TWO_PIPES);
    pipeTypes = table.data();
    pipeTypeCount = table.size();
    map.Load(script.path());
    pipeTypes = nullptr;
    pipeTypeCount = 0;
    ASSERT_EQ(map.pipeCount, 2);
    EXPECT_EQ(map.pipes[0]->types, table.data());
}

TEST_F(PipeMapTest, LoadingAgainReplacesTheNetwork)
{
    LoadScript(TWO_PIPES, 1);
    LoadScript("pipes count 1 " + OnePipe("2 0"), 1);
    ASSERT_EQ(map.pipeCount, 1);
    EXPECT_EQ(map.pipes[0]->segments[0].type->number, 2);
}

// --- refused pipes: the rest of the network still loads ---

TEST_F(PipeMapTest, AMissingFileIsReportedAndLoadsNothing)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(map.Load("/nonexistent/pipes_map.plm", table.data(), table.size()), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("/nonexistent/pipes_map.plm"), std::string::npos);
    EXPECT_EQ(map.pipeCount, 0);
}

TEST_F(PipeMapTest, AMissingOrImpossibleHeaderLoadsNothing)
{
    for (const char* text : {"", "pipes count\n", "pipes count -2\n", "pipes count 70000\n"}) {
        std::string err = LoadScript(text, 0);
        EXPECT_NE(err.find("no pipes"), std::string::npos) << text;
        EXPECT_EQ(map.pipeCount, 0) << text;
    }
}

TEST_F(PipeMapTest, APipeWithZeroSegmentsIsLeftOut)
{
    std::string err = LoadScript("pipes count 2 " + OnePipe("", "0") + OnePipe("1 0"), 0);
    EXPECT_NE(err.find("pipe 1 has no segments"), std::string::npos) << err;
    ASSERT_EQ(map.pipeCount, 1);
    EXPECT_EQ(map.pipes[0]->segmentCount, 1);
}

TEST_F(PipeMapTest, TypeNumbersOfZeroOrAboveTheTableAreLeftOutWithTheirPipe)
{
    std::string err = LoadScript(
        "pipes count 4 " + OnePipe("0 0") + OnePipe("3 0") + OnePipe("1 0 -1 0", "2") + OnePipe("2 0"), 0);
    EXPECT_NE(err.find("pipe 1, segment 1: type 0 is not a pipe type (1 to 2)"), std::string::npos) << err;
    EXPECT_NE(err.find("pipe 2, segment 1: type 3"), std::string::npos);
    EXPECT_NE(err.find("pipe 3, segment 2"), std::string::npos);
    ASSERT_EQ(map.pipeCount, 1);
    EXPECT_EQ(map.pipes[0]->segments[0].type->number, 2);
}

TEST_F(PipeMapTest, TypeNumbersAbove255AreLeftOutEvenWithALargerTable)
{
    for (int i = 0; i < 300; ++i) table.AddUndrawable({0, 1, 0}, {0, 1, 0});
    std::string err = LoadScript("pipes count 2 " + OnePipe("255 0") + OnePipe("256 0"), 0);
    EXPECT_NE(err.find("pipe 2, segment 1: type 256 is not a pipe type (1 to 255)"), std::string::npos)
        << err;
    ASSERT_EQ(map.pipeCount, 1);
    EXPECT_EQ(map.pipes[0]->segments[0].type->number, 255);
}

TEST_F(PipeMapTest, ValuesThatAreNotNumbersAreLeftOutWithTheirPipe)
{
    std::string err = LoadScript("pipes count 3 position nan 0 0 rotation 0 0 0 segment count 1 1 0 " +
                                     OnePipe("1 inf") + OnePipe("1 0"),
                                 0);
    EXPECT_NE(err.find("pipe 1: the position (nan, 0, 0) is not a number"), std::string::npos) << err;
    EXPECT_NE(err.find("pipe 2, segment 1: the twist is not a number"), std::string::npos);
    ASSERT_EQ(map.pipeCount, 1);
}

// One pipe far out of the scene must not take the others with it: its
// placement would fill the model-view matrix with infinities.
TEST_F(PipeMapTest, PositionsBeyondTheSceneBoundsAreLeftOutWithTheirPipe)
{
    const char* const bad[] = {"3e38", "-3e38", "1000001", "inf", "-inf", "nan", "1e39"};
    for (const char* value : bad) {
        for (int axis = 0; axis < 3; ++axis) {
            std::string position[3] = {"0", "0", "0"};
            position[axis] = value;
            std::string err =
                LoadScript("pipes count 3 " + OnePipe("1 0") + "position " + position[0] + " " + position[1] +
                               " " + position[2] + " rotation 0 0 0 segment count 1 2 0\n" + OnePipe("2 0"),
                           0);
            EXPECT_NE(err.find("pipe 2: the position ("), std::string::npos) << value << err;
            EXPECT_NE(err.find("beyond +-1e+06; pipe left out"), std::string::npos) << err;
            EXPECT_NE(err.find("2 of 3 pipes loaded"), std::string::npos) << err;
            ASSERT_EQ(map.pipeCount, 2) << value;
            EXPECT_EQ(map.pipes[1]->segments[0].type->number, 2) << value;
        }
    }
}

TEST_F(PipeMapTest, PositionsOnTheSceneBoundsAndRotationsOfAnySizeLoad)
{
    EXPECT_EQ(LoadScript("pipes count 2 position 1e6 -1e6 1000000 rotation 3e38 -3e38 720 "
                         "segment count 1 1 0\n" +
                             OnePipe("2 0"),
                         1),
              "");
    ASSERT_EQ(map.pipeCount, 2);
    EXPECT_EQ(map.pipes[0]->position.y, -1e6f);
}

TEST_F(PipeMapTest, RotationsThatAreNotNumbersAreLeftOutWithTheirPipe)
{
    std::string err =
        LoadScript("pipes count 2 position 0 0 0 rotation 0 -inf 0 segment count 1 1 0 " + OnePipe("2 0"), 0);
    EXPECT_NE(err.find("pipe 1: the rotation (0, -inf, 0) is not a number; pipe left out"), std::string::npos)
        << err;
    ASSERT_EQ(map.pipeCount, 1);
}

// Counts and type numbers are reported as written, never as their unsigned
// 32-bit reading (4294967295 for -1).
TEST_F(PipeMapTest, NegativeCountsAndTypeNumbersAreReportedWithTheirSign)
{
    std::string err = LoadScript("pipes count -1\n" + OnePipe("1 0"), 0);
    EXPECT_NE(err.find("-1 pipes is outside 0 to 65535; no pipes"), std::string::npos) << err;
    err = LoadScript("pipes count -4294967295\n" + OnePipe("1 0"), 0);
    EXPECT_NE(err.find("-4294967295 pipes"), std::string::npos) << err;
    EXPECT_EQ(map.pipeCount, 0);
    err = LoadScript("pipes count 4294967295\n", 0);
    EXPECT_NE(err.find("4294967295 pipes"), std::string::npos) << err;

    err = LoadScript("pipes count 2 " + OnePipe("1 0", "-1") + OnePipe("2 0"), 0);
    EXPECT_NE(err.find("pipe 1: -1 segments is outside 0 to 65535"), std::string::npos) << err;
    EXPECT_EQ(map.pipeCount, 0);

    err = LoadScript("pipes count 2 " + OnePipe("-1 0") + OnePipe("2 0"), 0);
    EXPECT_NE(err.find("pipe 1, segment 1: type -1 is not a pipe type (1 to 2)"), std::string::npos) << err;
    ASSERT_EQ(map.pipeCount, 1);
    EXPECT_EQ(err.find("4294967295"), std::string::npos) << err;
}

TEST_F(PipeMapTest, AnUndrawableTypeLoadsWithAnEmptyMeshView)
{
    table.AddUndrawable({0, 3, 0}, {0, 1, 0});
    LoadScript("pipes count 1 " + OnePipe("3 0 1 0", "2"), 1);
    ASSERT_EQ(map.pipeCount, 1);
    EXPECT_EQ(map.pipes[0]->faceCount, 0);
    EXPECT_EQ(map.pipes[0]->faces, nullptr);
    EXPECT_FLOAT_EQ(map.pipes[0]->segments[1].position.y, 3.0f);
}

// --- counts that do not match the data: the network ends there ---

TEST_F(PipeMapTest, MorePipesAnnouncedThanPresentKeepsThoseRead)
{
    std::string err = LoadScript("pipes count 3 " + OnePipe("1 0") + OnePipe("2 0"), 0);
    EXPECT_NE(err.find("pipe 3: the position record"), std::string::npos) << err;
    EXPECT_NE(err.find("2 of 3 pipes loaded"), std::string::npos) << err;
    EXPECT_EQ(map.pipeCount, 2);
}

TEST_F(PipeMapTest, MoreSegmentsAnnouncedThanPresentEndsTheNetworkAtThatPipe)
{
    std::string err =
        LoadScript("pipes count 3 " + OnePipe("1 0") + OnePipe("1 0 2 0", "3") + OnePipe("2 0"), 0);
    EXPECT_NE(err.find("pipe 2, segment 3"), std::string::npos) << err;
    EXPECT_EQ(map.pipeCount, 1);
}

TEST_F(PipeMapTest, FewerSegmentsAnnouncedThanPresentIsReported)
{
    std::string err = LoadScript("pipes count 1 " + OnePipe("1 0 2 0", "1"), 0);
    EXPECT_NE(err.find("more data follows pipe 1"), std::string::npos) << err;
    EXPECT_EQ(map.pipeCount, 1);
}

TEST_F(PipeMapTest, AnImpossibleSegmentCountEndsTheNetwork)
{
    std::string err = LoadScript("pipes count 2 " + OnePipe("1 0", "70000") + OnePipe("1 0"), 0);
    EXPECT_NE(err.find("pipe 1: 70000 segments"), std::string::npos) << err;
    EXPECT_EQ(map.pipeCount, 0);
}

}  // namespace
