#include "path_replay.h"

#include <cmath>

#include "pipes/pipe_placement.h"

namespace pipesgen {

namespace {

// Rotation by `degrees` about a coordinate axis, counter-clockwise seen from
// the axis tip (the sense of glRotatef).
Vec3 RotateAbout(int axis, double degrees, Vec3 p)
{
    double a = degrees * 3.14159265358979323846 / 180, c = std::cos(a), s = std::sin(a);
    if (axis == 0) return {p.x, c * p.y - s * p.z, s * p.y + c * p.z};
    if (axis == 1) return {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
    return {c * p.x - s * p.y, s * p.x + c * p.y, p.z};
}

}  // namespace

PlacedSegment PlaceSegment(const PlacedSegment* previous, const TypeExit& type, float twist)
{
    PlacedSegment s{};
    s.exitOffset = type.offset;
    s.exitDirection = type.direction;
    s.twist = twist;
    PlacePipeSegment(s, previous);
    return s;
}

std::vector<PlacedSegment> PlacePipe(const PipeRecord& pipe, const std::vector<TypeExit>& types)
{
    std::vector<PlacedSegment> out;
    out.reserve(pipe.segments.size());
    for (const SegmentRecord& seg : pipe.segments)
        out.push_back(PlaceSegment(out.empty() ? nullptr : &out.back(), types.at(seg.type), seg.twist));
    return out;
}

Vec3 PieceToPipe(const PlacedSegment& segment, Vec3 modelPoint)
{
    CVECTOR p;
    p.Set(float(modelPoint.x), float(modelPoint.y), float(modelPoint.z));
    CVECTOR r = segment.orientation.Rotate(p);
    return Vec3{double(r.x) + segment.position.x, double(r.y) + segment.position.y,
                double(r.z) + segment.position.z};
}

// glTranslate(position) glRotate(x) glRotate(y) glRotate(z): the point is
// turned about Z first, X last.
Vec3 PipeToScene(const PipeRecord& pipe, Vec3 p)
{
    p = RotateAbout(2, pipe.rotation[2], p);
    p = RotateAbout(1, pipe.rotation[1], p);
    p = RotateAbout(0, pipe.rotation[0], p);
    return p + Vec3{pipe.position[0], pipe.position[1], pipe.position[2]};
}

}  // namespace pipesgen
