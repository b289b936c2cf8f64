// The flight itself: key positions of both flights.
#include "camera_path.h"
#include "scene/timeline.h"

namespace pipesgen {

namespace {

// The scene changes, as key times: the pipes flight ends and the face
// flight begins at kFaceFlight; the face flight ends at kTurntable.
constexpr uint32_t kFaceFlight = uint32_t(SCENE_FACE_START);
constexpr uint32_t kTurntable = uint32_t(SCENE_TURNTABLE_START);

}  // namespace

// Network units (the lattice step is 10, the network fills a box of about
// 100 x 80 x 100 around the origin). Three shots: in among the first pieces
// as they appear, a low pass along one side of the network as it spreads,
// and a high turn around the whole of it as it fills up.
std::vector<CameraTrack> PipesFlightTracks()
{
    return {
        {{0, {-5, -3, 62}, {2, -5, 20}}, {1800, {-15, 2, 52}, {0, 0, 15}}, {3600, {-30, 5, 35}, {0, 0, 0}}},
        {{3600, {-75, -20, 45}, {0, -5, 5}},
         {5400, {-85, -8, -5}, {0, -5, 0}},
         {7200, {-60, 5, -65}, {0, 0, -5}}},
        {{7200, {-95, 30, 70}, {0, 0, 0}},
         {9000, {-20, 50, 120}, {0, 0, 0}},
         {kFaceFlight, {80, 45, 95}, {0, 0, 0}}},
    };
}

// Face units: the face stands on the origin, about 750 high, looking along
// +Z; the flight circles its centre (0, 400, 0) from low on its right to
// the raised front-left view from which the turntable shows it next.
std::vector<CameraTrack> FaceFlightTracks()
{
    return {
        {{kFaceFlight, {-650, 300, 700}, {0, 420, 0}},
         {12000, {-150, 420, 900}, {0, 430, 0}},
         {13400, {400, 700, 900}, {0, 440, 0}},
         {kTurntable, {716, 1046, 716}, {0, 461, 0}}},
    };
}

}  // namespace pipesgen
