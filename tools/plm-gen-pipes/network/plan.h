// The first scene's network: where the pipes start, the box they fill, how
// long each keeps growing, and the camera path they keep clear of.
#ifndef PLM_GEN_PIPES_NETWORK_PLAN_H
#define PLM_GEN_PIPES_NETWORK_PLAN_H

#include "network/planner.h"

namespace pipesgen {

// Each pipe keeps growing at least this long: past the end of the pipes
// flight, so that the network grows in every frame of it.
constexpr double kPipeGrowthMs = 11000;
// Closest the camera's eye comes to a piece's envelope in the pipes flight.
constexpr double kCameraClearance = 5;

PlanOptions NetworkPlan();

}  // namespace pipesgen

#endif
