// A small deterministic random source (SplitMix64): the same seed gives the
// same layout on every machine and every run.
#ifndef PLM_GEN_PIPES_RANDOM_H
#define PLM_GEN_PIPES_RANDOM_H

#include <cstdint>

namespace pipesgen {

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in (0, 1].
    double Uniform() { return double((Next() >> 11) + 1) / 9007199254740992.0; }

private:
    uint64_t state_;
};

}  // namespace pipesgen

#endif
