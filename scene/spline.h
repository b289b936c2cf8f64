// CSPLINE: one timed key sequence of the camera path, evaluated as a cubic
// Hermite spline with Catmull-Rom tangents and natural ends. Times are
// unsigned 32-bit milliseconds of demo time, ascending; points are CVECTORs.
// The spline owns both arrays; it is not copyable.
#ifndef PLM_SCENE_SPLINE_H
#define PLM_SCENE_SPLINE_H

#include <cstdint>

#include "math/vector.h"

class CSPLINE {
public:
    CVECTOR* keyPoints;
    uint32_t keyCount;
    uint32_t* keyTimes;

    CSPLINE();
    ~CSPLINE();
    CSPLINE(const CSPLINE&) = delete;
    CSPLINE& operator=(const CSPLINE&) = delete;

    // Releases any previous keys, then makes room for count keys (contents
    // unset until SetKey). Returns 0, with no keys, if memory runs out.
    int Allocate(uint32_t count);
    // Stores key index (index < keyCount).
    void SetKey(uint32_t index, CVECTOR point, uint32_t time);
    // The time of the last key; 0 for a spline without keys.
    uint32_t LastKeyTime() const;
    // The keys around time t: cur is the key at or after t (0 before the
    // first key, keyCount - 1 after the last); prev, prev2 and next are the
    // keys before and after it when t lies strictly inside a segment, -1
    // otherwise. A spline without keys gives cur -1 too.
    void FindSegment(uint32_t t, int32_t& prev2, int32_t& prev, int32_t& cur, int32_t& next) const;
    // The point at time t: a key's point at, before or after the keys,
    // otherwise the Hermite curve of the segment in 32-bit float arithmetic.
    // A spline without keys gives (0, 0, 0).
    CVECTOR Evaluate(uint32_t t) const;
    // Releases both arrays and sets keyCount to 0.
    void FreeKeys();
    // Keeps only the first count keys (count <= keyCount).
    void Truncate(uint32_t count);

private:
    void Tangents(int32_t prev2, int32_t prev, int32_t cur, int32_t next, CVECTOR& m0, CVECTOR& m1) const;
    CVECTOR SegmentPoint(uint32_t t, int32_t prev2, int32_t prev, int32_t cur, int32_t next) const;
};

#endif
