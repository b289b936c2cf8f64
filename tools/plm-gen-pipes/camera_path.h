// The camera's flight: tracks of timed keys (eye and target), flown by the
// scene's own camera (scene/camera.h: Hermite splines with Catmull-Rom
// tangents and natural ends, cutting to the next track once a track's last
// key time is passed).
//
// The pipes flight runs from 0 to SCENE_FACE_START in the network's units;
// the face flight runs on to SCENE_TURNTABLE_START in the face model's units
// (the scene scales the world by 0.01 before the camera there).
#ifndef PLM_GEN_PIPES_CAMERA_PATH_H
#define PLM_GEN_PIPES_CAMERA_PATH_H

#include <cstdint>
#include <vector>

#include "tools/common/vec3.h"
#include "scene/camera.h"

namespace pipesgen {

using tools::Vec3;

struct CameraKey {
    uint32_t time = 0;  // ms of demo time
    Vec3 eye, target;
};
using CameraTrack = std::vector<CameraKey>;

std::vector<CameraTrack> PipesFlightTracks();
std::vector<CameraTrack> FaceFlightTracks();
// Both, pipes flight first: the whole path file.
std::vector<CameraTrack> AllTracks();

// Gives camera the tracks (each with at least one key) as its path, as the
// scene reads them from the path file (points as 32-bit floats), starting
// at the first track. False, with no path, if memory runs out.
bool LoadTracks(CCAMERA& camera, const std::vector<CameraTrack>& tracks);

// Eye positions of the scene's camera updated every stepMs from 0, those
// from `from` to `to` (inclusive) while the path lasts.
std::vector<Vec3> SampleEyes(const std::vector<CameraTrack>& tracks, uint32_t from, uint32_t to,
                             uint32_t stepMs);

}  // namespace pipesgen

#endif
