// A small double-precision 3-vector for shaping the face (engine axes:
// x to the side, y up, z forward, towards the viewer).
#ifndef PLM_GEN_FACE_VEC_H
#define PLM_GEN_FACE_VEC_H

#include <cmath>

namespace face {

struct Vec {
    double x = 0, y = 0, z = 0;
};

inline Vec operator+(Vec a, Vec b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec operator*(Vec a, double s)
{
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec operator/(Vec a, Vec b)
{
    return {a.x / b.x, a.y / b.y, a.z / b.z};
}
inline double Dot(Vec a, Vec b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double Length(Vec a)
{
    return std::sqrt(Dot(a, a));
}
inline Vec Cross(Vec a, Vec b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace face

#endif
