#include "scene/camera.h"

#include <gtest/gtest.h>

#include "path_file.h"

namespace {

// Two tracks: the eye flies from x 0 to 100 over 0..1000 ms looking down -Z,
// then, after a gap, from x 500 to 600 over 1500..2500 ms looking down +Z.
std::string TwoTracks()
{
    return Header(2) + Track(2) + Key(0, 0, 0, 0, 0, 0, -10) + Key(1000, 100, 0, 0, 100, 0, -10) + Track(2) +
           Key(1500, 500, 0, 0, 500, 0, 10) + Key(2500, 600, 0, 0, 600, 0, 10);
}

class CameraPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(camera.ReadPath(WriteTestFile("two_tracks.plm", TwoTracks()).c_str()), 1);
    }
    CCAMERA camera;
};

TEST_F(CameraPath, FollowsTheFirstTrack)
{
    camera.Update(500);
    EXPECT_EQ(camera.currentTrack, 0);
    EXPECT_NEAR(camera.eye.x, 50.0f, 1e-4f);
    EXPECT_NEAR(camera.yaw, 0.0f, 1e-4f);
    camera.Update(1000);
    EXPECT_EQ(camera.eye.x, 100.0f);
    EXPECT_EQ(camera.currentTrack, 0);
}

TEST_F(CameraPath, CutsToTheNextTrackInTheSameFrame)
{
    camera.Update(1000);
    camera.Update(1001);
    EXPECT_EQ(camera.currentTrack, 1);
    // Before the new track's first key: held at its first keys.
    EXPECT_EQ(camera.eye.x, 500.0f);
    EXPECT_NEAR(camera.yaw, 180.0f, 1e-4f);
    camera.Update(2000);
    EXPECT_NEAR(camera.eye.x, 550.0f, 1e-4f);
}

TEST_F(CameraPath, MovesAtMostOneTrackPerUpdate)
{
    camera.Update(3000);  // past both tracks: only the first is left behind
    EXPECT_EQ(camera.currentTrack, 1);
    EXPECT_EQ(camera.eye.x, 600.0f);
}

TEST_F(CameraPath, KeepsTheLastFrameAfterThePathEnds)
{
    camera.Update(2400);
    CVECTOR last = camera.eye;
    float yaw = camera.yaw;
    camera.Update(2600);
    EXPECT_EQ(camera.currentTrack, 2);
    EXPECT_TRUE(camera.PathOver());
    camera.Update(9000);
    EXPECT_EQ(camera.eye.x, last.x);
    EXPECT_EQ(camera.yaw, yaw);
    EXPECT_LT(camera.eye.x, 600.0f);
}

// A path given key by key (as plm-gen-pipes gives its tracks) flies exactly
// like the same path read from its file.
TEST_F(CameraPath, AnAllocatedPathFliesLikeTheReadOne)
{
    CCAMERA built;
    ASSERT_EQ(built.AllocatePath(camera.trackCount), 1);
    for (uint32_t i = 0; i < camera.trackCount; ++i) {
        const CCAMTRACK& read = camera.trackList[i];
        ASSERT_EQ(built.trackList[i].Allocate(read.eyePath.keyCount), 1);
        for (uint32_t k = 0; k < read.eyePath.keyCount; ++k)
            built.trackList[i].SetKey(k, read.eyePath.keyPoints[k], read.targetPath.keyPoints[k],
                                      read.eyePath.keyTimes[k]);
    }
    for (uint32_t t : {0u, 500u, 1001u, 2000u, 2600u}) {
        camera.Update(t);
        built.Update(t);
        EXPECT_EQ(built.currentTrack, camera.currentTrack) << t;
        EXPECT_EQ(built.eye.x, camera.eye.x) << t;
        EXPECT_EQ(built.yaw, camera.yaw) << t;
    }
}

TEST_F(CameraPath, ShakeOffsetsAccumulateOnceThePathIsOver)
{
    camera.Update(3000);
    camera.Update(3000);
    CVECTOR start = camera.eye;
    camera.StartShake(20.0f);
    for (int frame = 0; frame < 200; ++frame) {
        camera.Update(3000 + frame);
        camera.ApplyShake(1.0f / 3.0f);
    }
    EXPECT_NEAR(camera.eye.x - start.x, -5.0f, 1e-3f);
    EXPECT_NEAR(camera.eye.y - start.y, -5.0f, 1e-3f);
    EXPECT_NEAR(camera.eye.z - start.z, -5.0f, 1e-3f);
}

TEST(CameraShake, DampsAndAltersSignEveryFrame)
{
    CCAMERA camera;
    camera.StartShake(20.0f);
    const float expected[] = {-6.6666667f, 2.2222222f, -0.7407407f, 0.2469136f};
    for (float offset : expected) {
        CVECTOR before = camera.eye;
        camera.ApplyShake(1.0f / 3.0f);
        EXPECT_NEAR(camera.shakeAmplitude, offset, 1e-5f);
        EXPECT_EQ(camera.eye.x, before.x + camera.shakeAmplitude);
        EXPECT_EQ(camera.eye.y, before.y + camera.shakeAmplitude);
        EXPECT_EQ(camera.eye.z, before.z + camera.shakeAmplitude);
    }
}

struct Aim {
    CVECTOR target;
    float yaw;
    float pitch;
};

TEST(CameraAim, AxisDirections)
{
    const Aim cases[] = {
        {{0, 0, -5}, 0.0f, 0.0f},   {{5, 0, 0}, 90.0f, 0.0f},   {{-5, 0, 0}, -90.0f, 0.0f},
        {{0, 0, 5}, 180.0f, 0.0f},  {{0, -5, 0}, 90.0f, 90.0f}, {{0, 5, 0}, 90.0f, -90.0f},
        {{0, -5, -5}, 0.0f, 45.0f}, {{5, 0, 5}, 135.0f, 0.0f},
    };
    for (const Aim& aim : cases) {
        CCAMERA camera;
        camera.eye = CVECTOR{1.0f, 2.0f, 3.0f};
        camera.AimAt(camera.eye.Add(aim.target));
        EXPECT_NEAR(camera.yaw, aim.yaw, 1e-4f) << aim.target.x << aim.target.y << aim.target.z;
        EXPECT_NEAR(camera.pitch, aim.pitch, 1e-4f) << aim.target.x << aim.target.y << aim.target.z;
        EXPECT_EQ(camera.roll, 0.0f);
    }
}

TEST(CameraWithoutPath, HoldsStill)
{
    CCAMERA camera;
    camera.Update(100);
    EXPECT_EQ(camera.eye.x, 0.0f);
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.trackCount, 0u);
}

}  // namespace
