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

// Cranium, cheek mass and the lower jaw: a bone from each jaw angle to the
// chin, so that the jaw line shows from the front and in profile.
double Skull(Vec3 p)
{
    const Vec3 m = Mirror(p);
    const double cranium = Ellipsoid(p, {0, 560, -35}, {200, 225, 250});
    const double midFace = Ellipsoid(p, {0, 430, 30}, {168, 165, 195});
    // The jaw narrows towards the chin.
    const double narrow = 0.62 + 0.38 * SmoothStep(170, 360, p.y);
    const double jaw = Ellipsoid({p.x / narrow, p.y, p.z}, {0, 315, 45}, {140, 130, 160}) * narrow;
    const double mandible = RoundCone(m, {28, 238, 150}, {112, 310, -5}, 34, 24);
    const double chin = Ellipsoid(p, {0, 230, 172}, {60, 46, 40});
    double d = SmoothUnion(cranium, midFace, 60);
    d = SmoothUnion(d, jaw, 50);
    d = SmoothUnion(d, mandible, 40);
    return SmoothUnion(d, chin, 40);
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
    d -= 8 * Gauss(m, {105, 450, 165}, {55, 34, 50});
    d += 8 * Gauss(m, {98, 362, 172}, {35, 40, 40});
    return d + 3 * Gauss(p, {0, 264, 214}, {40, 14, 20});
}

// Eye centre (right eye; the left one is its mirror image) and radius.
const Vec3 EYE{62, 487, 178};
const double EYE_RADIUS = 35;

// The almond between the lids in the front view: negative inside, about
// the distance in units to its edge. The outer corner sits a little higher
// than the inner one, the upper lid arches higher than the lower.
double Almond(Vec3 m)
{
    const double x = m.x - EYE.x;
    const double y = m.y - EYE.y - 0.10 * x;
    const double width = 32;
    const double arch = y > 0 ? 16 : 11;
    const double t = x / width;
    return std::fabs(y) - arch * (1.0 - t * t);
}

// The ball with the iris standing out as a shallow dome and the pupil sunk
// in its middle, looking straight ahead. Every step is a few units wide, so
// that the mesh's spacing over the eyes renders it smoothly.
double Eyeball(Vec3 m)
{
    const double ball = Ellipsoid(m, EYE, {EYE_RADIUS, EYE_RADIUS, EYE_RADIUS});
    const Vec3 irisCentre = EYE + Vec3{0, -2, EYE_RADIUS - 12};
    const double d = SmoothUnion(ball, Ellipsoid(m, irisCentre, {18, 18, 18}), 3);
    return d + 9 * Gauss(m, irisCentre + Vec3{0, 0, 18}, {7, 7, 8});
}

// Lids: a shell round the ball that sinks below it inside the almond, over
// a rounded margin, with a fold above the upper lid; the ball shows in the
// opening.
double Eyes(Vec3 p, double d)
{
    const Vec3 m = Mirror(p);
    const double open = (1.0 - SmoothStep(-7, 4, Almond(m))) * SmoothStep(EYE.z, EYE.z + 20, m.z);
    const double lids = Ellipsoid(m, EYE + Vec3{0, 1, 1}, {42, 41, 41}) + 9 * open;
    d = SmoothUnion(d, lids, 8);
    d += 3 * Gauss(m, EYE + Vec3{4, 31, 31}, {30, 5, 12});
    return SmoothUnion(d, Eyeball(m), 7);
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
    d = SmoothSubtract(d, Ellipsoid(p, {0, 305, 248}, {42, 3.5, 22}), 4);
    return d + 3 * Gauss(m, {44, 305, 222}, {10, 10, 14});
}

// A point of the right ear's own frame: a along the ear's outward normal,
// b up along the ear, c forwards across it. The ear leans back at the top
// and stands off the head towards its back edge.
Vec3 EarFrame(Vec3 m)
{
    const Vec3 q = m - Vec3{190, 458, -50};
    const double lean = 15.0 * PI / 180.0, flare = 18.0 * PI / 180.0, roll = 8.0 * PI / 180.0;
    // Roll about the forward axis: the top of the ear stands off the head.
    const double cr = std::cos(roll), sr = std::sin(roll);
    const double x = cr * q.x - sr * q.y, y = sr * q.x + cr * q.y;
    const double cl = std::cos(lean), sl = std::sin(lean), cf = std::cos(flare), sf = std::sin(flare);
    const double b = cl * y + sl * q.z, z = -sl * y + cl * q.z;
    return {cf * x + sf * z, b, -sf * x + cf * z};
}

// Ears: a flat shell with a rim (helix) round a hollow bowl, a lobe below
// and a small flap (tragus) in front of the bowl.
double Ears(Vec3 p, double d)
{
    const Vec3 e = EarFrame(Mirror(p));
    double ear = Ellipsoid(e, {0, 6, 0}, {16, 64, 38});
    ear = SmoothUnion(ear, Ellipsoid(e, {2, -50, 6}, {13, 22, 19}), 12);
    ear = SmoothSubtract(ear, Ellipsoid(e, {20, 10, -4}, {9, 46, 25}), 6);
    ear = SmoothSubtract(ear, Ellipsoid(e, {17, -14, 8}, {9, 17, 14}), 5);
    ear = SmoothUnion(ear, Ellipsoid(e, {9, -10, 28}, {8, 11, 8}), 5);
    return SmoothUnion(d, ear, 10);
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
