// Following the path and aiming (CCAMERA): plain arithmetic, no GL, so
// that plm-gen-pipes flies the same camera; the view is camera_view.cpp.
#include "scene/camera.h"

#include <cmath>
#include <new>

namespace {

// acos of a cosine clamped to [-1, 1], in degrees (0.31830987 is 1/pi).
float DegreesFromCosine(float q)
{
    if (q > 1.0f) {
        q = 1.0f;
    } else if (q < -1.0f) {
        q = -1.0f;
    }
    return std::acos(q) * 180.0f * 0.31830987f;
}

}  // namespace

CCAMERA::CCAMERA()
    : eye{0.0f, 0.0f, 0.0f},
      yaw(0.0f),
      pitch(0.0f),
      roll(0.0f),
      trackList(nullptr),
      trackCount(0),
      currentTrack(0),
      shakeAmplitude(0.0f)
{
}

CCAMERA::~CCAMERA()
{
    FreePath();
}

bool CCAMERA::PathOver() const
{
    return currentTrack < 0 || static_cast<uint32_t>(currentTrack) >= trackCount;
}

void CCAMERA::Update(uint32_t t)
{
    if (PathOver()) {
        return;
    }
    if (trackList[currentTrack].eyePath.LastKeyTime() < t) {
        ++currentTrack;
    }
    if (PathOver()) {
        return;
    }
    const CCAMTRACK& track = trackList[currentTrack];
    eye = track.eyePath.Evaluate(t);
    AimAt(track.targetPath.Evaluate(t));
}

void CCAMERA::AimAt(CVECTOR target)
{
    const CVECTOR ahead{0.0f, 0.0f, -1.0f};
    const CVECTOR right{1.0f, 0.0f, 0.0f};
    const CVECTOR down{0.0f, -1.0f, 0.0f};
    CVECTOR d = target.Subtract(eye);
    d.y = 0.0f;
    d.Normalize();
    yaw = DegreesFromCosine(ahead.Dot(d));
    if (right.Dot(d) < 0.0f) {
        yaw = -yaw;
    }
    d = target.Subtract(eye);
    d.Normalize();
    CVECTOR level{d.x, 0.0f, d.z};
    level.Normalize();
    pitch = DegreesFromCosine(level.Dot(d));
    if (down.Dot(d) < 0.0f) {
        pitch = -pitch;
    }
}

void CCAMERA::StartShake(float amplitude)
{
    shakeAmplitude = amplitude;
}

void CCAMERA::ApplyShake(float factor)
{
    float offset = factor * shakeAmplitude * -1.0f;
    shakeAmplitude = offset;
    eye.x += offset;
    eye.y += offset;
    eye.z += offset;
}

int CCAMERA::AllocatePath(uint32_t count)
{
    FreePath();
    currentTrack = 0;
    trackList = new (std::nothrow) CCAMTRACK[count];
    if (trackList == nullptr) {
        return 0;
    }
    trackCount = count;
    return 1;
}

void CCAMERA::FreePath()
{
    delete[] trackList;
    trackList = nullptr;
    trackCount = 0;
}
