// Reading the pipe types script and making one engine object per type.
#include "pipes/piece_mesh.h"
#include "pipes/pipe_types.h"
#include "runtime/entry_points.h"
#include "tests/pipes/release_types.h"
#include "tests/pipes/script_file.h"
#include "tests/support/fake_engine.h"

#include <gtest/gtest.h>

#include <cmath>

// Buffers the picture loader handed out and has not freed (counting_loader.cpp).
extern int livePixelBuffers;

namespace {

const char* const STRAIGHT = "plumora_data/obj3d/straight.3ds";
const char* const ELBOW = "plumora_data/obj3d/elbow.3ds";

class PipeTypesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakeEngine();
        EntryPoints.CreateObject3d = CreateFakeObject;
        fakeModels[STRAIGHT] = TriangleModel(4, 7);
        fakeModels[ELBOW] = TriangleModel(2);
    }
    void TearDown() override
    {
        ReleasePipeTypes();
        EntryPoints.CreateObject3d = nullptr;
    }
    // Loads text as the script and returns what went to stderr.
    std::string LoadScript(const std::string& text, int expected)
    {
        ScriptFile script(text);
        testing::internal::CaptureStderr();
        EXPECT_EQ(LoadPipeTypesFile(script.path()), expected);
        return testing::internal::GetCapturedStderr();
    }
    // The engine log without the mesh queries made while checking models.
    static std::vector<std::string> CallsWithoutQueries()
    {
        std::vector<std::string> calls;
        for (const std::string& call : engineCalls) {
            if (call.rfind("GetMeshData", 0) != 0) calls.push_back(call);
        }
        return calls;
    }
};

// --- well-formed scripts ---

TEST_F(PipeTypesTest, EachTypeIsCreatedLoadedSetToVertexNormalsAndCompiledInOrder)
{
    EXPECT_EQ(LoadScript("2\nstraight.3ds 0 10 0 0 1 0\nelbow.3ds 5 5 0 1 0 0\n", 1), "");
    std::vector<std::string> expected = {
        "create", std::string("Load ") + STRAIGHT + " 1 loader", "SetParam 1 2", "BuildLists",
        "create", std::string("Load ") + ELBOW + " 1 loader",    "SetParam 1 2", "BuildLists"};
    EXPECT_EQ(CallsWithoutQueries(), expected);
    ASSERT_EQ(pipeTypeCount, 2);
    EXPECT_EQ(pipeTypes[0].number, 1);
    EXPECT_EQ(pipeTypes[1].number, 2);
    EXPECT_FLOAT_EQ(pipeTypes[0].exitOffset.y, 10.0f);
    EXPECT_FLOAT_EQ(pipeTypes[1].exitOffset.x, 5.0f);
    EXPECT_FLOAT_EQ(pipeTypes[1].exitDirection.x, 1.0f);
    EXPECT_TRUE(pipeTypes[0].drawable && pipeTypes[1].drawable);
    CPIECEMESH mesh = GetPieceMesh(&pipeTypes[0]);
    EXPECT_EQ(mesh.faceCount, 4);
    EXPECT_EQ(mesh.vertexCount, 12);
    EXPECT_EQ(mesh.texture, 7u);
}

TEST_F(PipeTypesTest, ACountOfZeroMakesAnEmptyTableAndNoEngineCalls)
{
    EXPECT_EQ(LoadScript("0\n", 1), "");
    EXPECT_EQ(pipeTypeCount, 0);
    EXPECT_TRUE(engineCalls.empty());
}

TEST_F(PipeTypesTest, RecordsSplitAcrossLinesReadTheSameAsOnePerLine)
{
    LoadScript("  2 straight.3ds\n0\t10 0\n\n0 1 0 elbow.3ds 5 5\n0 1\n0 0", 1);
    ASSERT_EQ(pipeTypeCount, 2);
    EXPECT_FLOAT_EQ(pipeTypes[0].exitOffset.y, 10.0f);
    EXPECT_FLOAT_EQ(pipeTypes[0].exitDirection.y, 1.0f);
    EXPECT_FLOAT_EQ(pipeTypes[1].exitOffset.y, 5.0f);
    EXPECT_FLOAT_EQ(pipeTypes[1].exitDirection.x, 1.0f);
}

