#include "pieces/envelope.h"

#include <algorithm>

namespace pipesgen {

double PointSegmentDistance(Vec3 p, Vec3 a, Vec3 b)
{
    Vec3 ab = b - a;
    double len2 = Dot(ab, ab);
    double t = len2 > 0 ? std::clamp(Dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
    return Length(p - (a + ab * t));
}

// Closest points of two segments (the usual clamped solution), falling back
// to endpoint distances, which covers parallel and degenerate segments.
double SegmentSegmentDistance(Vec3 p0, Vec3 p1, Vec3 q0, Vec3 q1)
{
    Vec3 d1 = p1 - p0, d2 = q1 - q0, r = p0 - q0;
    double a = Dot(d1, d1), e = Dot(d2, d2), f = Dot(d2, r);
    double best = std::min({PointSegmentDistance(p0, q0, q1), PointSegmentDistance(p1, q0, q1),
                            PointSegmentDistance(q0, p0, p1), PointSegmentDistance(q1, p0, p1)});
    if (a <= 0 || e <= 0) return best;
    double b = Dot(d1, d2), c = Dot(d1, r), denom = a * e - b * b;
    if (denom <= 1e-12 * a * e) return best;
    double s = std::clamp((b * f - c * e) / denom, 0.0, 1.0);
    double t = std::clamp((b * s + f) / e, 0.0, 1.0);
    s = std::clamp((b * t - c) / a, 0.0, 1.0);
    return std::min(best, Length((p0 + d1 * s) - (q0 + d2 * t)));
}

}  // namespace pipesgen
