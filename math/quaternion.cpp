#include "math/quaternion.h"

#include <cmath>

CVECTOR CQUATERNION::VectorPart() const
{
    return CVECTOR{x, y, z};
}

CQUATERNION CQUATERNION::Multiply(CQUATERNION b) const
{
    CVECTOR qv = VectorPart();
    CVECTOR bv = b.VectorPart();
    CVECTOR v = qv.Scale(b.w).Add(bv.Scale(w)).Add(qv.Cross(bv));
    float scalar = w * b.w - (x * b.x + y * b.y + z * b.z);
    return CQUATERNION{v.x, v.y, v.z, scalar};
}

CQUATERNION CQUATERNION::Conjugate() const
{
    return CQUATERNION{-x, -y, -z, w};
}

void CQUATERNION::ToAxisAngle(CVECTOR& axis, float& angle) const
{
    // A normalised quaternion may carry w a rounding step above 1; acos
    // would give NaN there instead of the identity's angle 0.
    double cosHalf = w > 1.0f ? 1.0 : (w < -1.0f ? -1.0 : static_cast<double>(w));
    angle = static_cast<float>(2.0 * std::acos(cosHalf));
    if (angle == 0.0f) {
        return;
    }
    float inverseSin = static_cast<float>(1.0 / std::sin(static_cast<double>(angle) / 2.0));
    axis = VectorPart().Scale(inverseSin);
}

CVECTOR CQUATERNION::Rotate(CVECTOR v) const
{
    CQUATERNION p{v.x, v.y, v.z, 0.0f};
    CQUATERNION r = Multiply(p);
    CQUATERNION s = r.Multiply(Conjugate());
    return s.VectorPart();
}

void CQUATERNION::Normalize()
{
    float length = std::sqrt(x * x + y * y + z * z + w * w);
    if (length == 0.0f) {
        return;
    }
    float inverse = 1.0f / length;
    x *= inverse;
    y *= inverse;
    z *= inverse;
    w *= inverse;
}

void CQUATERNION::FromAxisAngle(float ax, float ay, float az, float angle)
{
    double half = static_cast<double>(angle) / 2.0;
    float sinHalf = static_cast<float>(std::sin(half));
    x = ax * sinHalf;
    y = ay * sinHalf;
    z = az * sinHalf;
    w = static_cast<float>(std::cos(half));
    Normalize();
}
