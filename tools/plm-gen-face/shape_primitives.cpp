#include "shape_primitives.h"

#include <algorithm>
#include <cmath>

namespace face {

double Ellipsoid(Vec3 p, Vec3 c, Vec3 r)
{
    const Vec3 d = p - c;
    const double k0 = Length(d / r);
    const double k1 = Length(d / Vec3{r.x * r.x, r.y * r.y, r.z * r.z});
    if (k1 == 0.0) return -std::min(r.x, std::min(r.y, r.z));
    return k0 * (k0 - 1.0) / k1;
}

double RoundCone(Vec3 p, Vec3 a, Vec3 b, double ra, double rb)
{
    const Vec3 axis = b - a;
    const double t = std::clamp(Dot(p - a, axis) / Dot(axis, axis), 0.0, 1.0);
    return Length(p - (a + axis * t)) - (ra + (rb - ra) * t);
}

double SmoothUnion(double a, double b, double k)
{
    const double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
    return b + (a - b) * h - k * h * (1.0 - h);
}

double SmoothSubtract(double from, double cut, double k)
{
    return -SmoothUnion(-from, cut, k);
}

double Gauss(Vec3 p, Vec3 c, Vec3 s)
{
    const Vec3 d = (p - c) / s;
    return std::exp(-Dot(d, d));
}

double SmoothStep(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace face
