// Turns the arranged buses into the finished stereo track: send effects,
// kick ducking, balance, a soft limiter, peak normalisation and the fades.
#ifndef PLM_GEN_MUSIC_MIXDOWN_H
#define PLM_GEN_MUSIC_MIXDOWN_H

#include "arrangement.h"

#include <cstdint>
#include <vector>

namespace music {

// Peak level of the finished track, linear (about -2 dBFS), leaving room
// for the overshoot of MP3 encoding.
constexpr double kTargetPeak = 0.79;

// Consumes the buses. Returns interleaved 16-bit stereo frames (left,
// right); the last `fadeSeconds` fade to silence.
std::vector<int16_t> MixDown(SongBuses& buses, double fadeSeconds);

}  // namespace music

#endif
