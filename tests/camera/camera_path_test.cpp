#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "path_file.h"
#include "scene/camera.h"

namespace {

std::string ReadPathOutput(CCAMERA& camera, const std::string& text, int& result)
{
    std::string path = WriteTestFile("read.plm", text);
    ::testing::internal::CaptureStderr();
    result = camera.ReadPath(path.c_str());
    return ::testing::internal::GetCapturedStderr();
}

// Each test's camera; Read gives it the path file text and keeps ReadPath's
// result.
class CameraReadPath : public ::testing::Test {
protected:
    std::string Read(const std::string& text) { return ReadPathOutput(camera, text, result); }
    CCAMERA camera;
    int result = -1;
};

TEST_F(CameraReadPath, WellFormedFileGivesTracksAndKeys)
{
    std::string text = Header(2) + Track(1) + Key(10, 1, 2, 3, 4, 5, 6) + Track(3) +
                       Key(20, 0, 0, 0, 0, 0, -1) + Key(30, 1, 0, 0, 0, 0, -1) +
                       Key(40, 2.5f, -1e3f, 0, 0, 0, -1);
    EXPECT_EQ(Read(text), "");
    EXPECT_EQ(result, 1);
    ASSERT_EQ(camera.trackCount, 2u);
    EXPECT_EQ(camera.currentTrack, 0);
    const CCAMTRACK& second = camera.trackList[1];
    ASSERT_EQ(second.eyePath.keyCount, 3u);
    EXPECT_EQ(second.targetPath.keyCount, 3u);
    EXPECT_EQ(second.eyePath.keyTimes[2], 40u);
    EXPECT_EQ(second.targetPath.keyTimes[2], 40u);
    EXPECT_EQ(second.eyePath.keyPoints[2].x, 2.5f);
    EXPECT_EQ(second.eyePath.keyPoints[2].y, -1000.0f);
    EXPECT_EQ(camera.trackList[0].targetPath.keyPoints[0].z, 6.0f);
}

TEST_F(CameraReadPath, LineBreaksCarryNoMeaning)
{
    Read("a 1 b 2 k 0 e 1 2 3 t 4 5 6\nk\n1000\ne 7 8 9 t 1 1 1");
    EXPECT_EQ(result, 1);
    ASSERT_EQ(camera.trackCount, 1u);
    EXPECT_EQ(camera.trackList[0].eyePath.keyPoints[1].x, 7.0f);
}

TEST_F(CameraReadPath, MissingFileLeavesTheCameraStill)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(camera.ReadPath("/nonexistent/cam_pos.plm"), 0);
    std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find("/nonexistent/cam_pos.plm"), std::string::npos);
    EXPECT_EQ(camera.trackCount, 0u);
    camera.Update(100);
    EXPECT_EQ(camera.eye.x, 0.0f);
}

TEST_F(CameraReadPath, TrackWithoutKeysIsLeftOut)
{
    std::string text =
        Header(3) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0) + Track(0) + Track(1) + Key(500, 3, 0, 0, 0, 0, 0);
    std::string out = Read(text);
    EXPECT_EQ(result, 0);
    EXPECT_NE(out.find("track 2 has no keys; ignored"), std::string::npos) << out;
    ASSERT_EQ(camera.trackCount, 2u);
    EXPECT_EQ(camera.trackList[1].eyePath.keyPoints[0].x, 3.0f);
    camera.Update(100);  // past the first track: the next one with keys
    EXPECT_EQ(camera.currentTrack, 1);
    EXPECT_EQ(camera.eye.x, 3.0f);
}

TEST_F(CameraReadPath, OnlyEmptyTracksGiveNoPath)
{
    Read(Header(2) + Track(0) + Track(0));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 0u);
    camera.Update(0);
    camera.Update(50);
    EXPECT_EQ(camera.eye.x, 0.0f);
}

TEST_F(CameraReadPath, MalformedKeyCutsThePathThere)
{
    std::string text = Header(3) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0) + Track(3) +
                       Key(100, 2, 0, 0, 0, 0, 0) + "key 200 eye 1 x 3 target 0 0 0\n" +
                       Key(300, 4, 0, 0, 0, 0, 0) + Track(1) + Key(400, 5, 0, 0, 0, 0, 0);
    std::string out = Read(text);
    EXPECT_EQ(result, 0);
    EXPECT_NE(out.find("track 2, key 2"), std::string::npos) << out;
    ASSERT_EQ(camera.trackCount, 2u);
    EXPECT_EQ(camera.trackList[1].eyePath.keyCount, 1u);
    EXPECT_EQ(camera.trackList[1].targetPath.keyCount, 1u);
}

TEST_F(CameraReadPath, TruncatedFirstKeyDropsTheTrack)
{
    std::string text = Header(2) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0) + Track(2) + "key 5 eye 1";
    Read(text);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 1u);
}

