#include "scene/spline.h"

#include <new>

CSPLINE::CSPLINE() : keyPoints(nullptr), keyCount(0), keyTimes(nullptr) {}

CSPLINE::~CSPLINE()
{
    FreeKeys();
}

int CSPLINE::Allocate(uint32_t count)
{
    FreeKeys();
    keyPoints = new (std::nothrow) CVECTOR[count];
    keyTimes = new (std::nothrow) uint32_t[count];
    if (keyPoints == nullptr || keyTimes == nullptr) {
        FreeKeys();
        return 0;
    }
    keyCount = count;
    return 1;
}

void CSPLINE::SetKey(uint32_t index, CVECTOR point, uint32_t time)
{
    keyPoints[index] = point;
    keyTimes[index] = time;
}

uint32_t CSPLINE::LastKeyTime() const
{
    return keyCount == 0 ? 0 : keyTimes[keyCount - 1];
}

void CSPLINE::FindSegment(uint32_t t, int32_t& prev2, int32_t& prev, int32_t& cur, int32_t& next) const
{
    prev2 = prev = next = -1;
    cur = 0;
    if (keyCount == 0) {
        cur = -1;
        return;
    }
    int32_t last = static_cast<int32_t>(keyCount) - 1;
    if (t < keyTimes[0]) {
        return;
    }
    if (t > keyTimes[last]) {
        cur = last;
        return;
    }
    // Stops at the last key at the latest, since t <= its time.
    while (keyTimes[cur] < t) {
        ++cur;
    }
    if (keyTimes[cur] == t) {
        return;
    }
    prev = cur - 1;
    prev2 = cur >= 2 ? cur - 2 : -1;
    next = cur + 1 <= last ? cur + 1 : -1;
}

CVECTOR CSPLINE::Evaluate(uint32_t t) const
{
    if (keyCount == 0) {
        return CVECTOR{0.0f, 0.0f, 0.0f};
    }
    int32_t prev2, prev, cur, next;
    FindSegment(t, prev2, prev, cur, next);
    if (prev == -1) {
        return keyPoints[cur];
    }
    return SegmentPoint(t, prev2, prev, cur, next);
}

void CSPLINE::Tangents(int32_t prev2, int32_t prev, int32_t cur, int32_t next, CVECTOR& m0, CVECTOR& m1) const
{
    CVECTOR p0 = keyPoints[prev];
    CVECTOR p1 = keyPoints[cur];
    // At an open end the inner tangent comes first and the end tangent is
    // derived from it, which makes the second derivative zero at that key.
    if (prev2 != -1 && next != -1) {
        m0 = p1.Subtract(keyPoints[prev2]).Scale(0.5f);
        m1 = keyPoints[next].Subtract(p0).Scale(0.5f);
    } else if (next != -1) {
        m1 = keyPoints[next].Subtract(p0).Scale(0.5f);
        m0 = p1.Subtract(p0).Scale(1.5f).Subtract(m1.Scale(0.5f));
    } else if (prev2 != -1) {
        m0 = p1.Subtract(keyPoints[prev2]).Scale(0.5f);
        m1 = p1.Subtract(p0).Scale(1.5f).Subtract(m0.Scale(0.5f));
    } else {
        m0 = m1 = p1.Subtract(p0);
    }
}

CVECTOR CSPLINE::SegmentPoint(uint32_t t, int32_t prev2, int32_t prev, int32_t cur, int32_t next) const
{
    CVECTOR m0, m1;
    Tangents(prev2, prev, cur, next, m0, m1);
    // prev's time < t < cur's time, so both differences are positive.
    uint32_t elapsed = t - keyTimes[prev];
    uint32_t span = keyTimes[cur] - keyTimes[prev];
    float s = static_cast<float>(static_cast<double>(elapsed) / static_cast<double>(span));
    float s2 = s * s;
    float s3 = s2 * s;
    float h00 = 2.0f * s3 - 3.0f * s2 + 1.0f;
    float h10 = s3 - 2.0f * s2 + s;
    float h01 = (3.0f - 2.0f * s) * s * s;
    float h11 = s3 - s2;
    CVECTOR sum = keyPoints[prev].Scale(h00).Add(m0.Scale(h10));
    return sum.Add(keyPoints[cur].Scale(h01)).Add(m1.Scale(h11));
}

void CSPLINE::FreeKeys()
{
    delete[] keyTimes;
    keyTimes = nullptr;
    delete[] keyPoints;
    keyPoints = nullptr;
    keyCount = 0;
}

void CSPLINE::Truncate(uint32_t count)
{
    if (count < keyCount) {
        keyCount = count;
    }
}
