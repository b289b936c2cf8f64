#include "camera_path.h"

namespace pipesgen {

namespace {

CVECTOR ToCVector(Vec3 v)
{
    return CVECTOR{float(v.x), float(v.y), float(v.z)};
}

}  // namespace

bool LoadTracks(CCAMERA& camera, const std::vector<CameraTrack>& tracks)
{
    if (!camera.AllocatePath(uint32_t(tracks.size()))) return false;
    for (size_t i = 0; i < tracks.size(); ++i) {
        CCAMTRACK& track = camera.trackList[i];
        if (!track.Allocate(uint32_t(tracks[i].size()))) {
            camera.FreePath();
            return false;
        }
        for (size_t k = 0; k < tracks[i].size(); ++k) {
            const CameraKey& key = tracks[i][k];
            track.SetKey(uint32_t(k), ToCVector(key.eye), ToCVector(key.target), key.time);
        }
    }
    return true;
}

std::vector<Vec3> SampleEyes(const std::vector<CameraTrack>& tracks, uint32_t from, uint32_t to,
                             uint32_t stepMs)
{
    CCAMERA camera;
    std::vector<Vec3> out;
    if (!LoadTracks(camera, tracks)) return out;
    for (uint32_t t = 0; t <= to; t += stepMs) {
        camera.Update(t);
        if (!camera.PathOver() && t >= from) out.push_back(Vec3{camera.eye.x, camera.eye.y, camera.eye.z});
    }
    return out;
}

std::vector<CameraTrack> AllTracks()
{
    std::vector<CameraTrack> all = PipesFlightTracks();
    for (CameraTrack& t : FaceFlightTracks()) all.push_back(std::move(t));
    return all;
}

}  // namespace pipesgen
