// Layout checks on a placed network: every piece's envelope capsules in
// scene coordinates, clashes between pieces, and clearance of camera points.
// Two pieces clash when capsules of theirs come closer than the sum of
// their radii: for plain tube walls, axes closer than one tube diameter.
// Neighbouring pieces of one pipe meet at their joint and are not compared.
#ifndef PLM_GEN_PIPES_NETWORK_CHECK_H
#define PLM_GEN_PIPES_NETWORK_CHECK_H

#include <vector>

#include "geometry.h"
#include "network.h"
#include "path_replay.h"
#include "piece_catalog.h"

namespace pipesgen {

struct WorldPiece {
    int pipe = 0;
    int segment = 0;
    std::vector<Capsule> capsules;  // scene coordinates
    Vec3 inlet, exit;               // scene coordinates of the joints
};

struct Clash {
    int pipeA = 0, segmentA = 0, pipeB = 0, segmentB = 0;
    double gap = 0;  // negative: how far the envelopes overlap
};

std::vector<TypeExit> ExitsOf(const std::vector<PieceType>& catalog);

// One piece of the network, placed as the scene places it.
WorldPiece PlaceWorldPiece(const PipeRecord& pipe, const PlacedSegment& placed, const PieceType& type,
                           int pipeIndex, int segmentIndex);
std::vector<WorldPiece> PlaceNetwork(const Network& network, const std::vector<PieceType>& catalog);

// Whether a and b are compared at all (not the same piece, not joined).
bool Comparable(const WorldPiece& a, const WorldPiece& b);
// Smallest distance between the envelopes (negative when they overlap).
double EnvelopeGap(const WorldPiece& a, const WorldPiece& b);
std::vector<Clash> FindClashes(const std::vector<WorldPiece>& pieces);

// Smallest distance from p to the surface of any envelope (negative inside).
double Clearance(Vec3 p, const std::vector<WorldPiece>& pieces);

}  // namespace pipesgen

#endif
