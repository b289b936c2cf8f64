// Lays out a pipe's pieces as the scene does, by the scene's own placement
// rule (pipes/pipe_placement.h), so that what the generator plans is exactly
// what is drawn; then maps pipe coordinates into the scene with the pipe's
// position and rotation.
#ifndef PLM_GEN_PIPES_PATH_REPLAY_H
#define PLM_GEN_PIPES_PATH_REPLAY_H

#include <vector>

#include "tools/common/vec3.h"
#include "network/network.h"
#include "math/vector.h"
#include "pipes/pipe_segment.h"

namespace pipesgen {

using tools::Vec3;

// A piece type's exit as the types script states it (32-bit floats).
struct TypeExit {
    CVECTOR offset;
    CVECTOR direction;
};

// One placed segment in pipe coordinates (its type pointer stays null).
using PlacedSegment = CPIPESEGMENT;

// Places a segment of the given type and twist after `previous` (null for
// the first segment).
PlacedSegment PlaceSegment(const PlacedSegment* previous, const TypeExit& type, float twist);

// Places every segment of a pipe in order.
std::vector<PlacedSegment> PlacePipe(const PipeRecord& pipe, const std::vector<TypeExit>& types);

// A point of a piece model (model coordinates) in pipe coordinates.
Vec3 PieceToPipe(const PlacedSegment& segment, Vec3 modelPoint);
// A point in pipe coordinates in scene coordinates.
Vec3 PipeToScene(const PipeRecord& pipe, Vec3 pipePoint);

}  // namespace pipesgen

#endif
