#include "network/world_piece.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace pipesgen {

std::vector<TypeExit> ExitsOf(const std::vector<PieceType>& catalog)
{
    std::vector<TypeExit> out;
    for (const PieceType& t : catalog) {
        TypeExit e;
        e.offset.Set(float(t.exitOffset.x), float(t.exitOffset.y), float(t.exitOffset.z));
        e.direction.Set(float(t.exitDirection.x), float(t.exitDirection.y), float(t.exitDirection.z));
        out.push_back(e);
    }
    return out;
}

WorldPiece PlaceWorldPiece(const PipeRecord& pipe, const PlacedSegment& placed, const PieceType& type,
                           int pipeIndex, int segmentIndex)
{
    WorldPiece w;
    w.pipe = pipeIndex;
    w.segment = segmentIndex;
    auto scene = [&](Vec3 p) { return PipeToScene(pipe, PieceToPipe(placed, p)); };
    for (const Capsule& c : type.envelope) w.capsules.push_back({scene(c.a), scene(c.b), c.radius});
    w.inlet = scene({0, 0, 0});
    w.exit = scene(type.exitOffset);
    return w;
}

bool Comparable(const WorldPiece& a, const WorldPiece& b)
{
    return a.pipe != b.pipe || std::abs(a.segment - b.segment) >= 2;
}

double EnvelopeGap(const WorldPiece& a, const WorldPiece& b)
{
    double gap = std::numeric_limits<double>::infinity();
    for (const Capsule& ca : a.capsules)
        for (const Capsule& cb : b.capsules)
            gap = std::min(gap, SegmentSegmentDistance(ca.a, ca.b, cb.a, cb.b) - ca.radius - cb.radius);
    return gap;
}

}  // namespace pipesgen
