// Deterministic noise for generated pictures: integer hashing only, so every
// run and every machine gives the same pixels.
#ifndef PLM_TOOLS_COMMON_NOISE_H
#define PLM_TOOLS_COMMON_NOISE_H

#include <cmath>
#include <cstdint>

namespace tools {

// A well-mixed 32-bit hash of three integers.
uint32_t Hash3(int32_t a, int32_t b, int32_t c);
// Hash3 mapped to [0, 1), 24 bits.
float HashUnit(int32_t a, int32_t b, int32_t c);

// Smooth value noise at (x, y), in lattice cells: corner(ix, iy) is the value
// at lattice point (ix, iy); between points the four corners are blended
// with smoothstep weights, first along x, then along y. T is float or
// double; the result lies within the corner values.
template <typename T, typename Corner>
T ValueNoise(T x, T y, Corner corner)
{
    const int32_t ix = static_cast<int32_t>(std::floor(x)), iy = static_cast<int32_t>(std::floor(y));
    T tx = x - ix, ty = y - iy;
    tx = tx * tx * (T(3) - T(2) * tx);
    ty = ty * ty * (T(3) - T(2) * ty);
    const T a = corner(ix, iy), b = corner(ix + 1, iy), c = corner(ix, iy + 1), d = corner(ix + 1, iy + 1);
    const T top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

}  // namespace tools

#endif
