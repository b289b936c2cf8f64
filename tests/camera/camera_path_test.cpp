#include <gtest/gtest.h>

#include <string>

#include "path_file.h"
#include "scene/camera.h"

namespace {

std::string ReadPathOutput(CCAMERA& camera, const std::string& text, int& result) {
    std::string path = WriteTestFile("read.plm", text);
    ::testing::internal::CaptureStderr();
    result = camera.ReadPath(path.c_str());
    return ::testing::internal::GetCapturedStderr();
}

TEST(CameraReadPath, WellFormedFileGivesTracksAndKeys) {
    CCAMERA camera;
    int result = 0;
    std::string text = Header(2) + Track(1) + Key(10, 1, 2, 3, 4, 5, 6) + Track(3) +
                       Key(20, 0, 0, 0, 0, 0, -1) + Key(30, 1, 0, 0, 0, 0, -1) +
                       Key(40, 2.5f, -1e3f, 0, 0, 0, -1);
    EXPECT_EQ(ReadPathOutput(camera, text, result), "");
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

TEST(CameraReadPath, LineBreaksCarryNoMeaning) {
    CCAMERA camera;
    int result = 0;
    ReadPathOutput(camera, "a 1 b 2 k 0 e 1 2 3 t 4 5 6\nk\n1000\ne 7 8 9 t 1 1 1", result);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(camera.trackCount, 1u);
    EXPECT_EQ(camera.trackList[0].eyePath.keyPoints[1].x, 7.0f);
}

TEST(CameraReadPath, MissingFileLeavesTheCameraStill) {
    CCAMERA camera;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(camera.ReadPath("/nonexistent/cam_pos.plm"), 0);
    std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find("/nonexistent/cam_pos.plm"), std::string::npos);
    EXPECT_EQ(camera.trackCount, 0u);
    camera.Update(100);
    EXPECT_EQ(camera.eye.x, 0.0f);
}

TEST(CameraReadPath, TrackWithoutKeysIsLeftOut) {
    CCAMERA camera;
    int result = 1;
    std::string text = Header(3) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0) + Track(0) + Track(1) +
                       Key(500, 3, 0, 0, 0, 0, 0);
    std::string out = ReadPathOutput(camera, text, result);
    EXPECT_EQ(result, 0);
    EXPECT_NE(out.find("track 2 has no keys; ignored"), std::string::npos) << out;
    ASSERT_EQ(camera.trackCount, 2u);
    EXPECT_EQ(camera.trackList[1].eyePath.keyPoints[0].x, 3.0f);
    camera.Update(100);  // past the first track: the next one with keys
    EXPECT_EQ(camera.currentTrack, 1);
    EXPECT_EQ(camera.eye.x, 3.0f);
}

TEST(CameraReadPath, OnlyEmptyTracksGiveNoPath) {
    CCAMERA camera;
    int result = 1;
    ReadPathOutput(camera, Header(2) + Track(0) + Track(0), result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 0u);
    camera.Update(0);
    camera.Update(50);
    EXPECT_EQ(camera.eye.x, 0.0f);
}

TEST(CameraReadPath, MalformedKeyCutsThePathThere) {
    CCAMERA camera;
    int result = 1;
    std::string text = Header(3) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0) + Track(3) +
                       Key(100, 2, 0, 0, 0, 0, 0) + "key 200 eye 1 x 3 target 0 0 0\n" +
                       Key(300, 4, 0, 0, 0, 0, 0) + Track(1) + Key(400, 5, 0, 0, 0, 0, 0);
    std::string out = ReadPathOutput(camera, text, result);
    EXPECT_EQ(result, 0);
    EXPECT_NE(out.find("track 2, key 2"), std::string::npos) << out;
    ASSERT_EQ(camera.trackCount, 2u);
    EXPECT_EQ(camera.trackList[1].eyePath.keyCount, 1u);
    EXPECT_EQ(camera.trackList[1].targetPath.keyCount, 1u);
}

TEST(CameraReadPath, TruncatedFirstKeyDropsTheTrack) {
    CCAMERA camera;
    int result = 1;
    std::string text = Header(2) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0) + Track(2) + "key 5 eye 1";
    ReadPathOutput(camera, text, result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 1u);
}

TEST(CameraReadPath, NonFiniteCoordinatesAreMalformed) {
    CCAMERA camera;
    int result = 1;
    ReadPathOutput(camera, Header(1) + Track(2) + Key(0, 1, 0, 0, 0, 0, 0) +
                               "key 9 eye nan 0 0 target 0 0 0\n", result);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(camera.trackCount, 1u);
    EXPECT_EQ(camera.trackList[0].eyePath.keyCount, 1u);
}

TEST(CameraReadPath, ImpossibleCountsAllocateNothing) {
    CCAMERA camera;
    int result = 1;
    std::string out = ReadPathOutput(camera, "tracks 4294967295\ntrack 1\n", result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 0u);
    EXPECT_NE(out.find("track count"), std::string::npos) << out;

    out = ReadPathOutput(camera, Header(1) + "track 4000000000\n" + Key(0, 0, 0, 0, 0, 0, 0),
                         result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(camera.trackCount, 0u);
    EXPECT_NE(out.find("key count"), std::string::npos) << out;

    ReadPathOutput(camera, "tracks -1\n", result);
    EXPECT_EQ(result, 0);
    ReadPathOutput(camera, "", result);
    EXPECT_EQ(result, 0);
}

TEST(CameraReadPath, ReadingAgainReplacesThePath) {
    CCAMERA camera;
    int result = 0;
    ReadPathOutput(camera, Header(1) + Track(1) + Key(0, 1, 0, 0, 0, 0, 0), result);
    camera.Update(10);
    ReadPathOutput(camera, Header(1) + Track(1) + Key(0, 2, 0, 0, 0, 0, 0), result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(camera.currentTrack, 0);
    camera.Update(0);
    EXPECT_EQ(camera.eye.x, 2.0f);
}

}  // namespace
