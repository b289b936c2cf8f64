// Signed-distance-like primitives for sculpting: negative inside, positive
// outside, roughly in model units near the surface. Blends keep the surface
// smooth (no creases), which the smooth-shaded metal look needs.
#ifndef PLM_GEN_FACE_SHAPE_PRIMITIVES_H
#define PLM_GEN_FACE_SHAPE_PRIMITIVES_H

#include "tools/common/vec3.h"

namespace face {

using tools::Vec3;

// Ellipsoid of centre c and radii r (a close approximation of the distance).
double Ellipsoid(Vec3 p, Vec3 c, Vec3 r);
// Cone between the spheres (a, ra) and (b, rb), rounded at both ends.
double RoundCone(Vec3 p, Vec3 a, Vec3 b, double ra, double rb);
// Union and subtraction blended over a width of k units (k > 0).
double SmoothUnion(double a, double b, double k);
double SmoothSubtract(double from, double cut, double k);
// exp(-|(p - c) / s|^2): 1 at c, falling off over s along each axis.
double Gauss(Vec3 p, Vec3 c, Vec3 s);
// 0 below e0, 1 above e1, cubic in between (e0 < e1).
double SmoothStep(double e0, double e1, double x);

}  // namespace face

#endif
