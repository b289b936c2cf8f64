// Plans the pipes network on a lattice of kGridStep: every pipe starts at a
// lattice node heading along a lattice axis and grows piece by piece, all
// pipes in turn, each piece chosen at random (weighted towards straight
// runs) among those that
//   - keep the pipe inside the box and off lattice nodes other pipes hold,
//   - end on a lattice node heading along a lattice axis (placement is
//     replayed exactly as the scene does it, rounding included),
//   - clash with no piece already placed (envelopes, world_piece.h),
//   - keep clear of the camera's path by `cameraClearance`,
//   - leave the next lattice node ahead free.
// A pipe that cannot go on backs up and tries its earlier options. Growth
// stops when a pipe's pieces take growthMs to grow in the scene.
#ifndef PLM_GEN_PIPES_NETWORK_PLANNER_H
#define PLM_GEN_PIPES_NETWORK_PLANNER_H

#include <cstdint>
#include <vector>

#include "pieces/envelope.h"
#include "network/network.h"
#include "pieces/catalog.h"

namespace pipesgen {

// Lattice axes: +X, -X, +Y, -Y, +Z, -Z.
enum Heading { kPlusX, kMinusX, kPlusY, kMinusY, kPlusZ, kMinusZ };

struct PipeStart {
    int node[3] = {0, 0, 0};  // lattice coordinates (scene = node * kGridStep)
    Heading heading = kPlusY;
};

struct PlanOptions {
    int low[3] = {-5, -4, -5};  // lattice box, inclusive
    int high[3] = {5, 4, 5};
    std::vector<PipeStart> starts;
    double growthMs = 11000;
    std::vector<Vec3> cameraPoints;  // eye positions to keep clear
    double cameraClearance = 4;
    uint64_t seed = 1;
    double typeWeights[6] = {4, 2.6, 1, 0.8, 0.6, 0.8};  // by catalog index
};

struct PlanResult {
    Network network;
    std::vector<double> growthMs;  // per pipe
    bool complete = false;         // every pipe reached growthMs
};

PlanResult PlanNetwork(const std::vector<PieceType>& catalog, const PlanOptions& options);

// The twists the planner uses, as the 32-bit floats the map stores.
extern const float kQuarterTwists[4];

}  // namespace pipesgen

#endif
