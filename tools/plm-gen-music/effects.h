// Send effects applied in place to a whole bus: the bus then holds only
// the effect's wet signal, ready to be mixed back under the dry sounds.
#ifndef PLM_GEN_MUSIC_EFFECTS_H
#define PLM_GEN_MUSIC_EFFECTS_H

#include "stereo_bus.h"

namespace music {

// A hall reverb (eight damped combs and four all-passes per side, the
// right side's delays slightly longer for width). `roomSize` and
// `damping` lie in [0, 1].
void ApplyReverb(StereoBus& bus, double roomSize, double damping);

// Ping-pong echo: the left input echoes on the right, then the left, ...
// every `delayFrames`, each echo `feedback` times the last and darker.
void ApplyPingPongDelay(StereoBus& bus, int64_t delayFrames, double feedback);

}  // namespace music

#endif
