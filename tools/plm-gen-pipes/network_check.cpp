#include "network_check.h"

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

std::vector<WorldPiece> PlaceNetwork(const Network& network, const std::vector<PieceType>& catalog)
{
    std::vector<TypeExit> exits = ExitsOf(catalog);
    std::vector<WorldPiece> out;
    for (size_t p = 0; p < network.pipes.size(); ++p) {
        const PipeRecord& pipe = network.pipes[p];
        std::vector<PlacedSegment> placed = PlacePipe(pipe, exits);
        for (size_t s = 0; s < placed.size(); ++s)
            out.push_back(
                PlaceWorldPiece(pipe, placed[s], catalog.at(pipe.segments[s].type), int(p), int(s)));
    }
    return out;
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

std::vector<Clash> FindClashes(const std::vector<WorldPiece>& pieces)
{
    std::vector<Clash> out;
    for (size_t i = 0; i < pieces.size(); ++i)
        for (size_t j = i + 1; j < pieces.size(); ++j) {
            if (!Comparable(pieces[i], pieces[j])) continue;
            double gap = EnvelopeGap(pieces[i], pieces[j]);
            if (gap < 0)
                out.push_back({pieces[i].pipe, pieces[i].segment, pieces[j].pipe, pieces[j].segment, gap});
        }
    return out;
}

double Clearance(Vec3 p, const std::vector<WorldPiece>& pieces)
{
    double best = std::numeric_limits<double>::infinity();
    for (const WorldPiece& w : pieces)
        for (const Capsule& c : w.capsules)
            best = std::min(best, PointSegmentDistance(p, c.a, c.b) - c.radius);
    return best;
}

}  // namespace pipesgen
