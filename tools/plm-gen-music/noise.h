// Deterministic white noise (xorshift32): every run of the generator
// produces the same samples for the same seed.
#ifndef PLM_GEN_MUSIC_NOISE_H
#define PLM_GEN_MUSIC_NOISE_H

#include <cstdint>

namespace music {

class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}

    // Next sample, uniform in [-1, 1).
    float Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(static_cast<int32_t>(state_)) * (1.0f / 2147483648.0f);
    }

private:
    uint32_t state_;
};

}  // namespace music

#endif
