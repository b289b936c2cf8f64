// The three scripts read back by the scene's own readers: counts match the
// data that follows, values are the ones planned, nothing trails the last
// record.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "camera_path.h"
#include "pieces/catalog.h"
#include "scene/camera.h"
#include "scene/timeline.h"
#include "stage.h"

using namespace pipesgen;

TEST(TypesScript, ListsEveryPieceModelWithItsExit)
{
    ASSERT_FALSE(StagedData().empty());
    ASSERT_EQ(StagedTypes(), 1);
    std::vector<PieceType> catalog = BuildPieceCatalog();
    ASSERT_EQ(pipeTypeCount, catalog.size());
    std::vector<std::string> loads;
    for (const std::string& call : engineCalls)
        if (call.rfind("Load ", 0) == 0) loads.push_back(call);
    ASSERT_EQ(loads.size(), catalog.size());
    for (size_t i = 0; i < catalog.size(); ++i) {
        EXPECT_EQ(loads[i], "Load plumora_data/obj3d/" + catalog[i].fileName + " 1 loader");
        EXPECT_TRUE(std::ifstream(StagedData() + "/obj3d/" + catalog[i].fileName).good()) << loads[i];
        const Vec3& o = catalog[i].exitOffset;
        const Vec3& d = catalog[i].exitDirection;
        EXPECT_EQ(pipeTypes[i].exitOffset.x, float(o.x));
        EXPECT_EQ(pipeTypes[i].exitOffset.y, float(o.y));
        EXPECT_EQ(pipeTypes[i].exitOffset.z, float(o.z));
        EXPECT_EQ(pipeTypes[i].exitDirection.x, float(d.x));
        EXPECT_EQ(pipeTypes[i].exitDirection.y, float(d.y));
        EXPECT_EQ(pipeTypes[i].exitDirection.z, float(d.z));
    }
    // The count, then seven words per record and nothing after the last.
    std::istringstream words(ReadWholeFile(StagedData() + "/script/pipes_type.plm"));
    EXPECT_EQ(size_t(std::distance(std::istream_iterator<std::string>(words), {})), 1 + 7 * catalog.size());
}

TEST(MapScript, ReadsBackAsThePlannedNetwork)
{
    ASSERT_FALSE(StagedData().empty());
    Network read = StagedNetwork();
    bool complete = false;
    Network planned = PlannedNetwork(BuildPieceCatalog(), &complete);
    ASSERT_EQ(read.pipes.size(), planned.pipes.size());
    for (size_t p = 0; p < read.pipes.size(); ++p) {
        const PipeRecord& a = read.pipes[p];
        const PipeRecord& b = planned.pipes[p];
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(a.position[k], b.position[k]);
            EXPECT_EQ(a.rotation[k], b.rotation[k]);
        }
        ASSERT_EQ(a.segments.size(), b.segments.size());
        for (size_t s = 0; s < a.segments.size(); ++s) {
            EXPECT_EQ(a.segments[s].type, b.segments[s].type);
            EXPECT_EQ(a.segments[s].twist, b.segments[s].twist);  // the float the scene reads
        }
    }
}

TEST(MapScript, KeepsToTheFormatLimits)
{
    ASSERT_FALSE(StagedData().empty());
    Network read = StagedNetwork();
    int types = int(BuildPieceCatalog().size());
    ASSERT_GT(read.pipes.size(), 0u);
    ASSERT_LE(read.pipes.size(), 65535u);
    for (const PipeRecord& pipe : read.pipes) {
        ASSERT_GE(pipe.segments.size(), 1u);
        ASSERT_LE(pipe.segments.size(), 65535u);
        for (const SegmentRecord& s : pipe.segments) {
            ASSERT_GE(s.type, 0);
            ASSERT_LT(s.type, std::min(types, 255));
        }
    }
}

TEST(CameraScript, SceneCameraReadsEveryTrackAndKey)
{
    ASSERT_FALSE(StagedData().empty());
    CCAMERA cam;
    ASSERT_EQ(cam.ReadPath((StagedData() + "/script/cam_pos.plm").c_str()), 1);
    std::vector<CameraTrack> tracks = AllTracks();
    ASSERT_EQ(cam.trackCount, tracks.size());
    for (size_t i = 0; i < tracks.size(); ++i) EXPECT_EQ(cam.trackList[i].eyePath.keyCount, tracks[i].size());
}

// The first flight starts at 0; the pipes tracks hand over to the face
// track exactly at the scene change, and the face track lasts until the
// turntable.
TEST(CameraScript, TracksCoverBothFlightsAndCutAtTheSceneChanges)
{
    std::vector<CameraTrack> pipes = PipesFlightTracks(), face = FaceFlightTracks();
    ASSERT_FALSE(pipes.empty());
    ASSERT_FALSE(face.empty());
    EXPECT_EQ(pipes.front().front().time, 0u);
    EXPECT_EQ(pipes.back().back().time, uint32_t(SCENE_FACE_START));
    EXPECT_EQ(face.front().front().time, uint32_t(SCENE_FACE_START));
    EXPECT_EQ(face.back().back().time, uint32_t(SCENE_TURNTABLE_START));
    for (const auto* set : {&pipes, &face})
        for (size_t i = 0; i < set->size(); ++i) {
            const CameraTrack& t = (*set)[i];
            for (size_t k = 1; k < t.size(); ++k) EXPECT_LT(t[k - 1].time, t[k].time);
            if (i > 0) {
                EXPECT_EQ((*set)[i - 1].back().time, t.front().time);
            }
        }
}
