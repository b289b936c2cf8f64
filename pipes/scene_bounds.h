// The region in which scripts may place things: the camera path, the pipes
// map and the pipe types give points and offsets in scene units, and the
// scenes span a few hundred units. A coordinate beyond +-1e6 is a corrupt
// or hostile value: it would turn the view or a pipe's placement matrix into
// infinities (and, once multiplied back, NaN) that blank the whole scene,
// so readers refuse it together with values that are not numbers.
#ifndef PLM_PIPES_SCENE_BOUNDS_H
#define PLM_PIPES_SCENE_BOUNDS_H

#include "math/vector.h"

#include <cmath>

// Largest magnitude of a coordinate read from a script, in scene units.
const float MAX_SCRIPT_COORDINATE = 1e6f;

// True when value is a number within -MAX_SCRIPT_COORDINATE to
// MAX_SCRIPT_COORDINATE (both included).
inline bool WithinSceneBounds(float value)
{
    return std::isfinite(value) && std::fabs(value) <= MAX_SCRIPT_COORDINATE;
}

// True when every component of v is within the bounds above.
inline bool WithinSceneBounds(const CVECTOR& v)
{
    return WithinSceneBounds(v.x) && WithinSceneBounds(v.y) && WithinSceneBounds(v.z);
}

#endif
