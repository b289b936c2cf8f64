// CCAMERA: the camera of the two flight scenes. It follows a scripted path
// of tracks (plumora_data/script/cam_pos.plm), places the eye on the eye
// spline, turns towards the target spline by a yaw and a pitch, and can be
// jolted by a damped shake. The view is built from rotations and a
// translation, in degrees: yaw 0 looks along -Z, +90 along +X, 180 along +Z;
// pitch is positive when looking down; roll is never set but applied.
//
// Per flight frame: Update(t) with t the demo time in whole milliseconds,
// then ApplyShake(1/3), then ApplyView() with the model-view matrix current.
// Every track in trackList holds at least one key; once currentTrack equals
// trackCount (or there is no path) the camera keeps its last eye and angles.
#ifndef PLM_SCENE_CAMERA_H
#define PLM_SCENE_CAMERA_H

#include <cstdint>

#include "math/vector.h"
#include "scene/camera_track.h"

class CCAMERA {
public:
    CVECTOR eye;
    float yaw;    // about Y, degrees
    float pitch;  // about X, degrees
    float roll;   // about Z, degrees; always 0
    CCAMTRACK* trackList;
    uint32_t trackCount;
    int32_t currentTrack;  // trackCount once the path is over
    float shakeAmplitude;  // current shake offset, 0 at rest

    CCAMERA();
    ~CCAMERA();
    CCAMERA(const CCAMERA&) = delete;
    CCAMERA& operator=(const CCAMERA&) = delete;

    // Reads the path file, replacing any previous path, and starts at its
    // first track. Returns 1 when the whole file was read. Otherwise reports
    // on stderr and returns 0: tracks without keys are left out, a track cut
    // short by a malformed key (or one whose eye or target is not a number or
    // lies beyond MAX_SCRIPT_COORDINATE, pipes/scene_bounds.h) keeps the keys
    // before it, nothing after that is used; a missing file or bad header
    // leaves no path at all. A negative count is reported with its sign.
    int ReadPath(const char* fileName);
    // Replaces any path by count tracks without keys (fill each with
    // CCAMTRACK::Allocate and SetKey before the next Update) and starts at
    // the first. Returns 0, with no path, if memory runs out.
    int AllocatePath(uint32_t count);
    // Moves to the next track when t (ms) is past the current track's last
    // key (at most one track per call), then places the eye and aims.
    void Update(uint32_t t);
    // Sets yaw and pitch so that the eye looks at target.
    void AimAt(CVECTOR target);
    // Starts a shake of the given offset (the renderer passes 20).
    void StartShake(float amplitude);
    // amplitude = -factor * amplitude, then adds it to eye x, y and z.
    void ApplyShake(float factor);
    // Multiplies the current GL matrix by roll, pitch, yaw and -eye; the
    // camera's only GL call (camera_view.cpp, outside plm_camera_path).
    void ApplyView();
    // Releases every track; afterwards there is no path.
    void FreePath();
    // True once the path is over, and when there is none.
    bool PathOver() const;
};

extern CCAMERA camera;

#endif
