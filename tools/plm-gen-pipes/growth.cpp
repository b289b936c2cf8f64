#include "growth.h"

namespace pipesgen {

double GrowthMsAtFrameRate(size_t faces, double frameMs)
{
    // One GrowPhase per frame, as the scene's pipes grow.
    int frames = 0;
    for (int phase = 0; phase < 2; ++phase) {
        float progress = 0;
        do {
            ++frames;
        } while (!GrowPhase(progress, float(frameMs), float(faces)));
    }
    return frames * frameMs;
}

}  // namespace pipesgen
