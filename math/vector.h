// CVECTOR: the program's three-float vector (camera path, pipe building and
// drawing). A plain value of exactly three 32-bit floats x, y, z; it has no
// constructor that sets the components, so every user sets it before reading.
//
// Operand orders are part of the contract and differ from the textbook:
// Cross(v) is v x receiver. Products are summed in the order given per
// operation, each result stored as a 32-bit float. Angles are radians.
//
// This type is deliberately separate from the engine's CVECTOR3.
#ifndef PLM_MATH_VECTOR_H
#define PLM_MATH_VECTOR_H

struct CVECTOR {
    float x;
    float y;
    float z;

    // x, y, z take the three arguments in order.
    void Set(float nx, float ny, float nz);
    // vz*z + vy*y + vx*x.
    float Dot(CVECTOR v) const;
    // v x receiver: (vy*z - vz*y, vz*x - vx*z, vx*y - vy*x).
    CVECTOR Cross(CVECTOR v) const;
    // Scales to unit length in place; the zero vector stays unchanged.
    void Normalize();
    // (x*s, y*s, z*s).
    CVECTOR Scale(float s) const;
    // receiver - v.
    CVECTOR Subtract(CVECTOR v) const;
    // v + receiver.
    CVECTOR Add(CVECTOR v) const;
    // acos of Dot(v) rounded to a float and clamped to [-1, 1]; neither
    // vector is normalised, callers pass unit vectors. Opposite unit vectors
    // give exactly the float nearest pi (3.1415927f).
    float AngleTo(CVECTOR v) const;
};

#endif
