// What plays when: the song's sections on the beat grid, placed as voices
// into separate buses that the mixdown then balances, ducks and masters.
#ifndef PLM_GEN_MUSIC_ARRANGEMENT_H
#define PLM_GEN_MUSIC_ARRANGEMENT_H

#include "stereo_bus.h"

#include <cstdint>
#include <vector>

namespace music {

struct SongBuses {
    explicit SongBuses(int64_t frames)
        : drums(frames), bass(frames), music(frames), reverbSend(frames), delaySend(frames)
    {
    }
    StereoBus drums;                  // kick, snare, clap, hats, crash, riser
    StereoBus bass;                   // ducked by the kick
    StereoBus music;                  // pads and plucks, ducked by the kick
    StereoBus reverbSend;             // what feeds the hall
    StereoBus delaySend;              // what feeds the ping-pong echo
    std::vector<int64_t> kickFrames;  // every kick's first frame, ascending
};

// Places every sound that starts inside the buses' length. A shorter bus
// gives the first seconds of the same song.
void ArrangeSong(SongBuses& buses);

// The snare roll of a build-up: beat offsets from its start, in
// ascending order, getting denser and stopping half a beat before the drop.
std::vector<double> SnareRollBeats();

// Bars that open with a crash cymbal.
const std::vector<int>& CrashBars();

}  // namespace music

#endif
