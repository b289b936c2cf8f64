// How long pieces take to grow in the scene: a piece is traced face by face
// at kGrowthRate faces per millisecond, then filled at the same rate, so a
// piece of F faces takes 2 F / kGrowthRate milliseconds (a little more at a
// fixed frame rate, since each phase ends on a whole frame).
#ifndef PLM_GEN_PIPES_GROWTH_H
#define PLM_GEN_PIPES_GROWTH_H

#include <cstddef>

namespace pipesgen {

constexpr double kGrowthRate = 6.6666665;   // faces per millisecond
constexpr double kFaceFlightStart = 10700;  // ms: end of the pipes flight
constexpr double kTurntableStart = 14750;   // ms: end of the face flight

inline double GrowthMs(size_t faces)
{
    return 2.0 * double(faces) / kGrowthRate;
}

// Growth time of a piece when frames come every frameMs: each phase lasts
// until the revealed count first exceeds the face count, in whole frames.
double GrowthMsAtFrameRate(size_t faces, double frameMs);

}  // namespace pipesgen

#endif
