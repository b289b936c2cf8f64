// Percussion voices. Each adds one hit into a bus starting at `frame`;
// `gain` is the linear peak level of the hit. Every hit seeds its own
// noise from `seed`, so a hit sounds the same wherever it is placed and
// the song is the same on every run.
#ifndef PLM_GEN_MUSIC_DRUMS_H
#define PLM_GEN_MUSIC_DRUMS_H

#include "stereo_bus.h"

#include <cstdint>

namespace music {

// Sine body falling from 150 Hz to 45 Hz, a click, gentle saturation.
void AddKick(StereoBus& bus, int64_t frame, double gain);

// Tuned body plus filtered noise; `pan` in [-1, 1].
void AddSnare(StereoBus& bus, int64_t frame, double gain, double pan, uint32_t seed);

// Three quick noise bursts and a short band-passed tail.
void AddClap(StereoBus& bus, int64_t frame, double gain, uint32_t seed);

// Metallic high-passed hat, closed (short) or open (long).
void AddHat(StereoBus& bus, int64_t frame, double gain, bool open, double pan, uint32_t seed);

// A long, wide cymbal wash for section starts.
void AddCrash(StereoBus& bus, int64_t frame, double gain, uint32_t seed);

// Noise swept up through a band-pass over `frames`, growing louder: the
// tension before a drop.
void AddRiser(StereoBus& bus, int64_t frame, int64_t frames, double gain, uint32_t seed);

}  // namespace music

#endif
