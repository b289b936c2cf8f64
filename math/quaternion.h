// CQUATERNION: a rotation quaternion of four 32-bit floats, the vector part
// x, y, z (laid out as a CVECTOR) followed by the scalar part w. A plain
// value like CVECTOR, with no constructor that sets the components.
//
// Operand order is part of the contract: q.Multiply(b) is b (x) q in
// Hamilton's notation, so A.Multiply(B) rotates by B first, then by A.
// Rotate by FromAxisAngle(a, t) turns a vector by t clockwise about a seen
// from the tip of a: the rotation glRotatef applies for -t (in degrees).
// Angles are radians.
#ifndef PLM_MATH_QUATERNION_H
#define PLM_MATH_QUATERNION_H

#include "math/vector.h"

struct CQUATERNION {
    float x;
    float y;
    float z;
    float w;

    // The vector part (x, y, z).
    CVECTOR VectorPart() const;
    // b (x) q: vector part qv*bw + bv*w + qv.Cross(bv), scalar w*bw - qv.bv.
    CQUATERNION Multiply(CQUATERNION b) const;
    // (-x, -y, -z, w).
    CQUATERNION Conjugate() const;
    // Writes angle = 2*acos(w) first (w clamped to [-1, 1]); for angle 0 the
    // axis output is left as it was, otherwise axis = qv / sin(angle/2).
    void ToAxisAngle(CVECTOR& axis, float& angle) const;
    // The vector part of conj(q) (x) (v, 0) (x) q.
    CVECTOR Rotate(CVECTOR v) const;
    // Scales to unit length in place; (0, 0, 0, 0) stays unchanged.
    void Normalize();
    // Becomes ((ax, ay, az)*sin(t/2), cos(t/2)), then Normalize. The axis is
    // not normalised first; a zero axis gives the identity for |t| < pi.
    void FromAxisAngle(float ax, float ay, float az, float angle);
};

#endif
