// The song's time grid, shared by the synthesis and the event script so
// that flashes and shakes land on the sounds that cause them.
//
// 118.5 bpm (a beat of 506.25 ms) puts both scene changes on bar lines:
// the first beat sounds at 2600 ms after a free-time pad intro, the build
// up starts 4 bars later with the face flight (SCENE_FACE_START, 10700 ms)
// and the drop 2 bars after that with the turntable (SCENE_TURNTABLE_START,
// 14750 ms).
#ifndef PLM_GEN_MUSIC_BEAT_GRID_H
#define PLM_GEN_MUSIC_BEAT_GRID_H

#include <cmath>
#include <cstdint>

#include "scene/timeline.h"

namespace music {

constexpr int kSampleRate = 44100;
constexpr double kBeatMs = 506.25;
constexpr double kGridStartMs = 2600.0;
constexpr int kBeatsPerBar = 4;
constexpr double kSongSeconds = 100.0;

// Sections, as the bar (counted from the first beat) where each begins.
constexpr int kGrooveBar = 0;  // kick, hats, bass, pads
constexpr int kBuildBar = 4;   // 10700 ms: drums and bass stop, snare roll, riser
constexpr int kDropBar = 6;    // 14750 ms: everything, plus the pluck arpeggio
constexpr int kBreakBar = 22;  // pads and pluck, hats later, a second roll
constexpr int kDrop2Bar = 30;  // the drop again, with a doubled pluck
constexpr int kOutroBar = 44;  // drums thin out, last chord, fade to silence
constexpr int kEndBar = 48;

// Milliseconds of song time at a (fractional) beat or bar of the grid.
constexpr double BeatMs(double beat)
{
    return kGridStartMs + beat * kBeatMs;
}
constexpr double BarMs(double bar)
{
    return BeatMs(bar * kBeatsPerBar);
}

// Sample frame (at kSampleRate) nearest to a time in milliseconds.
inline int64_t MsToFrame(double ms)
{
    return std::llround(ms * kSampleRate / 1000.0);
}
inline int64_t BeatFrame(double beat)
{
    return MsToFrame(BeatMs(beat));
}
inline int64_t BarFrame(double bar)
{
    return MsToFrame(BarMs(bar));
}

static_assert(BarMs(kBuildBar) == SCENE_FACE_START, "the build-up starts with the face flight");
static_assert(BarMs(kDropBar) == SCENE_TURNTABLE_START, "the drop starts with the turntable");

}  // namespace music

#endif
