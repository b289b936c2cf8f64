#include "math/vector.h"

#include <cmath>

void CVECTOR::Set(float nx, float ny, float nz)
{
    x = nx;
    y = ny;
    z = nz;
}

float CVECTOR::Dot(CVECTOR v) const
{
    return v.z * z + v.y * y + v.x * x;
}

CVECTOR CVECTOR::Cross(CVECTOR v) const
{
    return CVECTOR{v.y * z - v.z * y, v.z * x - v.x * z, v.x * y - v.y * x};
}

void CVECTOR::Normalize()
{
    float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0f) {
        return;
    }
    float inverse = 1.0f / length;
    x *= inverse;
    y *= inverse;
    z *= inverse;
}

CVECTOR CVECTOR::Scale(float s) const
{
    return CVECTOR{x * s, y * s, z * s};
}

CVECTOR CVECTOR::Subtract(CVECTOR v) const
{
    return CVECTOR{x - v.x, y - v.y, z - v.z};
}

CVECTOR CVECTOR::Add(CVECTOR v) const
{
    return CVECTOR{v.x + x, v.y + y, v.z + z};
}

float CVECTOR::AngleTo(CVECTOR v) const
{
    float d = Dot(v);
    if (d > 1.0f) {
        d = 1.0f;
    } else if (d < -1.0f) {
        d = -1.0f;
    }
    return static_cast<float>(std::acos(static_cast<double>(d)));
}
