#include "growth.h"

namespace pipesgen {

double GrowthMsAtFrameRate(size_t faces, double frameMs)
{
    // Mirrors the scene's update: progress += dt * rate; the phase ends on
    // the update at which progress is strictly above the face count.
    float step = float(frameMs) * float(kGrowthRate);
    int frames = 0;
    for (int phase = 0; phase < 2; ++phase) {
        float progress = 0;
        do {
            progress += step;
            ++frames;
        } while (!(progress > float(faces)));
    }
    return frames * frameMs;
}

}  // namespace pipesgen
