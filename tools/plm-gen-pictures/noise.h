// Deterministic pseudo-random numbers for the generator: integer hashing
// only, so every run and every machine gives the same pictures.
#ifndef PLM_GEN_NOISE_H
#define PLM_GEN_NOISE_H

#include <cstdint>

// A well-mixed 32-bit hash of three integers.
uint32_t Hash3(int32_t a, int32_t b, int32_t c);
// Hash3 mapped to [0, 1).
float HashUnit(int32_t a, int32_t b, int32_t c);
// Smooth value noise in [0, 1) on a lattice of cell x cell pixels.
float ValueNoise(float x, float y, float cell, int32_t seed);

// A small deterministic generator for layouts (xorshift32).
class CRANDOM {
public:
    explicit CRANDOM(uint32_t seed) : state(seed ? seed : 1u) {}
    uint32_t Next();
    int Below(int n);  // 0 .. n-1
    float Unit();      // [0, 1)

private:
    uint32_t state;
};

#endif
