#include "face_shape.h"

#include "shape_primitives.h"

#include <cmath>

namespace face {
namespace {

const double PI = 3.14159265358979323846;
// The head is raised by this angle about x (chin forwards) over the neck, so
// that a view from above still meets the face.
const double HEAD_RAISE = 12.0 * PI / 180.0;
const Vec3 HEAD_PIVOT{0, 330, -40};
// The whole sculpture is moved forwards by this much so that its bounding
// box is centred on z = 0, the axis of the turntable.
const Vec3 MODEL_SHIFT{0, 0, 27};

// The point of the head's own (unraised) frame that lands at p.
Vec3 IntoHeadFrame(Vec3 p)
{
    const double c = std::cos(HEAD_RAISE), s = std::sin(HEAD_RAISE);
    const Vec3 d = p - HEAD_PIVOT;
    return HEAD_PIVOT + Vec3{d.x, c * d.y - s * d.z, s * d.y + c * d.z};
}

Vec3 Mirror(Vec3 p)
{
    return {std::fabs(p.x), p.y, p.z};
}

// Cranium, cheek mass, jaw and chin.
double Skull(Vec3 p)
{
    const double cranium = Ellipsoid(p, {0, 560, -35}, {200, 225, 250});
    const double midFace = Ellipsoid(p, {0, 430, 30}, {168, 165, 195});
    // The jaw narrows towards the chin.
    const double narrow = 0.62 + 0.38 * SmoothStep(170, 360, p.y);
    const double jaw = Ellipsoid({p.x / narrow, p.y, p.z}, {0, 305, 55}, {140, 140, 165}) * narrow;
    const double chin = Ellipsoid(p, {0, 212, 172}, {58, 44, 46});
    double d = SmoothUnion(cranium, midFace, 60);
    d = SmoothUnion(d, jaw, 50);
    return SmoothUnion(d, chin, 35);
}

// A neck cut flat at y = 0; its top is hidden inside the head.
double Neck(Vec3 p)
{
    const double column = std::hypot(p.x, (p.z + 45) / 1.08) - 116;
    return SmoothSubtract(std::fmax(column, p.y - 420), p.y, 18);
}

// Soft relief: brow ridge, sockets, cheekbones and the hollows below them.
double Relief(Vec3 p, double d)
{
    const Vec3 m = Mirror(p);
    d -= 14 * Gauss(m, {58, 535, 205}, {55, 18, 40});
    d -= 6 * Gauss(p, {0, 522, 215}, {28, 20, 30});
    d += 24 * Gauss(m, {64, 492, 215}, {50, 34, 45});
    d -= 16 * Gauss(m, {105, 450, 165}, {50, 28, 50});
    d += 8 * Gauss(m, {98, 362, 172}, {35, 40, 40});
    return d + 6 * Gauss(p, {0, 262, 218}, {40, 12, 20});
}

// Eyeballs in the sockets, half covered by the lids.
double Eyes(Vec3 p, double d)
{
    const Vec3 m = Mirror(p);
    d = SmoothUnion(d, Ellipsoid(m, {64, 488, 182}, {38, 38, 38}), 6);
    d = SmoothUnion(d, Ellipsoid(m, {64, 497, 188}, {41, 22, 34}), 10);
    return SmoothUnion(d, Ellipsoid(m, {64, 476, 186}, {37, 12, 30}), 10);
}

// Bridge, tip and wings of the nose, with the nostrils underneath.
double Nose(Vec3 p, double d)
{
    const Vec3 m = Mirror(p);
    double nose = RoundCone(p, {0, 510, 206}, {0, 400, 272}, 15, 24);
    nose = SmoothUnion(nose, Ellipsoid(p, {0, 394, 268}, {22, 21, 22}), 20);
    nose = SmoothUnion(nose, Ellipsoid(m, {23, 388, 246}, {17, 15, 19}), 20);
    d = SmoothUnion(d, nose, 24);
    return d + 5 * Gauss(m, {14, 374, 262}, {8, 5, 12});
}

// Muzzle, both lips with the line of the mouth between them.
double Mouth(Vec3 p, double d)
{
    const Vec3 m = Mirror(p);
    d = SmoothUnion(d, Ellipsoid(p, {0, 318, 180}, {85, 72, 58}), 30);
    d = SmoothUnion(d, Ellipsoid(p, {0, 320, 222}, {45, 17, 32}), 16);
    d = SmoothUnion(d, Ellipsoid(p, {0, 290, 218}, {39, 18, 32}), 16);
    d += 4 * Gauss(p, {0, 346, 241}, {9, 16, 12});
    d = SmoothSubtract(d, Ellipsoid(p, {0, 305, 248}, {40, 2.5, 22}), 3);
    return d + 3 * Gauss(m, {44, 305, 222}, {10, 10, 14});
}

double Ears(Vec3 p, double d)
{
    const Vec3 m = Mirror(p);
    d = SmoothUnion(d, Ellipsoid(m, {192, 468, -45}, {20, 62, 36}), 15);
    return SmoothSubtract(d, Ellipsoid(m, {210, 472, -40}, {8, 38, 22}), 8);
}

}  // namespace

double HeadField(Vec3 world)
{
    const Vec3 p = world - MODEL_SHIFT;
    const Vec3 h = IntoHeadFrame(p);
    double d = SmoothUnion(Skull(h), Neck(p), 30);
    d = Relief(h, d);
    d = Eyes(h, d);
    d = Nose(h, d);
    d = Mouth(h, d);
    return Ears(h, d);
}

Vec3 HeadCentre()
{
    return Vec3{0, 430, -30} + MODEL_SHIFT;
}

}  // namespace face
