// The pace at which a pipe's growing piece is revealed. Plain arithmetic, no
// GL: CPIPE::Update grows pipes by it, and the generator that plans the
// network times its pipes by it.
//
// A piece of F faces grows in two phases (traced, then filled); each phase
// reveals GROWTH_RATE faces per millisecond of frame time and ends on the
// first update at which more than F faces are revealed, so a piece takes a
// little over 2 F / GROWTH_RATE milliseconds.
#ifndef PLM_PIPES_PIPE_GROWTH_H
#define PLM_PIPES_PIPE_GROWTH_H

// Faces revealed per millisecond of frame time.
const float GROWTH_RATE = 6.6666665f;

// One update of a growth phase: adds frameTime (ms) * GROWTH_RATE to
// progress (faces revealed so far in the phase) and returns true when the
// phase is over, that is when progress is now above faceCount.
inline bool GrowPhase(float& progress, float frameTime, float faceCount)
{
    progress = progress + frameTime * GROWTH_RATE;
    return progress > faceCount;
}

#endif
