// Placing a pipe's pieces end to end, in pipe coordinates. Plain CVECTOR and
// CQUATERNION arithmetic, no GL: the scene's pipes (CPIPE::BuildPaths) and
// the generator that plans the network place pieces by this one rule, so
// that what is planned is exactly what is drawn, rounding included.
//
// A piece model has its inlet at its origin, running along its own +Y axis.
// The first piece of a pipe stands at the origin, turned only by its twist
// about +Y. Every later piece starts at the previous piece's outlet
// (position + exitOffset) and is turned by its twist about +Y first, then by
// the shortest rotation that carries +Y onto the previous exit direction.
// An exit pointing straight down (its angle to +Y is exactly the float
// nearest pi) has no shortest rotation: the piece is turned half about
// (0, 0, 1) instead.
#ifndef PLM_PIPES_PIPE_PLACEMENT_H
#define PLM_PIPES_PIPE_PLACEMENT_H

#include "pipes/pipe_segment.h"

// Places segment after previous (null for a pipe's first piece; otherwise
// already placed). On entry segment.twist holds the twist in radians and
// exitOffset and exitDirection the type's exit in model coordinates; on
// return position and orientation are set and both exits are turned into
// pipe coordinates. segment.type is neither read nor changed.
void PlacePipeSegment(CPIPESEGMENT& segment, const CPIPESEGMENT* previous);

#endif
