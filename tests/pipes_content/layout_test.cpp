// The network as the scene will lay it out, replayed from the generated map
// by the scene's own placement rule: no clashes, every
// piece placed end to end, growth through the whole pipes flight, a camera
// that stays outside the tubes and has pipes in view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "camera_path.h"
#include "growth.h"
#include "network/world_piece.h"
#include "path_replay.h"
#include "scene/camera.h"
#include "scene/timeline.h"
#include "stage.h"

using namespace pipesgen;

namespace {

const std::vector<PieceType>& Catalog()
{
    static const std::vector<PieceType> catalog = BuildPieceCatalog();
    return catalog;
}

// Every piece of the network, placed as the scene places it.
std::vector<WorldPiece> PlaceNetwork(const Network& network)
{
    const std::vector<TypeExit> exits = ExitsOf(Catalog());
    std::vector<WorldPiece> out;
    for (size_t p = 0; p < network.pipes.size(); ++p) {
        const std::vector<PlacedSegment> placed = PlacePipe(network.pipes[p], exits);
        for (size_t s = 0; s < placed.size(); ++s)
            out.push_back(PlaceWorldPiece(network.pipes[p], placed[s],
                                          Catalog().at(network.pipes[p].segments[s].type), int(p), int(s)));
    }
    return out;
}

// "pipe P piece S and pipe Q piece T overlap by D" for every two pieces whose
// envelopes overlap.
std::vector<std::string> FindClashes(const std::vector<WorldPiece>& pieces)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < pieces.size(); ++i)
        for (size_t j = i + 1; j < pieces.size(); ++j) {
            const WorldPiece &a = pieces[i], &b = pieces[j];
            if (Comparable(a, b) && EnvelopeGap(a, b) < 0)
                out.push_back("pipe " + std::to_string(a.pipe) + " piece " + std::to_string(a.segment) +
                              " and pipe " + std::to_string(b.pipe) + " piece " + std::to_string(b.segment) +
                              " overlap by " + std::to_string(-EnvelopeGap(a, b)));
        }
    return out;
}

// Smallest distance from p to the surface of any envelope (negative inside).
double Clearance(Vec3 p, const std::vector<WorldPiece>& pieces)
{
    double best = std::numeric_limits<double>::infinity();
    for (const WorldPiece& w : pieces)
        for (const Capsule& c : w.capsules)
            best = std::min(best, PointSegmentDistance(p, c.a, c.b) - c.radius);
    return best;
}

// Time at which each piece of a pipe has fully grown.
std::vector<double> GrownAt(const PipeRecord& pipe)
{
    std::vector<double> out;
    double t = 0;
    for (const SegmentRecord& s : pipe.segments)
        out.push_back(t += GrowthMs(Catalog()[s.type].mesh.Faces().size()));
    return out;
}

Vec3 Forward(const CCAMERA& cam)
{
    double yaw = cam.yaw * M_PI / 180, pitch = cam.pitch * M_PI / 180;
    return {std::sin(yaw) * std::cos(pitch), -std::sin(pitch), -std::cos(yaw) * std::cos(pitch)};
}

}  // namespace

TEST(ClashCheck, FindsCrossingPipesAndPassesParallelOnes)
{
    Network n;
    PipeRecord up, across, beside;
    up.segments = {{0, 0}};
    across = up;
    across.position[0] = -5;
    across.position[1] = 5;
    across.rotation[2] = -90;  // heading +X through the first pipe
    beside = up;
    beside.position[0] = 10;
    n.pipes = {up, across};
    EXPECT_EQ(FindClashes(PlaceNetwork(n)).size(), 1u);
    n.pipes = {up, beside};
    EXPECT_TRUE(FindClashes(PlaceNetwork(n)).empty());
}

TEST(Layout, NoTwoPiecesComeCloserThanTheirEnvelopesAllow)
{
    ASSERT_FALSE(StagedData().empty());
    EXPECT_EQ(FindClashes(PlaceNetwork(StagedNetwork())), std::vector<std::string>());
}

