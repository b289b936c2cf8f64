// Deterministic random sources for the generators: the same seed gives the
// same numbers on every run and every machine, so the data set comes out
// byte for byte the same.
#ifndef PLM_TOOLS_COMMON_RANDOM_H
#define PLM_TOOLS_COMMON_RANDOM_H

#include <cstdint>

namespace tools {

// Marsaglia's xorshift32 (shifts 13, 17, 5): cheap numbers for noise and
// layouts. A zero state would stay zero, so seed 0 starts from 0x9E3779B9.
class Xorshift32 {
public:
    explicit Xorshift32(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}

    uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // 0 .. n-1 (0 when n <= 0).
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    // Uniform in [0, 1), 24 bits.
    float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }
    // Uniform in [-1, 1): the state read as a signed 32-bit number.
    float Signed() { return static_cast<float>(static_cast<int32_t>(Next())) * (1.0f / 2147483648.0f); }

private:
    uint32_t state_;
};

// SplitMix64: well-mixed 64-bit numbers from any seed, zero included.
class SplitMix64 {
public:
    explicit SplitMix64(uint64_t seed) : state_(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in (0, 1], 53 bits: never 0, so its logarithm is finite.
    double Uniform() { return double((Next() >> 11) + 1) / 9007199254740992.0; }

private:
    uint64_t state_;
};

}  // namespace tools

#endif
