// How long pieces take to grow in the scene, at the scene's own pace
// (pipes/pipe_growth.h): a piece is traced face by face at GROWTH_RATE faces
// per millisecond, then filled at the same rate, so a piece of F faces takes
// 2 F / GROWTH_RATE milliseconds (a little more at a fixed frame rate, since
// each phase ends on a whole frame).
#ifndef PLM_GEN_PIPES_GROWTH_H
#define PLM_GEN_PIPES_GROWTH_H

#include <cstddef>

#include "pipes/pipe_growth.h"

namespace pipesgen {

inline double GrowthMs(size_t faces)
{
    return 2.0 * double(faces) / double(GROWTH_RATE);
}

// Growth time of a piece when frames come every frameMs: each phase lasts
// until the revealed count first exceeds the face count, in whole frames.
double GrowthMsAtFrameRate(size_t faces, double frameMs);

}  // namespace pipesgen

#endif
