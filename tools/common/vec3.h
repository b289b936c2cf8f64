// A double-precision 3-vector for building models and planning layouts in
// the generators (the program's own float vector is math/vector.h).
#ifndef PLM_TOOLS_COMMON_VEC3_H
#define PLM_TOOLS_COMMON_VEC3_H

#include <cmath>

namespace tools {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s)
{
    return {a.x * s, a.y * s, a.z * s};
}
// Component by component.
inline Vec3 operator/(Vec3 a, Vec3 b)
{
    return {a.x / b.x, a.y / b.y, a.z / b.z};
}
inline double Dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a)
{
    return std::sqrt(Dot(a, a));
}
// a scaled to length 1; the zero vector stays as it is.
inline Vec3 Unit(Vec3 a)
{
    double l = Length(a);
    return l > 0 ? a * (1.0 / l) : a;
}

}  // namespace tools

#endif
