// The camera's flight: tracks of timed keys (eye and target), evaluated as
// the scene evaluates them (cubic Hermite curves with Catmull-Rom tangents
// and natural ends; before the first key and after the last the end keys
// hold), cutting to the next track once a track's last key time is passed.
//
// The pipes flight runs from 0 to kFaceFlightStart in the network's units;
// the face flight runs on to kTurntableStart in the face model's units (the
// scene scales the world by 0.01 before the camera there).
#ifndef PLM_GEN_PIPES_CAMERA_PATH_H
#define PLM_GEN_PIPES_CAMERA_PATH_H

#include <cstdint>
#include <vector>

#include "tools/common/vec3.h"

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

// The spline through a track's eyes (eye true) or targets at time t.
Vec3 EvaluateTrack(const CameraTrack& track, bool eye, uint32_t t);

// Steps through the tracks as the scene's camera does, one update per call
// with non-decreasing times.
class CameraReplay {
public:
    explicit CameraReplay(const std::vector<CameraTrack>& tracks) : tracks_(tracks) {}
    // False once the path is over (then eye and target stay as they were).
    bool Update(uint32_t t);
    size_t CurrentTrack() const { return current_; }
    Vec3 Eye() const { return eye_; }
    Vec3 Target() const { return target_; }

private:
    const std::vector<CameraTrack>& tracks_;
    size_t current_ = 0;
    Vec3 eye_, target_;
};

// Eye positions of an update every stepMs from 0, those from `from` to `to`
// (inclusive) while the path lasts.
std::vector<Vec3> SampleEyes(const std::vector<CameraTrack>& tracks, uint32_t from, uint32_t to,
                             uint32_t stepMs);

}  // namespace pipesgen

#endif