// --- the script and its count ---

TEST_F(PipeTypesTest, AMissingScriptIsReportedAndGivesNoTypes)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadPipeTypesFile("/nonexistent/pipes_type.plm"), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("/nonexistent/pipes_type.plm"), std::string::npos);
    EXPECT_EQ(pipeTypeCount, 0);
    EXPECT_EQ(pipeTypes, nullptr);
}

TEST_F(PipeTypesTest, NoBoundEngineIsReportedAndLoadsNothing)
{
    EntryPoints.CreateObject3d = nullptr;
    std::string err = LoadScript("1 straight.3ds 0 10 0 0 1 0\n", 0);
    EXPECT_NE(err.find("no model engine"), std::string::npos);
    EXPECT_EQ(pipeTypeCount, 0);
    EXPECT_TRUE(engineCalls.empty());
}

TEST_F(PipeTypesTest, AMissingNegativeOrOversizedCountGivesNoTypes)
{
    for (const char* text : {"", "two\n", "-1\n", "65536\n"}) {
        std::string err = LoadScript(text, 0);
        EXPECT_NE(err.find("no pipe types"), std::string::npos) << text;
        EXPECT_EQ(pipeTypeCount, 0) << text;
    }
    EXPECT_TRUE(engineCalls.empty());
}

// --- bad records ---

TEST_F(PipeTypesTest, AShortRecordEndsTheTableBeforeItAndNamesTheRecord)
{
    std::string err = LoadScript("3\nstraight.3ds 0 10 0 0 1 0\nelbow.3ds 5 5\n", 0);
    EXPECT_NE(err.find("record 2"), std::string::npos) << err;
    ASSERT_EQ(pipeTypeCount, 1);
    EXPECT_TRUE(pipeTypes[0].drawable);
}

TEST_F(PipeTypesTest, ANameOf63CharactersLoads)
{
    std::string name(63, 'n');
    fakeModels["plumora_data/obj3d/" + name] = TriangleModel(1);
    EXPECT_EQ(LoadScript("1 " + name + " 0 1 0 0 1 0\n", 1), "");
    ASSERT_EQ(pipeTypeCount, 1);
    EXPECT_TRUE(pipeTypes[0].drawable);
}

TEST_F(PipeTypesTest, ALongerNameIsReportedNotLoadedAndTheNextRecordStillReads)
{
    std::string name(64, 'n');
    std::string err = LoadScript("2 " + name + " 0 1 0 0 1 0\nelbow.3ds 5 5 0 1 0 0\n", 0);
    EXPECT_NE(err.find("record 1"), std::string::npos) << err;
    EXPECT_NE(err.find("longer than 63"), std::string::npos) << err;
    ASSERT_EQ(pipeTypeCount, 2);
    EXPECT_FALSE(pipeTypes[0].drawable);
    EXPECT_EQ(pipeTypes[0].object, nullptr);
    EXPECT_TRUE(pipeTypes[1].drawable);
    EXPECT_FLOAT_EQ(pipeTypes[1].exitOffset.x, 5.0f);
    EXPECT_EQ(engineCalls[0], "create");
    EXPECT_EQ(engineCalls[1], std::string("Load ") + ELBOW + " 1 loader");
}

