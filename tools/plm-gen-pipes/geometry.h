// Small double-precision 3D helpers for building piece models and planning
// the network. Engine axes throughout: y up, a piece's inlet along +Y.
#ifndef PLM_GEN_PIPES_GEOMETRY_H
#define PLM_GEN_PIPES_GEOMETRY_H

#include <cmath>

namespace pipesgen {

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
inline Vec3 Unit(Vec3 a)
{
    double l = Length(a);
    return l > 0 ? a * (1.0 / l) : a;
}

// A segment with a radius: the space a part of a piece may fill.
struct Capsule {
    Vec3 a, b;
    double radius = 0;
};

// Shortest distance from point p to the segment a-b.
double PointSegmentDistance(Vec3 p, Vec3 a, Vec3 b);
// Shortest distance between the segments p0-p1 and q0-q1.
double SegmentSegmentDistance(Vec3 p0, Vec3 p1, Vec3 q0, Vec3 q1);

}  // namespace pipesgen

#endif
