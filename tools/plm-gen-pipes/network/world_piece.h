// A piece of the network placed in the scene as the scene places it: its
// envelope capsules and joints in scene coordinates, and the gap between two
// such pieces. Two pieces clash when capsules of theirs come closer than the
// sum of their radii: for plain tube walls, axes closer than one tube
// diameter. Neighbouring pieces of one pipe meet at their joint and are not
// compared.
#ifndef PLM_GEN_PIPES_NETWORK_WORLD_PIECE_H
#define PLM_GEN_PIPES_NETWORK_WORLD_PIECE_H

#include <vector>

#include "network/network.h"
#include "path_replay.h"
#include "pieces/catalog.h"
#include "pieces/envelope.h"

namespace pipesgen {

struct WorldPiece {
    int pipe = 0;
    int segment = 0;
    std::vector<Capsule> capsules;  // scene coordinates
    Vec3 inlet, exit;               // scene coordinates of the joints
};

// Each type's exit as the types script states it.
std::vector<TypeExit> ExitsOf(const std::vector<PieceType>& catalog);

// One piece of the network, placed as the scene places it.
WorldPiece PlaceWorldPiece(const PipeRecord& pipe, const PlacedSegment& placed, const PieceType& type,
                           int pipeIndex, int segmentIndex);

// Whether a and b are compared at all (not the same piece, not joined).
bool Comparable(const WorldPiece& a, const WorldPiece& b);
// Smallest distance between the envelopes (negative when they overlap).
double EnvelopeGap(const WorldPiece& a, const WorldPiece& b);

}  // namespace pipesgen

#endif
