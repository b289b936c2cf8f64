// A stereo mix bus of float samples at kSampleRate. Voices add into it at
// a frame index; frames outside the bus are dropped, so a voice may start
// near the end of a short render without bounds checks of its own.
#ifndef PLM_GEN_MUSIC_STEREO_BUS_H
#define PLM_GEN_MUSIC_STEREO_BUS_H

#include <cstdint>
#include <vector>

namespace music {

struct StereoBus {
    explicit StereoBus(int64_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}

    int64_t Frames() const { return static_cast<int64_t>(left.size()); }
    void Add(int64_t frame, double l, double r)
    {
        if (frame >= 0 && frame < Frames()) {
            left[frame] += static_cast<float>(l);
            right[frame] += static_cast<float>(r);
        }
    }
    // Adds a mono sample placed by `pan` in [-1 (left), 1 (right)].
    void AddPanned(int64_t frame, double sample, double pan)
    {
        Add(frame, sample * (1.0 - pan) * 0.5 * 1.41421356, sample * (1.0 + pan) * 0.5 * 1.41421356);
    }

    std::vector<float> left;
    std::vector<float> right;
};

}  // namespace music

#endif