TEST_F(CameraReadPath, NonFiniteCoordinatesAreMalformed)
{
    Read(Header(1) + Track(2) + Key(0, 1, 0, 0, 0, 0, 0) + "key 9 eye nan 0 0 target 0 0 0\n");
    EXPECT_EQ(result, 0);
    ASSERT_EQ(camera.trackCount, 1u);
    EXPECT_EQ(camera.trackList[0].eyePath.keyCount, 1u);
}

TEST_F(CameraReadPath, ImpossibleCountsAllocateNothing)
{
    std::string out = Read("tracks 4294967295\ntrack 1\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 0u);
    EXPECT_NE(out.find("track count"), std::string::npos) << out;

    out = Read(Header(1) + "track 4000000000\n" + Key(0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 0u);
    EXPECT_NE(out.find("key count"), std::string::npos) << out;

    Read("tracks -1\n");
    EXPECT_EQ(result, 0);
    Read("");
    EXPECT_EQ(result, 0);
}

// A point far out of the scene would fill the view with infinities (black
// frames): it ends the path like a malformed key, the keys before it stay.
TEST_F(CameraReadPath, PointsBeyondTheSceneBoundsEndThePathThere)
{
    const char* const values[] = {"3e38", "-3e38", "1000001", "inf", "nan", "-1e39"};
    for (const char* value : values) {
        for (int field = 0; field < 6; ++field) {
            std::string v[6] = {"0", "0", "0", "0", "0", "-1"};
            v[field] = value;
            std::string bad = "key 500 eye " + v[0] + " " + v[1] + " " + v[2] + " target " + v[3] + " " +
                              v[4] + " " + v[5] + "\n";
            CCAMERA camera;
            int result = 1;
            std::string out =
                ReadPathOutput(camera,
                               Header(2) + Track(3) + Key(0, 1, 0, 0, 0, 0, 0) + bad +
                                   Key(900, 2, 0, 0, 0, 0, 0) + Track(1) + Key(1000, 0, 0, 0, 0, 0, 0),
                               result);
            std::string what = field < 3 ? "the eye (" : "the target (";
            EXPECT_NE(out.find("track 1, key 2: " + what), std::string::npos) << value << out;
            EXPECT_NE(out.find("is not a number or lies beyond +-1e+06; the path ends there"),
                      std::string::npos)
                << out;
            EXPECT_EQ(result, 0);
            ASSERT_EQ(camera.trackCount, 1u) << value << " in field " << field;
            EXPECT_EQ(camera.trackList[0].eyePath.keyCount, 1u);
            camera.Update(0);
            EXPECT_EQ(camera.eye.x, 1.0f);
            EXPECT_TRUE(std::isfinite(camera.yaw) && std::isfinite(camera.pitch));
        }
    }
}

TEST_F(CameraReadPath, PointsOnTheSceneBoundsAreKept)
{
    Read(Header(1) + Track(2) + Key(0, 1e6f, -1e6f, 0, 0, 0, 1e6f) + Key(1000, -1e6f, 1e6f, 1e6f, 0, 0, 0));
    EXPECT_EQ(result, 1);
    ASSERT_EQ(camera.trackCount, 1u);
    camera.Update(500);
    EXPECT_TRUE(std::isfinite(camera.eye.x) && std::isfinite(camera.eye.y) && std::isfinite(camera.eye.z));
    EXPECT_TRUE(std::isfinite(camera.yaw) && std::isfinite(camera.pitch));
}

// Counts are reported as the file wrote them, never as their unsigned
// 32-bit reading (4294967295 for -1).
TEST_F(CameraReadPath, NegativeCountsAreReportedWithTheirSign)
{
    std::string out = Read("tracks -1\n" + Track(1) + Key(0, 0, 0, 0, 0, 0, 0));
    EXPECT_NE(out.find(": the track count -1 is negative; the camera stays still"), std::string::npos) << out;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 0u);

    out = Read(Header(2) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0) + "track -4294967295\n" +
               Key(10, 2, 0, 0, 0, 0, 0));
    EXPECT_NE(out.find(": track 2: the key count -4294967295 is negative; the path ends there"),
              std::string::npos)
        << out;
    EXPECT_EQ(camera.trackCount, 1u);

    out = Read("tracks 4294967295\n");
    EXPECT_NE(out.find("the track count 4294967295 is more than the rest of the file can hold"),
              std::string::npos)
        << out;
    out = Read("tracks\n");
    EXPECT_NE(out.find("the track count is missing or malformed"), std::string::npos) << out;
}

TEST_F(CameraReadPath, ReadingAgainReplacesThePath)
{
    Read(Header(1) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0));
    camera.Update(10);
    Read(Header(1) + Track(1) + Key(0, 2, 0, 0, 0, 0, 0));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(camera.currentTrack, 0);
    camera.Update(0);
    EXPECT_EQ(camera.eye.x, 2.0f);
}

}  // namespace