TEST(Layout, EveryPieceStartsWhereThePreviousEnds)
{
    ASSERT_FALSE(StagedData().empty());
    Network n = StagedNetwork();
    std::vector<WorldPiece> pieces = PlaceNetwork(n);
    size_t total = 0;
    for (const PipeRecord& p : n.pipes) total += p.segments.size();
    ASSERT_EQ(pieces.size(), total);
    for (size_t i = 1; i < pieces.size(); ++i)
        if (pieces[i].pipe == pieces[i - 1].pipe) {
            EXPECT_LT(Length(pieces[i].inlet - pieces[i - 1].exit), 1e-3);
        }
}

// Every pipe still grows at the end of the pipes flight, also when the
// growth is held back to whole frames at 30 frames per second.
TEST(Layout, EveryPipeGrowsThroughTheWholePipesFlight)
{
    ASSERT_FALSE(StagedData().empty());
    for (const PipeRecord& pipe : StagedNetwork().pipes) {
        double ms = 0, msAt30 = 0;
        for (const SegmentRecord& s : pipe.segments) {
            ms += GrowthMs(Catalog()[s.type].mesh.Faces().size());
            msAt30 += GrowthMsAtFrameRate(Catalog()[s.type].mesh.Faces().size(), 1000.0 / 30);
        }
        EXPECT_GT(ms, SCENE_FACE_START);
        EXPECT_GE(msAt30, ms);
    }
}

TEST(Layout, CameraEyeStaysOutsideEveryTubeInThePipesFlight)
{
    ASSERT_FALSE(StagedData().empty());
    std::vector<WorldPiece> pieces = PlaceNetwork(StagedNetwork());
    CCAMERA cam;
    ASSERT_EQ(cam.ReadPath((StagedData() + "/script/cam_pos.plm").c_str()), 1);
    for (uint32_t t = 0; t <= uint32_t(SCENE_FACE_START); t += 5) {
        cam.Update(t);
        Vec3 eye{cam.eye.x, cam.eye.y, cam.eye.z};
        ASSERT_GT(Clearance(eye, pieces), 1.0) << "at " << t << " ms";
    }
}

// At the moments the frames are taken, some grown pieces and the
// growing ones lie near the middle of the view and close enough to see.
TEST(Layout, GrownPiecesAreInViewThroughoutThePipesFlight)
{
    ASSERT_FALSE(StagedData().empty());
    Network n = StagedNetwork();
    std::vector<WorldPiece> pieces = PlaceNetwork(n);
    for (uint32_t at : {500u, 3000u, 6000u, 9000u, 10600u}) {
        CCAMERA cam;
        ASSERT_EQ(cam.ReadPath((StagedData() + "/script/cam_pos.plm").c_str()), 1);
        for (uint32_t t = 0; t <= at; t += 20) cam.Update(t);
        Vec3 eye{cam.eye.x, cam.eye.y, cam.eye.z}, ahead = Forward(cam);
        int inView = 0;
        size_t k = 0;
        for (const PipeRecord& pipe : n.pipes)
            for (double grown : GrownAt(pipe)) {
                const WorldPiece& w = pieces[k++];
                Vec3 to = (w.inlet + w.exit) * 0.5 - eye;
                bool grownOrGrowing = grown - GrowthMs(2400) <= at;
                if (grownOrGrowing && Length(to) < 200 && Dot(Unit(to), ahead) > std::cos(18 * M_PI / 180))
                    ++inView;
            }
        EXPECT_GE(inView, 3) << "at " << at << " ms";
    }
}

// The face flight circles the face (centre about (0, 400, 0), 750 high)
// far enough out to frame it and beyond the near plane, looking at it.
TEST(FaceFlight, CameraFramesTheFace)
{
    CCAMERA cam;
    ASSERT_TRUE(LoadTracks(cam, AllTracks()));
    const Vec3 centre{0, 400, 0};
    for (uint32_t t = 0; t <= uint32_t(SCENE_TURNTABLE_START); t += 10) {
        cam.Update(t);
        if (t <= uint32_t(SCENE_FACE_START)) continue;
        Vec3 eye{cam.eye.x, cam.eye.y, cam.eye.z};
        double distance = Length(eye - centre);
        EXPECT_GT(distance, 800) << t;
        EXPECT_LT(distance, 1600) << t;
        EXPECT_GT(Dot(Forward(cam), Unit(centre - eye)), std::cos(0.2)) << t;
    }
}