TEST_F(PipeTypesTest, AMissingModelKeepsItsNumberButIsNeverDrawnFrom)
{
    std::string err = LoadScript("2 missing.3ds 0 1 0 0 1 0 elbow.3ds 5 5 0 1 0 0\n", 0);
    EXPECT_NE(err.find("record 1"), std::string::npos);
    EXPECT_NE(err.find("plumora_data/obj3d/missing.3ds"), std::string::npos);
    ASSERT_EQ(pipeTypeCount, 2);
    EXPECT_FALSE(pipeTypes[0].drawable);
    EXPECT_EQ(pipeTypes[1].number, 2);
    CPIECEMESH mesh = GetPieceMesh(&pipeTypes[0]);
    EXPECT_EQ(mesh.faceCount, 0);
    EXPECT_EQ(mesh.faces, nullptr);
}

TEST_F(PipeTypesTest, AModelWithoutMeshesOrWithFacesPastItsVerticesIsNotDrawable)
{
    FakeModel broken = TriangleModel(2);
    broken.meshes[0].faces[1].c = 6;  // one past the last vertex
    fakeModels["plumora_data/obj3d/empty.3ds"] = FakeModel();
    fakeModels["plumora_data/obj3d/broken.3ds"] = broken;
    std::string err = LoadScript("2 empty.3ds 0 1 0 0 1 0 broken.3ds 0 1 0 0 1 0\n", 0);
    EXPECT_NE(err.find("record 1"), std::string::npos);
    EXPECT_NE(err.find("record 2"), std::string::npos);
    ASSERT_EQ(pipeTypeCount, 2);
    EXPECT_FALSE(pipeTypes[0].drawable);
    EXPECT_FALSE(pipeTypes[1].drawable);
    engineCalls.clear();
    EXPECT_EQ(GetPieceMesh(&pipeTypes[0]).faceCount, 0);
    EXPECT_TRUE(engineCalls.empty());
}

TEST_F(PipeTypesTest, AFactoryThatReturnsNullLeavesTheTypeWithoutModel)
{
    fakeFactoryWorks = false;
    std::string err = LoadScript("1 straight.3ds 0 10 0 0 1 0\n", 0);
    EXPECT_NE(err.find("could not create"), std::string::npos);
    ASSERT_EQ(pipeTypeCount, 1);
    EXPECT_EQ(pipeTypes[0].object, nullptr);
    EXPECT_FALSE(pipeTypes[0].drawable);
}

TEST_F(PipeTypesTest, ExitsThatAreNotNumbersBecomeAStraightPieceOfNoLength)
{
    std::string err = LoadScript("1 straight.3ds nan 10 0 0 inf 0\n", 0);
    EXPECT_NE(err.find("not a number"), std::string::npos);
    ASSERT_EQ(pipeTypeCount, 1);
    EXPECT_FALSE(pipeTypes[0].drawable);
    EXPECT_FLOAT_EQ(pipeTypes[0].exitOffset.x, 0.0f);
    EXPECT_FLOAT_EQ(pipeTypes[0].exitDirection.y, 1.0f);
}

TEST_F(PipeTypesTest, ExitsBeyondTheSceneBoundsBecomeAStraightPieceOfNoLength)
{
    const char* const bad[] = {"3e38 0 0 0 1 0", "0 -3e38 0 0 1 0", "0 1000001 0 0 1 0", "0 10 0 0 1e7 0",
                               "0 10 0 0 1 -inf"};
    for (const char* exits : bad) {
        std::string err = LoadScript(std::string("2 straight.3ds ") + exits + " elbow.3ds 5 5 0 1 0 0\n", 0);
        EXPECT_NE(err.find("record 1: the exit offset or direction is not a number or lies "
                           "beyond +-1e+06; type 1 is not drawn"),
                  std::string::npos)
            << exits << err;
        ASSERT_EQ(pipeTypeCount, 2) << exits;
        EXPECT_FALSE(pipeTypes[0].drawable);
        EXPECT_FLOAT_EQ(pipeTypes[0].exitOffset.y, 0.0f);
        EXPECT_FLOAT_EQ(pipeTypes[0].exitDirection.y, 1.0f);
        EXPECT_TRUE(pipeTypes[1].drawable) << exits;
        ReleasePipeTypes();  // each pass makes engine objects of its own
    }
    EXPECT_EQ(LoadScript("1 straight.3ds 1e6 -1e6 0 0 1 0\n", 1), "");
    EXPECT_TRUE(pipeTypes[0].drawable);
}

