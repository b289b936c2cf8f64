// Pitched voices. Notes are MIDI numbers (69 = A4 = 440 Hz); `frame` is
// the note's first sample frame and `frames` its held length, after which
// a short release follows. `gain` is a linear level.
#ifndef PLM_GEN_MUSIC_SYNTHS_H
#define PLM_GEN_MUSIC_SYNTHS_H

#include "stereo_bus.h"

#include <cstdint>

namespace music {

// Saw plus sine in unison through a low-pass whose cutoff snaps open at
// the start of the note: a round, punchy bass, centred.
void AddBassNote(StereoBus& bus, int64_t frame, int64_t frames, int note, double gain);

// One pad chord: `count` notes, each three detuned saws spread across
// the stereo field, slow attack and release, low-passed with a cutoff
// that moves from `cutoffFrom` to `cutoffTo` Hz over the held length.
struct PadChord {
    const int* notes;
    int count;
    double cutoffFrom;
    double cutoffTo;
    double attackSeconds;
    double releaseSeconds;
};
void AddPadChord(StereoBus& bus, int64_t frame, int64_t frames, const PadChord& chord, double gain,
                 uint32_t seed);

// A short plucked saw/square note whose filter closes quickly.
void AddPluck(StereoBus& bus, int64_t frame, int note, double gain, double pan);

}  // namespace music

#endif
