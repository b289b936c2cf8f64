// Growth of a pipe frame by frame (CPIPE::Update, CPIPE::Advance).
#include "pipes/pipe.h"

void CPIPE::Update(float frameDelta)
{
    // The negated test also turns away NaN; a complete pipe has nothing to grow.
    if (!(frameDelta > 0.0f) || grownCount >= segmentCount) {
        return;
    }
    if (GrowPhase(progress, frameDelta, faceCount)) {
        // One phase step per update; the rest of a long frame is dropped.
        phase = static_cast<uint8_t>(phase + 1);
        progress = 0.0f;
        if (phase == 2) {
            Advance();
        }
    }
}

void CPIPE::Advance()
{
    if (grownCount >= segmentCount) {
        return;
    }
    progress = 0.0f;
    phase = 0;
    grownCount = static_cast<uint16_t>(grownCount + 1);
    if (grownCount == segmentCount) {
        return;
    }
    TakeMeshView();
}
