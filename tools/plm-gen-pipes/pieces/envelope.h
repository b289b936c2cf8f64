// The space a piece may fill, as capsules, and the distances that tell
// whether two pieces, or a piece and the camera, come too close. Engine axes
// throughout: y up, a piece's inlet along +Y.
#ifndef PLM_GEN_PIPES_PIECES_ENVELOPE_H
#define PLM_GEN_PIPES_PIECES_ENVELOPE_H

#include "tools/common/vec3.h"

namespace pipesgen {

using tools::Vec3;

// A segment with a radius: the space a part of a piece may fill.
struct Capsule {
    Vec3 a, b;
    double radius = 0;
};

// Shortest distance from point p to the segment a-b.
double PointSegmentDistance(Vec3 p, Vec3 a, Vec3 b);
// Shortest distance between the segments p0-p1 and q0-q1.
double SegmentSegmentDistance(Vec3 p0, Vec3 p1, Vec3 q0, Vec3 q1);

}  // namespace pipesgen

#endif
