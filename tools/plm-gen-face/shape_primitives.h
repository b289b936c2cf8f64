// Signed-distance-like primitives for sculpting: negative inside, positive
// outside, roughly in model units near the surface. Blends keep the surface
// smooth (no creases), which the smooth-shaded metal look needs.
#ifndef PLM_GEN_FACE_SHAPE_PRIMITIVES_H
#define PLM_GEN_FACE_SHAPE_PRIMITIVES_H

#include "vec.h"

namespace face {

// Ellipsoid of centre c and radii r (a close approximation of the distance).
double Ellipsoid(Vec p, Vec c, Vec r);
// Cone between the spheres (a, ra) and (b, rb), rounded at both ends.
double RoundCone(Vec p, Vec a, Vec b, double ra, double rb);
// Union and subtraction blended over a width of k units (k > 0).
double SmoothUnion(double a, double b, double k);
double SmoothSubtract(double from, double cut, double k);
// exp(-|(p - c) / s|^2): 1 at c, falling off over s along each axis.
double Gauss(Vec p, Vec c, Vec s);
// 0 below e0, 1 above e1, cubic in between (e0 < e1).
double SmoothStep(double e0, double e1, double x);

}  // namespace face

#endif
