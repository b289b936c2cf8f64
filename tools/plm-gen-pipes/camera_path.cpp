#include "camera_path.h"

namespace pipesgen {

namespace {

struct F3 {
    float x, y, z;
};
F3 ToF3(Vec3 v)
{
    return {float(v.x), float(v.y), float(v.z)};
}
F3 Sub(F3 a, F3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
F3 Mul(F3 a, float s)
{
    return {a.x * s, a.y * s, a.z * s};
}
F3 Add(F3 a, F3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

F3 Point(const CameraTrack& track, bool eye, size_t i)
{
    return ToF3(eye ? track[i].eye : track[i].target);
}

}  // namespace

// Key times are taken as ascending; tangents as in the scene's spline.
Vec3 EvaluateTrack(const CameraTrack& track, bool eye, uint32_t t)
{
    size_t n = track.size(), cur = 0;
    if (t < track[0].time)
        cur = 0;
    else if (t > track[n - 1].time)
        cur = n - 1;
    else
        while (track[cur].time < t) ++cur;
    if (t < track[0].time || t > track[n - 1].time || track[cur].time == t) {
        F3 p = Point(track, eye, cur);
        return {p.x, p.y, p.z};
    }
    size_t prev = cur - 1;
    bool hasPrev2 = cur >= 2, hasNext = cur + 1 <= n - 1;
    F3 p0 = Point(track, eye, prev), p1 = Point(track, eye, cur), m0, m1;
    if (hasPrev2) m0 = Mul(Sub(p1, Point(track, eye, cur - 2)), 0.5f);
    if (hasNext) m1 = Mul(Sub(Point(track, eye, cur + 1), p0), 0.5f);
    if (!hasPrev2 && hasNext) m0 = Sub(Mul(Sub(p1, p0), 1.5f), Mul(m1, 0.5f));
    if (hasPrev2 && !hasNext) m1 = Sub(Mul(Sub(p1, p0), 1.5f), Mul(m0, 0.5f));
    if (!hasPrev2 && !hasNext) m0 = m1 = Sub(p1, p0);
    float s = float(double(t - track[prev].time) / double(track[cur].time - track[prev].time));
    float s2 = s * s, s3 = s2 * s;
    float h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s, h01 = (3 - 2 * s) * s * s, h11 = s3 - s2;
    F3 r = Add(Add(Add(Mul(p0, h00), Mul(m0, h10)), Mul(p1, h01)), Mul(m1, h11));
    return {r.x, r.y, r.z};
}

bool CameraReplay::Update(uint32_t t)
{
    if (current_ == tracks_.size()) return false;
    if (tracks_[current_].back().time < t) ++current_;
    if (current_ == tracks_.size()) return false;
    eye_ = EvaluateTrack(tracks_[current_], true, t);
    target_ = EvaluateTrack(tracks_[current_], false, t);
    return true;
}

std::vector<Vec3> SampleEyes(const std::vector<CameraTrack>& tracks, uint32_t from, uint32_t to,
                             uint32_t stepMs)
{
    CameraReplay camera(tracks);
    std::vector<Vec3> out;
    for (uint32_t t = 0; t <= to; t += stepMs)
        if (camera.Update(t) && t >= from) out.push_back(camera.Eye());
    return out;
}

std::vector<CameraTrack> AllTracks()
{
    std::vector<CameraTrack> all = PipesFlightTracks();
    for (CameraTrack& t : FaceFlightTracks()) all.push_back(std::move(t));
    return all;
}

}  // namespace pipesgen