// A model name is one file inside plumora_data/obj3d/: names that reach
// other folders are refused before anything is opened, and the type keeps
// its number so that the types after it keep theirs.
TEST_F(PipeTypesTest, NamesThatLeaveTheModelFolderAreRefusedUnopened)
{
    const char* const names[] = {"../x.3ds", "a/b.3ds",     "..",        ".",
                                 "../../..", "/etc/passwd", "..\\x.3ds", "a\\b.3ds"};
    for (const char* name : names) {
        fakeModels[std::string("plumora_data/obj3d/") + name] = TriangleModel(1);
        engineCalls.clear();
        std::string err = LoadScript(std::string("2 ") + name + " 0 1 0 0 1 0 elbow.3ds 5 5 0 1 0 0\n", 0);
        EXPECT_NE(err.find(std::string("record 1: model file name \"") + name +
                           "\" is not a plain file name in plumora_data/obj3d/"),
                  std::string::npos)
            << name << err;
        EXPECT_NE(err.find("it is not opened and type 1 is not drawn"), std::string::npos) << err;
        ASSERT_EQ(pipeTypeCount, 2) << name;
        EXPECT_EQ(pipeTypes[0].number, 1);
        EXPECT_EQ(pipeTypes[0].object, nullptr);
        EXPECT_FALSE(pipeTypes[0].drawable);
        EXPECT_TRUE(pipeTypes[1].drawable) << name;
        ASSERT_FALSE(engineCalls.empty());
        EXPECT_EQ(engineCalls[1], std::string("Load ") + ELBOW + " 1 loader") << name;
        ReleasePipeTypes();  // each pass makes engine objects of its own
    }
}

TEST_F(PipeTypesTest, NamesWithDotsThatStayInTheFolderLoad)
{
    for (const char* name : {"a..3ds", "..a.3ds", ".hidden.3ds"}) {
        fakeModels[std::string("plumora_data/obj3d/") + name] = TriangleModel(1);
        EXPECT_EQ(LoadScript(std::string("1 ") + name + " 0 1 0 0 1 0\n", 1), "") << name;
        EXPECT_TRUE(pipeTypes[0].drawable) << name;
        ReleasePipeTypes();  // each pass makes engine objects of its own
    }
}

// Counts are reported as written, never as their unsigned 32-bit reading.
TEST_F(PipeTypesTest, NegativeAndOverlongCountsAreReportedAsWritten)
{
    const char* const counts[] = {"-1", "-4294967295", "4294967295", "-65536"};
    for (const char* count : counts) {
        std::string err = LoadScript(std::string(count) + " straight.3ds 0 10 0 0 1 0\n", 0);
        EXPECT_NE(err.find(std::string(": ") + count +
                           " pipe types is outside 0 to 65535; no "
                           "pipe types"),
                  std::string::npos)
            << count << err;
        EXPECT_EQ(pipeTypeCount, 0) << count;
    }
    EXPECT_TRUE(engineCalls.empty());
}

// The engine never frees the pictures its loader hands out: each is freed
// as soon as the Load that asked for it returns.
TEST_F(PipeTypesTest, PicturesHandedToTheEngineAreFreedAfterEachLoad)
{
    fakeModels[ELBOW] = TriangleModel(2, 9);
    EXPECT_EQ(LoadScript("3\nstraight.3ds 0 10 0 0 1 0\nelbow.3ds 5 5 0 1 0 0\n"
                         "straight.3ds 0 10 0 0 1 0\n",
                         1),
              "");
    EXPECT_EQ(fakeTexturesAsked, 3);
    EXPECT_EQ(livePixelBuffers, 0);
}

}  // namespace
