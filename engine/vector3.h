// CVECTOR3: the engine's own three-float vector. Every operation works in
// 32-bit floats so that normals come out the same on every build.
#ifndef PLM_ENGINE_VECTOR3_H
#define PLM_ENGINE_VECTOR3_H

#include <cmath>

struct CVECTOR3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    void Set(float nx, float ny, float nz)
    {
        x = nx;
        y = ny;
        z = nz;
    }

    float Length() const { return std::sqrt(x * x + y * y + z * z); }

    // Divides by the length unless it is exactly 0: a zero vector stays zero.
    void Normalize()
    {
        float len = Length();
        if (len != 0.0f) {
            x /= len;
            y /= len;
            z /= len;
        }
    }

    static CVECTOR3 Add(const CVECTOR3& p, const CVECTOR3& q)
    {
        CVECTOR3 r;
        r.Set(p.x + q.x, p.y + q.y, p.z + q.z);
        return r;
    }

    // U x V with U = p1 - p0 and V = p2 - p0.
    void FromTriangle(const CVECTOR3& p0, const CVECTOR3& p1, const CVECTOR3& p2)
    {
        float ux = p1.x - p0.x, uy = p1.y - p0.y, uz = p1.z - p0.z;
        float vx = p2.x - p0.x, vy = p2.y - p0.y, vz = p2.z - p0.z;
        Set(uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx);
    }

    static CVECTOR3 From(const float* p)
    {
        CVECTOR3 r;
        r.Set(p[0], p[1], p[2]);
        return r;
    }
    void Store(float* p) const
    {
        p[0] = x;
        p[1] = y;
        p[2] = z;
    }
};

#endif
